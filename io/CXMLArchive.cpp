// SPDX-License-Identifier: MIT
#include "io/CXMLArchive.h"
#include "core/AtomicFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtCore/QXmlStreamReader>

CXMLArchive::CXMLArchive(const std::string& path, int mode) : path_(path), mode_(mode) {
    if (!isLoading()) return;
    loadFile();
    buildIndex();
}

CXMLArchive::CXMLArchive(const QByteArray& content) : mode_(kLoad) {
    loadError_ = Parse(content, document_);
    buildIndex();
}

CXMLArchive::CXMLArchive(QDomDocument document) : mode_(kLoad), document_(std::move(document)) { buildIndex(); }

void CXMLArchive::buildIndex() {
    // Pre-order walk without recursion. `open` holds the elements whose last
    // descendant is not known yet, as (tag, position in its list): the hash
    // may move its lists as it grows.
    std::vector<std::pair<QString, size_t>> open;
    int counter = 0;
    QDomNode n = document_.firstChild();
    while (!n.isNull()) {
        if (n.isElement()) {
            QDomElement e = n.toElement();
            const QString tag = e.tagName();
            std::vector<Indexed>& list = index_[tag];
            list.push_back(Indexed{counter++, -1, e});
            open.emplace_back(tag, list.size() - 1);
            QDomNode child = n.firstChild();
            if (!child.isNull()) {
                n = child;
                continue;
            }
        } else if (!n.firstChild().isNull()) {
            n = n.firstChild();
            continue;
        }
        // n is done: close it (when an element) and every ancestor it was the last child of.
        for (;;) {
            if (n.isElement()) {
                index_[open.back().first][open.back().second].last = counter - 1;
                open.pop_back();
            }
            const QDomNode next = n.nextSibling();
            if (!next.isNull()) {
                n = next;
                break;
            }
            n = n.parentNode();
            if (n.isNull() || n == document_) {
                n = QDomNode();
                break;
            }
        }
    }
}

CXMLArchive::Range CXMLArchive::descendants(const QString& name, int pre, int last) const {
    const auto it = index_.constFind(name);
    if (it == index_.constEnd() || pre == -1) return Range(nullptr, nullptr);
    const std::vector<Indexed>& list = *it;
    const Indexed* begin = list.data();
    const Indexed* end = list.data() + list.size();
    const Indexed* first = std::upper_bound(begin, end, pre, [](int p, const Indexed& e) { return p < e.pre; });
    const Indexed* stop = pre == -2 ? end : std::upper_bound(first, end, last, [](int l, const Indexed& e) { return l < e.pre; });
    return Range(first, stop);
}

CXMLArchive::~CXMLArchive() {
    // A save that went wrong part way leaves its archive unclosed: with the
    // no-flush bit nothing is written on the way out.
    if (!(mode_ & kNoFlushBit)) Close();
}

void CXMLArchive::loadFile() {
    const QString path = QString::fromStdString(path_);
    const QFileInfo info(path);
    if (!info.exists()) {
        loadError_ = {KVR_TRANSLATE_NOOP("Reason", "the file does not exist")};
        return;
    }
    if (!info.isFile()) {
        loadError_ = {info.isDir() ? KVR_TRANSLATE_NOOP("Reason", "it is a folder") : KVR_TRANSLATE_NOOP("Reason", "it is not a regular file")};
        return;
    }
    const Sentence tooLarge{KVR_TRANSLATE_NOOP("Reason", "the file is larger than %1 MB"), {std::to_string(kMaxFileBytes / (1024 * 1024))}};
    if (info.size() > kMaxFileBytes) {
        loadError_ = tooLarge;
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loadError_ = {KVR_TRANSLATE_NOOP("Reason", "the file cannot be read: %1"), {file.errorString().toStdString()}};
        return;
    }
    // The size may have changed since it was looked at.
    const QByteArray content = file.read(kMaxFileBytes + 1);
    if (content.size() > kMaxFileBytes) {
        loadError_ = tooLarge;
        return;
    }
    loadError_ = Parse(content, document_);
}

Sentence CXMLArchive::CopyElement(QXmlStreamReader& reader, QDomDocument& tree, long maxElements) {
    // A default document has no tree until its first element is made.
    QDomNode at;
    int depth = 0;
    long elements = 0;
    do {
        switch (reader.tokenType()) {
            case QXmlStreamReader::StartElement: {
                if (++depth > kMaxDepth) return {KVR_TRANSLATE_NOOP("Reason", "elements nest more than %1 deep"), {std::to_string(kMaxDepth)}};
                if (++elements > maxElements)
                    return {KVR_TRANSLATE_NOOP("Reason", "the file has more than %1 elements"), {std::to_string(maxElements)}};
                QDomElement e = tree.createElement(reader.name().toString());
                (at.isNull() ? static_cast<QDomNode&>(tree) : at).appendChild(e);
                at = e;
                break;
            }
            case QXmlStreamReader::EndElement:
                at = at.parentNode();
                if (--depth == 0) return {};
                break;
            case QXmlStreamReader::Characters:
                // White space between elements is layout, not a value.
                if (!reader.isWhitespace() || reader.isCDATA()) at.appendChild(tree.createTextNode(reader.text().toString()));
                break;
            case QXmlStreamReader::DTD: return {KVR_TRANSLATE_NOOP("Reason", "the file has a document type declaration")};
            case QXmlStreamReader::EntityReference: return {KVR_TRANSLATE_NOOP("Reason", "the file refers to an entity")};
            default: break;
        }
        reader.readNext();
    } while (!reader.atEnd());
    return reader.hasError() ? NotWellFormed(reader) : Sentence{KVR_TRANSLATE_NOOP("Reason", "the file ends inside an element")};
}

Sentence CXMLArchive::NotWellFormed(const QXmlStreamReader& reader) {
    return {KVR_TRANSLATE_NOOP("Reason", "not well-formed XML (line %1: %2)"),
            {std::to_string(reader.lineNumber()), reader.errorString().toStdString()}};
}

int CXMLArchive::MostAttributes(const QByteArray& content) {
    int most = 0, count = 0;
    bool inTag = false;
    char quote = 0;
    const char* p = content.constData();
    const char* const end = p + content.size();
    for (; p < end; ++p) {
        const char c = *p;
        if (quote) {
            if (c == quote) quote = 0;
        } else if (!inTag) {
            // A start tag: '<' and a name; comments, declarations and end tags hold no attributes.
            if (c == '<' && p + 1 < end && p[1] != '/' && p[1] != '!' && p[1] != '?') inTag = true, count = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '=') {
            most = std::max(most, ++count);
        } else if (c == '>') {
            inTag = false;
        }
    }
    return most;
}

Sentence CXMLArchive::Parse(const QByteArray& content, QDomDocument& document) {
    // One pass of the streaming reader builds the tree. It stops at the first
    // DTD before any entity is expanded, and at nesting no document has.
    document = QDomDocument();
    if (MostAttributes(content) > kMaxAttributes)
        return {KVR_TRANSLATE_NOOP("Reason", "an element has more than %1 attributes"), {std::to_string(kMaxAttributes)}};
    QDomDocument tree;
    QXmlStreamReader reader(content);
    bool root = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::DTD: return {KVR_TRANSLATE_NOOP("Reason", "the file has a document type declaration")};
            case QXmlStreamReader::EntityReference: return {KVR_TRANSLATE_NOOP("Reason", "the file refers to an entity")};
            case QXmlStreamReader::StartElement: {
                if (root) return {KVR_TRANSLATE_NOOP("Reason", "not well-formed XML (more than one top-level element)")};
                root = true;
                Sentence why = CopyElement(reader, tree);
                if (!why.text.empty()) return why;
                break;
            }
            default: break;
        }
    }
    if (reader.hasError()) return NotWellFormed(reader);
    if (!root) return {KVR_TRANSLATE_NOOP("Reason", "not well-formed XML (no element)")};
    document = tree;
    return {};
}

CXMLArchiveNode* CXMLArchive::OpenElement(const std::string& name) {
    const QString tag = QString::fromStdString(name);
    CXMLArchiveNode* inner = nodes_.empty() ? nullptr : nodes_.back().get();
    // The outermost element's parent is the document itself, kept as a null node:
    // the document gets its tree only when the first element is created.
    const QDomNode parent = inner ? QDomNode(inner->element()) : QDomNode();
    QDomElement element;
    int pre = -1, last = -1;
    if (isStoring()) {
        element = document_.createElement(tag);
    } else if (!inner) {
        const Range all = descendants(tag, -2, -2);
        if (all.first != all.second) {
            element = all.first->element;
            pre = all.first->pre;
            last = all.first->last;
        }
    } else {
        if (!inner->hasElement()) return nullptr;
        element = inner->takeOccurrence(tag, pre, last);
    }
    nodes_.push_back(std::make_unique<CXMLArchiveNode>(*this, element, parent, pre, last));
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
    // The old file is replaced only by a complete new one.
    const QByteArray bytes = toBytes();
    saveError_ = WriteFileAtomically(path_, std::string_view(bytes.constData(), size_t(bytes.size())));
    return saveError_.empty();
}
