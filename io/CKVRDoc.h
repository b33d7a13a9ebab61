// SPDX-License-Identifier: MIT
#pragma once
// The document: one graph stored as one ".kvr" file. The window owns the
// graph and hands it in; the document reads it into the graph and writes it
// out, and keeps the path and the modified flag. It never shows a message:
// every command returns a DocumentResult whose message the window shows.
#include <functional>
#include <string>

#include <QtCore/QByteArray>

#include "core/Translatable.h"
class CXMLArchive;
class GraphManager;

struct DocumentResult {
    bool ok = true;
    // The fixed text the user sees: "Failed to open document." or
    // "Failed to save document."; empty on success.
    std::string message;
    // Why, naming the file: for the detail of the message box, the command line and the log.
    std::string reason;
    // The same without the file's name, for the window to say in the user's language.
    std::string name;
    Sentence why;
};

class CKVRDoc {
public:
    // The graph's thumbnail as PNG bytes (256 × 256), captured when the document
    // is saved; empty when there is none to be had.
    using ThumbnailCapture = std::function<QByteArray()>;

    explicit CKVRDoc(GraphManager& graph);
    CKVRDoc(const CKVRDoc&) = delete;
    CKVRDoc& operator=(const CKVRDoc&) = delete;
    ~CKVRDoc() = default;

    void setThumbnailCapture(ThumbnailCapture capture) { capture_ = std::move(capture); }

    // A new, untitled, empty document: the graph is reset.
    void OnNewDocument();
    // Reads the file into the graph. On failure the graph is left exactly as it
    // was (the window then starts a new document, or keeps the old one).
    DocumentResult open(const std::string& path);
    // Writes the graph with the thumbnail from the capture function. The file is
    // replaced only by a complete new one; on failure the old file is untouched.
    DocumentResult save(const std::string& path);
    // The same with the thumbnail given.
    DocumentResult save(const std::string& path, const QByteArray& thumbnailPng);

    // The same without the disk: a document's bytes, read or made in memory.
    // `name` stands for the file in the reason of a failure.
    DocumentResult openBytes(const QByteArray& content, const std::string& name);
    QByteArray toBytes(const QByteArray& thumbnailPng);

    // The one routine that writes or reads the whole file; may throw
    // DocumentFormatError when reading.
    void Serialize(CXMLArchive& archive);

    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    // The file of the last successful open or save; empty for a new document.
    const std::string& path() const { return path_; }

    GraphManager& graph() { return graph_; }

    // The first version of the format; files of any version are read alike.
    static constexpr double kVersion = 1.0;

private:
    DocumentResult read(CXMLArchive& archive, const std::string& name);

    GraphManager& graph_;
    ThumbnailCapture capture_;
    QByteArray thumbnail_;  // what the next store writes
    std::string path_;
    bool modified_ = false;
};

// The file name as messages show it.
std::string DocumentTitle(const std::string& path);
