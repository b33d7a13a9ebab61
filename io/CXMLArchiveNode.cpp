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
            if (e.tagName() == name) return e;
        }
    }
}

CXMLArchiveNode::CXMLArchiveNode(CXMLArchive& archive, QDomElement element, QDomNode parent)
    : archive_(archive), element_(std::move(element)), parent_(std::move(parent)) {}

QDomElement CXMLArchiveNode::takeOccurrence(const QString& name) {
    Occurrence& o = occurrences_[name];
    // Each call goes on from the element the previous one took, so taking all
    // of many same-named elements walks the tree once.
    const QDomNode from = o.count == 0 ? QDomNode(element_) : QDomNode(o.last);
    QDomElement found;
    if (o.count == 0 || !o.last.isNull()) found = NextElementNamed(element_, from, name);
    ++o.count;
    o.last = found;
    return found;
}

QDomElement CXMLArchiveNode::firstDescendant(const std::string& name) const {
    return NextElementNamed(element_, element_, QString::fromStdString(name));
}

void CXMLArchiveNode::write(const std::string& name, const std::string& text) {
    QDomDocument doc = element_.ownerDocument();
    QDomElement value = doc.createElement(QString::fromStdString(name));
    if (!text.empty()) value.appendChild(doc.createTextNode(XmlSafe(QString::fromUtf8(text.data(), qsizetype(text.size())))));
    element_.appendChild(value);
}

bool CXMLArchiveNode::read(const std::string& name, std::string& text) const {
    const QDomElement e = firstDescendant(name);
    if (e.isNull()) return false;
    text = e.text().toStdString();
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
    if (archive_.isLoading() && firstDescendant(name).isNull()) return;
    ExchangeInteger(name, value);
}
