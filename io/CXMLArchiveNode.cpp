// SPDX-License-Identifier: MIT
#include "io/CXMLArchiveNode.h"

#include "io/CXMLArchive.h"
#include "io/NumberText.h"

namespace {

// Appended in the file to a text that ends in a space.
const std::string kTrailingSpaceMarker = "_TRSP#@";

bool EndsWithMarker(const std::string& text) {
    return text.size() >= kTrailingSpaceMarker.size() &&
           text.compare(text.size() - kTrailingSpaceMarker.size(), kTrailingSpaceMarker.size(), kTrailingSpaceMarker) == 0;
}

bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// XML 1.0 cannot hold control characters other than tab, CR and LF, nor
// unpaired surrogates: a file holding them would not open again, so they are
// left out of what is written.
QString XmlSafe(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (!c.isSurrogate() && IsXmlChar(c.unicode())) {
            out += c;
        }
    }
    return out;
}

}  // namespace

QDomElement NextElementNamed(const QDomNode& root, const QDomNode& from, const QString& name) {
    QDomNode n = from;
    for (;;) {
        // Pre-order successor of n inside root.
        QDomNode next = n.firstChild();
        if (next.isNull()) {
            while (!n.isNull() && n != root) {
                next = n.nextSibling();
                if (!next.isNull()) break;
                n = n.parentNode();
            }
            if (next.isNull()) return QDomElement();
        }
        n = next;
        if (n.isElement()) {
            QDomElement e = n.toElement();
            if (name.isEmpty() || e.tagName() == name) return e;
        }
    }
}

CXMLArchiveNode::CXMLArchiveNode(CXMLArchive& archive, QDomElement element, QDomNode parent, int pre, int last)
    : archive_(archive), element_(std::move(element)), parent_(std::move(parent)), pre_(pre), last_(last) {}

QDomElement CXMLArchiveNode::takeOccurrence(const QString& name, int& pre, int& last) {
    const int k = occurrences_[name]++;
    const CXMLArchive::Range all = archive_.descendants(name, pre_, last_);
    if (k >= all.second - all.first) return QDomElement();
    const CXMLArchive::Indexed& found = all.first[k];
    pre = found.pre;
    last = found.last;
    return found.element;
}

void CXMLArchiveNode::write(const std::string& name, const std::string& text) {
    QDomDocument doc = element_.ownerDocument();
    QDomElement value = doc.createElement(QString::fromStdString(name));
    if (!text.empty()) value.appendChild(doc.createTextNode(XmlSafe(QString::fromUtf8(text.data(), qsizetype(text.size())))));
    element_.appendChild(value);
}

bool CXMLArchiveNode::read(const std::string& name, std::string& text) {
    const CXMLArchive::Range all = archive_.descendants(QString::fromStdString(name), pre_, last_);
    if (all.first == all.second) return false;
    text = all.first->element.text().toStdString();
    if (EndsWithMarker(text)) text.resize(text.size() - kTrailingSpaceMarker.size());
    return true;
}

void CXMLArchiveNode::ExchangeText(const std::string& name, std::string& text) {
    if (!hasElement()) return;
    // A text that itself ends in the marker gets one more, so that reading, which
    // removes one, gives it back unchanged.
    if (archive_.isStoring()) write(name, (!text.empty() && text.back() == ' ') || EndsWithMarker(text) ? text + kTrailingSpaceMarker : text);
    else read(name, text);
}

void CXMLArchiveNode::ExchangeReal(const std::string& name, double& value) {
    if (!hasElement()) return;
    std::string text;
    if (archive_.isStoring()) write(name, FormatReal(value));
    else if (read(name, text)) ReadLeadingReal(text, value);
}

void CXMLArchiveNode::ExchangeFloat(const std::string& name, float& value) {
    if (!hasElement()) return;
    std::string text;
    if (archive_.isStoring()) write(name, FormatFloat(value));
    else if (read(name, text)) ReadLeadingFloat(text, value);
}

void CXMLArchiveNode::ExchangeInteger(const std::string& name, int& value) {
    if (!hasElement()) return;
    std::string text;  // stays empty when the element is missing: 0
    if (archive_.isStoring()) write(name, std::to_string(value));
    else {
        read(name, text);
        value = ReadLeadingInteger(text);
    }
}

void CXMLArchiveNode::ExchangeOptionalInteger(const std::string& name, int& value) {
    if (!hasElement()) return;
    if (archive_.isLoading()) {
        const CXMLArchive::Range all = archive_.descendants(QString::fromStdString(name), pre_, last_);
        if (all.first == all.second) return;
    }
    ExchangeInteger(name, value);
}
