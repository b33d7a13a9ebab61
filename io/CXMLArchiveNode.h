#pragma once
// One open element of a CXMLArchive. A serialise routine exchanges its values
// through the node of its element: when storing, each exchange appends a value
// element at once; when loading, each reads the first descendant element of
// that name (and leaves the value alone when there is none, or when the node
// itself stands for an element that was not found).
#include <string>
#include <QtCore/QHash>

#include <QtXml/QDomElement>

class CXMLArchive;

class CXMLArchiveNode {
public:
    CXMLArchiveNode(CXMLArchive& archive, QDomElement element, QDomNode parent);
    CXMLArchiveNode(const CXMLArchiveNode&) = delete;
    CXMLArchiveNode& operator=(const CXMLArchiveNode&) = delete;
    virtual ~CXMLArchiveNode() = default;

    // False when loading and the element this node stands for is not in the file.
    bool hasElement() const { return !element_.isNull(); }
    const QDomElement& element() const { return element_; }
    const QDomNode& parent() const { return parent_; }

    // Texts ending in a space get the marker "_TRSP#@" in the file, so that the
    // space survives parsers that trim.
    void ExchangeText(const std::string& name, std::string& text);
    // Loading a missing real keeps its value; so does a value that is not finite.
    void ExchangeReal(const std::string& name, double& value);
    // A single-precision value written as its own shortest text, so it reads back
    // bit for bit; loading narrows as ExchangeReal would, keeping the value when
    // it does not fit a float.
    void ExchangeFloat(const std::string& name, float& value);
    // Loading a missing integer gives 0.
    void ExchangeInteger(const std::string& name, int& value);
    // As ExchangeInteger, but a missing element keeps the value: for settings
    // that older files do not have.
    void ExchangeOptionalInteger(const std::string& name, int& value);

    // Loading: the k-th descendant element named `name` for the k-th call with
    // that name under this node (document order); null when there are fewer.
    QDomElement takeOccurrence(const QString& name);

private:
    // Storing: appends <name>text</name>. Loading: the first descendant named
    // `name`, or null.
    void write(const std::string& name, const std::string& text);
    // Loading: the text of the first descendant `name`, marker removed; false when none.
    bool read(const std::string& name, std::string& text) const;
    QDomElement firstDescendant(const std::string& name) const;

    struct Occurrence {
        int count = 0;      // calls so far with this name
        QDomElement last;   // the element the last call took
    };

    CXMLArchive& archive_;
    QDomElement element_;
    QDomNode parent_;
    QHash<QString, Occurrence> occurrences_;
};

// The element after `from` in document order within `root`'s subtree (not
// `root` itself) whose tag is `name`; null when there is none. Iterative, so
// deep nesting cannot exhaust the stack.
QDomElement NextElementNamed(const QDomNode& root, const QDomNode& from, const QString& name);
