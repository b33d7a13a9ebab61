// SPDX-License-Identifier: MIT
#pragma once
// One open element of a CXMLArchive. A serialise routine exchanges its values
// through the node of its element: when storing, each exchange appends a value
// element at once; when loading, each reads the first descendant element of
// that name (and leaves the value alone when there is none, or when the node
// itself stands for an element that was not found).
#include <string>
#include <QtCore/QHash>
#include <QtCore/QList>

#include <QtXml/QDomElement>

class CXMLArchive;

class CXMLArchiveNode {
public:
    // `pre` and `last`: the element's place in the archive's document order and
    // that of its last descendant (loading only; -1 for a missing element).
    CXMLArchiveNode(CXMLArchive& archive, QDomElement element, QDomNode parent, int pre = -1, int last = -1);
    CXMLArchiveNode(const CXMLArchiveNode&) = delete;
    CXMLArchiveNode& operator=(const CXMLArchiveNode&) = delete;
    ~CXMLArchiveNode() = default;

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
    // Its place in document order goes to `pre` and `last`.
    QDomElement takeOccurrence(const QString& name, int& pre, int& last);

private:
    // Storing: appends <name>text</name>.
    void write(const std::string& name, const std::string& text);
    // Loading: the text of the first descendant `name`, marker removed; false when none.
    bool read(const std::string& name, std::string& text);
    CXMLArchive& archive_;
    QDomElement element_;
    QDomNode parent_;
    int pre_ = -1, last_ = -1;
    QHash<QString, int> occurrences_;  // calls of takeOccurrence so far, by name
};

// The element after `from` in document order within `root`'s subtree (not
// `root` itself) whose tag is `name` (any tag when `name` is empty); null when
// there is none. Iterative, so
// deep nesting cannot exhaust the stack.
QDomElement NextElementNamed(const QDomNode& root, const QDomNode& from, const QString& name);
