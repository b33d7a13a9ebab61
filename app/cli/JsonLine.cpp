// SPDX-License-Identifier: MIT
#include "app/cli/JsonLine.h"

#include <charconv>
#include <cmath>

#include <QtCore/QString>

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

void JsonLine::Key(std::string_view name) {
    Separate();
    out_.append('"').append(name.data(), qsizetype(name.size())).append("\":");
    afterKey_ = true;
}

void JsonLine::Int(int v) {
    char buf[16];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    Scalar(std::string_view(buf, size_t(end - buf)));
}

void JsonLine::Number(double v) {
    if (!std::isfinite(v)) return Scalar("null");
    if (v == 0.0) v = 0.0;  // no "-0"
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    Scalar(std::string_view(buf, size_t(end - buf)));
}

void JsonLine::Number(float v) {
    if (!std::isfinite(v)) return Scalar("null");
    if (v == 0.0f) v = 0.0f;
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    Scalar(std::string_view(buf, size_t(end - buf)));
}

void JsonLine::String(std::string_view text) {
    Separate();
    out_.append('"');
    if (IsAscii(text)) {
        AppendEscaped(text);
    } else {
        const QByteArray utf8 = QString::fromUtf8(text.data(), qsizetype(text.size())).toUtf8();
        AppendEscaped(std::string_view(utf8.constData(), size_t(utf8.size())));
    }
    out_.append('"');
}

void JsonLine::AppendEscaped(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_.append('\\').append(c);
        } else if (u < 0x20) {
            switch (c) {
                case '\n': out_.append("\\n"); break;
                case '\r': out_.append("\\r"); break;
                case '\t': out_.append("\\t"); break;
                default: out_.append("\\u00").append(kHex[u >> 4]).append(kHex[u & 15]);
            }
        } else {
            out_.append(c);
        }
    }
}

void JsonLine::Separate() {
    if (!afterKey_ && needComma_) out_.append(',');
    afterKey_ = false;
    needComma_ = true;
}

void JsonLine::Scalar(std::string_view text) {
    Separate();
    out_.append(text.data(), qsizetype(text.size()));
}

void JsonLine::Open(char c) {
    Separate();
    out_.append(c);
    needComma_ = false;
}

void JsonLine::Close(char c) {
    out_.append(c);
    needComma_ = true;
}
