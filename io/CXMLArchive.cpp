#include "io/CXMLArchive.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtCore/QXmlStreamReader>

CXMLArchive::CXMLArchive(const std::string& path, int mode) : path_(path), mode_(mode) {
    if (isLoading()) loadFile();
}

CXMLArchive::CXMLArchive(const QByteArray& content) : mode_(kLoad) { loadError_ = Parse(content, document_); }

CXMLArchive::CXMLArchive(QDomDocument document) : mode_(kLoad), document_(std::move(document)) {}

CXMLArchive::~CXMLArchive() {
    // A save that went wrong part way leaves its archive unclosed: with the
    // no-flush bit nothing is written on the way out.
    if (!(mode_ & kNoFlushBit)) Close();
}

void CXMLArchive::loadFile() {
    const QString path = QString::fromStdString(path_);
    const QFileInfo info(path);
    if (!info.exists()) {
        loadError_ = "the file does not exist";
        return;
    }
    if (!info.isFile()) {
        loadError_ = info.isDir() ? "it is a folder" : "it is not a regular file";
        return;
    }
    if (info.size() > kMaxFileBytes) {
        loadError_ = "the file is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) + " MB";
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loadError_ = "the file cannot be read: " + file.errorString().toStdString();
        return;
    }
    // The size may have changed since it was looked at.
    const QByteArray content = file.read(kMaxFileBytes + 1);
    if (content.size() > kMaxFileBytes) {
        loadError_ = "the file is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) + " MB";
        return;
    }
    loadError_ = Parse(content, document_);
}

std::string CXMLArchive::Parse(const QByteArray& content, QDomDocument& document) {
    document = QDomDocument();
    // A first pass with the streaming reader checks what the tree builder
    // would not: it stops at the first DTD before any entity is expanded, and
    // at nesting no document has.
    QXmlStreamReader reader(content);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::DTD: return "the file has a document type declaration";
            case QXmlStreamReader::EntityReference: return "the file refers to an entity";
            case QXmlStreamReader::StartElement:
                if (++depth > kMaxDepth) return "elements nest more than " + std::to_string(kMaxDepth) + " deep";
                break;
            case QXmlStreamReader::EndElement: --depth; break;
            default: break;
        }
    }
    if (reader.hasError())
        return "not well-formed XML (line " + std::to_string(reader.lineNumber()) + ": " +
               reader.errorString().toStdString() + ")";
    QDomDocument parsed;
    QString message;
    int line = 0, column = 0;
    if (!parsed.setContent(content, false, &message, &line, &column))
        return "not well-formed XML (line " + std::to_string(line) + ": " + message.toStdString() + ")";
    document = parsed;
    return std::string();
}

CXMLArchiveNode* CXMLArchive::OpenElement(const std::string& name) {
    const QString tag = QString::fromStdString(name);
    CXMLArchiveNode* inner = nodes_.empty() ? nullptr : nodes_.back().get();
    // The outermost element's parent is the document itself, kept as a null node:
    // the document gets its tree only when the first element is created.
    const QDomNode parent = inner ? QDomNode(inner->element()) : QDomNode();
    QDomElement element;
    if (isStoring()) {
        element = document_.createElement(tag);
    } else if (!inner) {
        element = NextElementNamed(document_, document_, tag);
    } else {
        if (!inner->hasElement()) return nullptr;
        element = inner->takeOccurrence(tag);
    }
    nodes_.push_back(std::make_unique<CXMLArchiveNode>(*this, element, parent));
    return nodes_.back().get();
}

int CXMLArchive::CloseElement() {
    if (nodes_.empty()) return 0;
    CXMLArchiveNode& node = *nodes_.back();
    if (isStoring()) {
        QDomNode parent = node.parent().isNull() ? QDomNode(document_) : node.parent();
        parent.appendChild(node.element());
    }
    nodes_.pop_back();
    return int(nodes_.size());
}

QByteArray CXMLArchive::toBytes() const {
    // No whitespace of our own between elements: texts are exactly what was written.
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + document_.toByteArray(-1);
}

bool CXMLArchive::Close() {
    if (closed_ || isLoading()) return saveError_.empty();
    closed_ = true;
    const QString path = QString::fromStdString(path_);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        saveError_ = info.isDir() ? "the path is a folder" : "the path is not a regular file";
        return false;
    }
    // Written beside the target, flushed to the disk and then renamed over it:
    // the old file is replaced only by a complete new one.
    QSaveFile file(path);
    // Unbuffered: a write that fails (a full disk) fails here, where it is seen;
    // Qt 6.4 commits a file whose buffered flush failed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        saveError_ = file.errorString().toStdString();
        return false;
    }
    const QByteArray bytes = toBytes();
    const bool written = file.write(bytes) == bytes.size() && file.error() == QFileDevice::NoError;
    // On the disk before the rename makes it the document (commit itself does not sync).
    const bool synced = written && ::fsync(file.handle()) == 0;
    if (!written || !synced) {
        saveError_ = written ? std::string("the file could not be synced to the disk: ") + std::strerror(errno)
                             : file.errorString().toStdString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        saveError_ = file.errorString().toStdString();
        return false;
    }
    return true;
}
