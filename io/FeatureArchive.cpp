// SPDX-License-Identifier: MIT
#include "io/FeatureArchive.h"

#include <algorithm>

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QXmlStreamReader>
#include <QtXml/QDomDocument>

#include "io/CXMLArchive.h"
#include "io/DocumentLimits.h"

namespace {

void SerializeElement(CXMLArchiveNode& node, FeatureElement& e) {
    node.ExchangeInteger("type", e.type);
    node.ExchangeInteger("order", e.order);
    node.ExchangeReal("highestCoeff", e.highestCoeff);
    node.ExchangeInteger("xintercepts", e.xintercepts);
    node.ExchangeInteger("yintercepts", e.yintercepts);
    node.ExchangeInteger("extremePts", e.extremePts);
}

// "feature", "size", and per element "element" and its six values.
constexpr long kMaxFeatureXmlElements = 2 + 7L * kMaxEquations;

bool Fail(CFeature& feature, std::string* error, const std::string& why) {
    feature.elements.clear();
    if (error) *error = why;
    return false;
}

}  // namespace

void SerializeFeature(CXMLArchive& archive, CFeature& feature) {
    CXMLArchiveNode* node = archive.OpenElement("feature");
    if (!node) return;
    int size = archive.isStoring() ? int(feature.elements.size()) : 0;
    node->ExchangeInteger("size", size);
    if (archive.isLoading()) size = std::min(size, kMaxEquations);  // one element per equation at most
    if (archive.isLoading()) feature.elements.clear();
    for (int i = 0; i < size; ++i) {
        CXMLArchiveNode* child = archive.OpenElement("element");
        if (archive.isLoading() && (!child || !child->hasElement())) {
            if (child) archive.CloseElement();
            break;  // the count said more than there is
        }
        if (archive.isStoring()) {
            SerializeElement(*child, feature.elements[size_t(i)]);
        } else {
            FeatureElement e;
            SerializeElement(*child, e);
            feature.elements.push_back(e);
        }
        archive.CloseElement();
    }
    archive.CloseElement();
}

bool ReadDocumentFeature(const std::string& path, CFeature& feature, std::string* error) {
    const QFileInfo info(QString::fromStdString(path));
    if (!info.isFile()) return Fail(feature, error, "not a readable file");
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) return Fail(feature, error, file.errorString().toStdString());
    QXmlStreamReader reader(&file);
    int depth = 0;
    while (!reader.atEnd()) {
        // The reader pulls the file in blocks; a file with no "feature" near
        // its start is not read past the size any document has.
        if (file.pos() > CXMLArchive::kMaxFileBytes) return Fail(feature, error, "no \"feature\" element");
        switch (reader.readNext()) {
            case QXmlStreamReader::DTD: return Fail(feature, error, "the file has a document type declaration");
            case QXmlStreamReader::EntityReference: return Fail(feature, error, "the file refers to an entity");
            case QXmlStreamReader::EndElement: --depth; break;
            case QXmlStreamReader::StartElement: {
                if (++depth > CXMLArchive::kMaxDepth) return Fail(feature, error, "elements nest too deep");
                if (reader.name() != QLatin1String("feature")) break;
                // A signature has one element per equation of the document it
                // describes, and no document has more than kMaxEquations.
                QDomDocument tree;
                const std::string why = CXMLArchive::CopyElement(reader, tree, kMaxFeatureXmlElements).english();
                if (!why.empty()) return Fail(feature, error, why);
                CXMLArchive archive(tree);
                SerializeFeature(archive, feature);
                return true;
            }
            default: break;
        }
    }
    return Fail(feature, error, reader.hasError() ? reader.errorString().toStdString() : "no \"feature\" element");
}
