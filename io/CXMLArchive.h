// SPDX-License-Identifier: MIT
#pragma once
// Turns objects into a tree of XML elements and back. Every serialisable object
// has one routine that both writes and reads itself: it asks isLoading(),
// opens its element, exchanges its values through the returned node, calls the
// routines of its sub-objects and closes its element, so that one routine fixes
// the element order for both directions.
//
// Loading parses the whole file when the archive is made; a file that cannot
// be read or is not acceptable XML leaves an empty tree (every lookup finds
// nothing) and says why in loadError(). Storing writes the file in Close(),
// atomically: the old file stays as it was unless the new one was written in
// full.
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QtCore/QHash>

#include <QtCore/QByteArray>
#include <QtXml/QDomDocument>

class QXmlStreamReader;

#include "core/Translatable.h"
#include "io/CXMLArchiveNode.h"

class CXMLArchive {
public:
    // Mode bits as documents use them: 1 loading (clear: storing), 2 no flush on delete.
    enum Mode : int { kLoadBit = 1, kNoFlushBit = 2, kStore = 2, kLoad = 3 };

    // Files above this size are refused before they are read (bytes). A document
    // of 50 equations with its thumbnail is well under a megabyte.
    static constexpr qint64 kMaxFileBytes = 32LL * 1024 * 1024;
    // Documents nest five deep; anything much deeper is not a document.
    static constexpr int kMaxDepth = 64;
    // Elements in one file: a document at every bound of its content (a
    // thousand equations of at most about 120 elements, ten thousand
    // attribute points of about 40) has fewer. The tree is built as the file
    // is read, so the bound keeps any file under the size cap to about 250 MB,
    // and a file past it fails as soon as the bound is reached.
    static constexpr long kMaxElements = 1000L * 120 + 10000L * 40;
    // Documents carry no attributes; a start tag with more than this many is
    // refused before the XML reader (whose duplicate check is quadratic in
    // them) ever sees it.
    static constexpr int kMaxAttributes = 64;

    CXMLArchive(const std::string& path, int mode);
    // Loading from bytes already in memory (tests, the library scan).
    explicit CXMLArchive(const QByteArray& content);
    // Loading from a tree already built.
    explicit CXMLArchive(QDomDocument document);
    CXMLArchive(const CXMLArchive&) = delete;
    CXMLArchive& operator=(const CXMLArchive&) = delete;
    ~CXMLArchive();

    bool isLoading() const { return (mode_ & kLoadBit) != 0; }
    bool isStoring() const { return !isLoading(); }

    // A new node for element `name` under the innermost open node (or the
    // document); null when loading under a node whose element was not found.
    CXMLArchiveNode* OpenElement(const std::string& name);
    // Finishes the innermost node (storing: attaches its element to its parent)
    // and returns the number of nodes still open.
    int CloseElement();

    // Storing: writes the tree to the path. False, with saveError(), when the
    // file could not be written; the old file is then untouched. Loading: nothing.
    bool Close();

    // The tree as the file holds it (storing: what Close writes).
    QByteArray toBytes() const;

    // Loading: every element of the document in document order, by tag name,
    // with its place in that order (`pre`) and that of its last descendant
    // (`last`); built by one walk of the tree when the file is read.
    struct Indexed {
        int pre;
        int last;
        QDomElement element;
    };
    using Range = std::pair<const Indexed*, const Indexed*>;
    // The elements named `name` inside the element at [pre, last] (the whole
    // document for pre = -2), in document order.
    Range descendants(const QString& name, int pre, int last) const;

    // The innermost open node; null when none is open.
    CXMLArchiveNode* nodeForTest() const { return nodes_.empty() ? nullptr : nodes_.back().get(); }

    // Why the file could not be loaded ("" when it could), and the same as a sentence for the window.
    std::string loadError() const { return loadError_.english(); }
    const Sentence& loadErrorReason() const { return loadError_; }
    const std::string& saveError() const { return saveError_; }
    const QDomDocument& document() const { return document_; }

    // Checks and parses file content; on failure `document` is left empty and
    // the reason returned. A DTD is refused (documents never have one; it is the
    // door to entity expansion), as are nesting beyond kMaxDepth and content
    // that is not well-formed.
    static Sentence Parse(const QByteArray& content, QDomDocument& document);
    // Copies the element the reader stands on, with everything inside it, into
    // `tree` (as its top element); the reader ends on its end tag. Refuses DTDs,
    // entity references, nesting beyond kMaxDepth and more than `maxElements`
    // elements; returns why, or "".
    static Sentence CopyElement(QXmlStreamReader& reader, QDomDocument& tree, long maxElements = kMaxElements);
    // The most attributes any start tag of `content` has, counted in one pass
    // over the bytes (the '=' signs outside quoted values).
    static int MostAttributes(const QByteArray& content);

private:
    void loadFile();
    void buildIndex();
    static Sentence NotWellFormed(const QXmlStreamReader& reader);

    std::string path_;
    int mode_;
    QDomDocument document_;
    std::deque<std::unique_ptr<CXMLArchiveNode>> nodes_;
    QHash<QString, std::vector<Indexed>> index_;
    bool closed_ = false;
    Sentence loadError_;
    std::string saveError_;
};
