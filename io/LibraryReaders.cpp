// SPDX-License-Identifier: MIT
#include "io/LibraryReaders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/DocumentLimits.h"
#include "io/FeatureArchive.h"
#include "io/NumberText.h"
#include "io/ThumbnailRead.h"

namespace {

// Cuts `prefix` off `text` when it starts with it.
bool Take(std::string_view& text, std::string_view prefix)
{
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// "<name>number</name>": the number's text, digits, signs, points and
// exponents only (anything else, entities included, is for the full reader).
bool TakeValue(std::string_view& text, std::string_view name, std::string_view& value)
{
    if (text.size() < name.size() + 2 || text[0] != '<' || text.substr(1, name.size()) != name ||
        text[name.size() + 1] != '>')
        return false;
    text.remove_prefix(name.size() + 2);
    std::size_t n = 0;
    while (n < text.size() && ((text[n] >= '0' && text[n] <= '9') || text[n] == '-' || text[n] == '+' ||
                               text[n] == '.' || text[n] == 'e' || text[n] == 'E'))
        ++n;
    if (n == 0) return false;
    value = text.substr(0, n);
    text.remove_prefix(n);
    return Take(text, "</") && Take(text, name) && Take(text, ">");
}

bool TakeInteger(std::string_view& text, std::string_view name, int& value)
{
    std::string_view digits;
    if (!TakeValue(text, name, digits)) return false;
    value = ReadLeadingInteger(digits);
    return true;
}

// Reads whole chunks from the start of a file until `enough` says the bytes
// suffice or `limit` bytes are in.
template <class Enough>
bool ReadHead(const std::string& path, std::string& head, std::size_t limit, Enough enough)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::size_t chunk = 2048;  // a graph of five equations fits
    while (ok && head.size() < limit) {
        const std::size_t at = head.size();
        head.resize(at + chunk);
        const ssize_t n = read(fd, head.data() + at, chunk);
        head.resize(at + std::size_t(n > 0 ? n : 0));
        if (n <= 0 || enough(head)) break;
        chunk *= 2;
    }
    close(fd);
    return ok;
}

}  // namespace

bool ReadWrittenFeature(std::string_view text, CFeature& feature)
{
    Take(text, "\xEF\xBB\xBF");
    if (!Take(text, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>") && !Take(text, "<?xml version=\"1.0\"?>")) return false;
    while (!text.empty() && (text[0] == '\n' || text[0] == '\r' || text[0] == ' ')) text.remove_prefix(1);
    std::string_view version;
    if (!Take(text, "<KVR>") || !TakeValue(text, "version", version) || !Take(text, "<feature>")) return false;
    int size = 0;
    if (!TakeInteger(text, "size", size)) return false;
    std::vector<FeatureElement> elements;
    while (Take(text, "<element>")) {
        // One element per equation of the document: more is no signature of ours.
        if (elements.size() >= std::size_t(kMaxEquations)) return false;
        FeatureElement e;
        std::string_view coeff;
        if (!TakeInteger(text, "type", e.type) || !TakeInteger(text, "order", e.order) ||
            !TakeValue(text, "highestCoeff", coeff) || !TakeInteger(text, "xintercepts", e.xintercepts) ||
            !TakeInteger(text, "yintercepts", e.yintercepts) || !TakeInteger(text, "extremePts", e.extremePts) ||
            !Take(text, "</element>"))
            return false;
        // A real that does not read as a finite number keeps the value it had: 0.
        if (!ReadLeadingReal(coeff, e.highestCoeff)) e.highestCoeff = 0;
        elements.push_back(e);
    }
    if (!Take(text, "</feature>")) return false;
    // The count says how many are read; a count beyond those present reads what is there.
    if (size < 0) size = 0;
    if (elements.size() > std::size_t(size)) elements.resize(std::size_t(size));
    feature.elements = std::move(elements);
    return true;
}

bool ReadLibraryFeature(const std::string& path, CFeature& feature)
{
    std::string head;
    if (ReadHead(path, head, 64 * 1024,
                 [](const std::string& h) { return h.find("</feature>") != std::string::npos; }) &&
        ReadWrittenFeature(head, feature))
        return true;
    return ReadDocumentFeature(path, feature);
}

FeatureReader DocumentFeatureReader()
{
    return [](const std::string& path, CFeature& feature) { return ReadLibraryFeature(path, feature); };
}

ThumbnailReader DocumentThumbnailReader()
{
    return [](const std::string& path) {
        QByteArray png;
        if (!ReadDocumentThumbnail(path, png)) return QImage();
        return QImage::fromData(png, "PNG");
    };
}
