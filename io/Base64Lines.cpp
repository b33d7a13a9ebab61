// SPDX-License-Identifier: MIT
#include "io/Base64Lines.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kGroupsPerLine = 19;

int Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string EncodeBase64Lines(const unsigned char* data, size_t size) {
    std::string out;
    const size_t groups = size / 3;
    out.reserve((size + 2) / 3 * 4 + groups / kGroupsPerLine * 2 + 2);
    for (size_t g = 0; g < groups; ++g) {
        const unsigned v = unsigned(data[3 * g]) << 16 | unsigned(data[3 * g + 1]) << 8 | data[3 * g + 2];
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += kAlphabet[v >> 6 & 63];
        out += kAlphabet[v & 63];
        if ((g + 1) % kGroupsPerLine == 0) out += "\r\n";
    }
    const size_t rest = size % 3;
    if (rest > 0) {
        const unsigned char* p = data + 3 * groups;
        const unsigned v = unsigned(p[0]) << 16 | (rest == 2 ? unsigned(p[1]) << 8 : 0u);
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

std::string EncodeBase64Lines(const std::vector<unsigned char>& bytes) {
    return EncodeBase64Lines(bytes.data(), bytes.size());
}

std::vector<unsigned char> DecodeBase64Lines(std::string_view text) {
    std::vector<unsigned char> out;
    out.reserve(text.size() / 4 * 3);
    unsigned bits = 0;
    int count = 0;
    for (const char c : text) {
        const int v = Value(c);
        if (v < 0) continue;
        bits = (bits << 6 | unsigned(v)) & 0xFFFFFF;
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<unsigned char>(bits >> count & 0xFF));
        }
    }
    return out;
}
