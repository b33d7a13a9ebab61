#include "io/Base64Lines.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kGroupsPerLine = 19;

int SextetOf(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

QByteArray EncodeBase64Lines(const QByteArray& bytes) {
    const qsizetype groups = bytes.size() / 3, rest = bytes.size() % 3;
    QByteArray out;
    out.reserve((groups + 1) * 4 + (groups / kGroupsPerLine + 1) * 2);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype g = 0; g < groups; ++g, p += 3) {
        const unsigned v = (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
        if ((g + 1) % kGroupsPerLine == 0) out += "\r\n";
    }
    if (rest > 0) {
        const unsigned v = (unsigned(p[0]) << 16) | (rest == 2 ? unsigned(p[1]) << 8 : 0u);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

QByteArray DecodeBase64Lines(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() / 4 * 3 + 3);
    unsigned v = 0;
    int n = 0;
    for (char c : text) {
        const int s = SextetOf(static_cast<unsigned char>(c));
        if (s < 0) continue;
        v = (v << 6) | unsigned(s);
        if (++n == 4) {
            out += char((v >> 16) & 0xFF);
            out += char((v >> 8) & 0xFF);
            out += char(v & 0xFF);
            v = 0;
            n = 0;
        }
    }
    if (n == 2) out += char((v >> 4) & 0xFF);
    if (n == 3) {
        out += char((v >> 10) & 0xFF);
        out += char((v >> 2) & 0xFF);
    }
    return out;
}
