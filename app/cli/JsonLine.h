// SPDX-License-Identifier: MIT
#pragma once
#include <ostream>
#include <string_view>
#include <type_traits>

#include <QtCore/QByteArray>

#include "core/PointF.h"

// Appends JSON text to one line. Hand-written rather than QJsonObject, which
// sorts its keys: a line's key order is part of each command's contract, and
// building it directly keeps 100 000 equations well inside a second.
class JsonLine {
public:
    explicit JsonLine(QByteArray& out) : out_(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    void Key(std::string_view name);
    void Bool(bool v) { Scalar(v ? "true" : "false"); }
    void Int(int v);
    // Shortest text that reads back to the same double; null when not finite.
    void Number(double v);
    // Single-precision values: their shortest float text; null when not finite.
    void Number(float v);
    // Invalid UTF-8 becomes U+FFFD so the line stays valid JSON.
    void String(std::string_view text);
    // A point as [x, y].
    void Point(const PointF& p) {
        BeginArray();
        Number(p.x);
        Number(p.y);
        EndArray();
    }
    // An array of numbers (doubles or floats, each as Number writes it).
    template <class Range>
    void Numbers(const Range& values) {
        BeginArray();
        for (auto v : values) Number(v);
        EndArray();
    }

    // One "key": value pair, the value written as its type asks: a bool, a whole
    // number or an enumerator, a double or a float, a text, a point, or a range of
    // numbers.
    template <class T>
    void Field(std::string_view key, const T& value) {
        Key(key);
        if constexpr (std::is_same_v<T, bool>)
            Bool(value);
        else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
            Int(static_cast<int>(value));
        else if constexpr (std::is_floating_point_v<T>)
            Number(value);
        else if constexpr (std::is_convertible_v<const T&, std::string_view>)
            String(value);
        else if constexpr (std::is_base_of_v<PointF, T>)
            Point(value);
        else
            Numbers(value);
    }

private:
    void AppendEscaped(std::string_view text);
    void Separate();
    void Scalar(std::string_view text);
    void Open(char c);
    void Close(char c);

    QByteArray& out_;
    bool needComma_ = false;
    bool afterKey_ = false;
};

// Writes one finished JSON object and its line break: one line of JSON Lines.
inline void WriteJsonLine(std::ostream& out, const QByteArray& json) {
    out.write(json.constData(), json.size());
    out.put('\n');
}
