// SPDX-License-Identifier: MIT
#include "io/ThumbnailRead.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QXmlStreamReader>

#include "io/CXMLArchive.h"
#include "io/Base64Lines.h"

namespace {

bool Fail(QByteArray& png, std::string* error, const std::string& why) {
    png.clear();
    if (error) *error = why;
    return false;
}

}  // namespace

bool ReadDocumentThumbnail(const std::string& path, QByteArray& png, std::string* error) {
    const QFileInfo info(QString::fromStdString(path));
    if (!info.isFile()) return Fail(png, error, "not a readable file");
    if (info.size() > CXMLArchive::kMaxFileBytes) return Fail(png, error, "the file is too large");
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) return Fail(png, error, file.errorString().toStdString());
    QXmlStreamReader reader(&file);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::DTD: return Fail(png, error, "the file has a document type declaration");
            case QXmlStreamReader::EntityReference: return Fail(png, error, "the file refers to an entity");
            case QXmlStreamReader::EndElement: --depth; break;
            case QXmlStreamReader::StartElement: {
                if (++depth > CXMLArchive::kMaxDepth) return Fail(png, error, "elements nest too deep");
                if (reader.name() != QLatin1String("image")) break;
                const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
                if (reader.hasError()) return Fail(png, error, reader.errorString().toStdString());
                const QByteArray latin = text.toLatin1();
                const std::vector<unsigned char> bytes = DecodeBase64Lines(std::string_view(latin.constData(), size_t(latin.size())));
                png = QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
                return true;
            }
            default: break;
        }
    }
    return Fail(png, error, reader.hasError() ? reader.errorString().toStdString() : "no \"image\" element");
}
