// SPDX-License-Identifier: MIT
#include "io/CKVRDoc.h"

#include "core/Translatable.h"

#include <exception>

#include <QtCore/QFileInfo>

#include "graph/GraphManager.h"
#include "io/CXMLArchive.h"
#include "io/DocumentSerializer.h"
#include "io/FeatureArchive.h"
#include "mathex/MathExp.h"
#include "io/Base64Lines.h"

namespace {

const char* const kOpenFailed = KVR_TRANSLATE_NOOP("Reason", "Failed to open document.");
const char* const kSaveFailed = KVR_TRANSLATE_NOOP("Reason", "Failed to save document.");

DocumentResult Failure(const char* message, const std::string& path, Sentence why) {
    const std::string name = DocumentTitle(path);
    return DocumentResult{false, message, name + ": " + why.english(), name, std::move(why)};
}

// What an exception says: a document's own fault as a sentence to translate,
// anything else as it stands.
Sentence Why(const std::exception& e) {
    if (const auto* format = dynamic_cast<const DocumentFormatError*>(&e)) return format->reason;
    return Sentence{e.what(), {}};
}

}  // namespace

std::string DocumentTitle(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

CKVRDoc::CKVRDoc(GraphManager& graph) : graph_(graph) {}

void CKVRDoc::OnNewDocument() {
    graph_.reset();
    path_.clear();
    modified_ = false;
}

void CKVRDoc::Serialize(CXMLArchive& archive) {
    CXMLArchiveNode* root = archive.OpenElement("KVR");
    if (!root) return;
    double version = kVersion;
    root->ExchangeReal("version", version);
    if (archive.isStoring()) {
        CFeature feature;
        graph_.computeFeature(feature);
        SerializeFeature(archive, feature);
        std::string image =
            EncodeBase64Lines(reinterpret_cast<const unsigned char*>(thumbnail_.constData()), size_t(thumbnail_.size()));
        root->ExchangeText("image", image);
        StoreGraph(archive, *root, graph_);
    } else {
        // The signature and the thumbnail are for the library; opening reads the graph.
        LoadedGraph loaded;
        LoadGraph(archive, *root, loaded);
        CommitGraph(graph_, std::move(loaded));
    }
    archive.CloseElement();
}

DocumentResult CKVRDoc::open(const std::string& path) {
    CXMLArchive archive(path, CXMLArchive::kLoad);
    const DocumentResult result = read(archive, path);
    if (result.ok) {
        path_ = path;
        modified_ = false;
    }
    return result;
}

DocumentResult CKVRDoc::openBytes(const QByteArray& content, const std::string& name) {
    CXMLArchive archive(content);
    return read(archive, name);
}

DocumentResult CKVRDoc::read(CXMLArchive& archive, const std::string& name) {
    // A file that cannot be read or is not XML does not open: opening it as an
    // empty document would invite saving the empty graph over it.
    if (!archive.loadError().empty()) return Failure(kOpenFailed, name, archive.loadErrorReason());
    try {
        // Reading throws before the graph is touched, so a failed open leaves it as it was.
        Serialize(archive);
    } catch (const std::exception& e) {
        return Failure(kOpenFailed, name, Why(e));
    }
    return DocumentResult{};
}

QByteArray CKVRDoc::toBytes(const QByteArray& thumbnailPng) {
    thumbnail_ = thumbnailPng;
    CXMLArchive archive(std::string(), CXMLArchive::kStore);
    Serialize(archive);
    thumbnail_.clear();
    return archive.toBytes();
}

DocumentResult CKVRDoc::save(const std::string& path) {
    return save(path, capture_ ? capture_() : QByteArray());
}

DocumentResult CKVRDoc::save(const std::string& path, const QByteArray& thumbnailPng) {
    thumbnail_ = thumbnailPng;
    CXMLArchive archive(path, CXMLArchive::kStore);
    try {
        Serialize(archive);
    } catch (const std::exception& e) {
        thumbnail_.clear();
        return Failure(kSaveFailed, path, Why(e));
    }
    thumbnail_.clear();
    // Never write a lesson that would not open again: the reader's own checks
    // (counts, texts, plotting work, the file's size and elements) are run on
    // the bytes first, into a graph of their own.
    const QByteArray bytes = archive.toBytes();
    if (bytes.size() > CXMLArchive::kMaxFileBytes)
        return Failure(kSaveFailed, path, {KVR_TRANSLATE_NOOP("Reason", "the lesson is larger than a document may be")});
    GraphManager scratch;
    CKVRDoc check(scratch);
    if (const DocumentResult reread = check.openBytes(bytes, path); !reread.ok)
        return Failure(kSaveFailed, path, {KVR_TRANSLATE_NOOP("Reason", "it would not open again (%1)"), {reread.why.english()}});
    if (!archive.Close()) return Failure(kSaveFailed, path, {archive.saveError(), {}});
    path_ = path;
    modified_ = false;
    return DocumentResult{};
}
