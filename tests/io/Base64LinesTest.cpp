// SPDX-License-Identifier: MIT
// The line layout of the documents' Base64 text, around every boundary of a
// line and of a final partial group.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/Base64Lines.h"

namespace {

std::vector<unsigned char> Bytes(size_t n) {
    std::vector<unsigned char> b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(i * 37 + 11);
    return b;
}

struct LayoutCase {
    size_t bytes;
    std::vector<size_t> lineLengths;  // lengths of the parts between CR LFs
};

class Base64LinesTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(Base64LinesTest, LinesOfNineteenGroups) {
    const LayoutCase& c = GetParam();
    const std::vector<unsigned char> data = Bytes(c.bytes);
    const std::string text = EncodeBase64Lines(data);
    std::vector<size_t> lengths;
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lengths.push_back(at - start);
    lengths.push_back(text.size() - start);
    EXPECT_EQ(lengths, c.lineLengths);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") == std::string::npos ? std::string::npos : text.find("\r\n") + 1);
    EXPECT_EQ(DecodeBase64Lines(text), data);
}

// 57 bytes are 19 complete groups: one full line, then CR LF and an empty rest.
INSTANTIATE_TEST_SUITE_P(
    Boundaries, Base64LinesTest,
    ::testing::Values(LayoutCase{0, {0}}, LayoutCase{1, {4}}, LayoutCase{2, {4}}, LayoutCase{3, {4}},
                      LayoutCase{56, {76}}, LayoutCase{57, {76, 0}}, LayoutCase{58, {76, 4}},
                      LayoutCase{59, {76, 4}}, LayoutCase{60, {76, 4}}, LayoutCase{113, {76, 76}},
                      LayoutCase{114, {76, 76, 0}}, LayoutCase{115, {76, 76, 4}},
                      LayoutCase{171, {76, 76, 76, 0}}, LayoutCase{172, {76, 76, 76, 4}}));

TEST(Base64Lines, KnownTexts) {
    const struct {
        std::string bytes, text;
    } rows[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
                {"\xff\xfe\xfd", "//79"}};
    for (const auto& r : rows) {
        const std::vector<unsigned char> data(r.bytes.begin(), r.bytes.end());
        EXPECT_EQ(EncodeBase64Lines(data), r.text) << r.bytes;
        EXPECT_EQ(DecodeBase64Lines(r.text), data) << r.text;
    }
}

TEST(Base64Lines, DecodingSkipsWhatIsNotInTheAlphabet) {
    const std::vector<unsigned char> foob = {'f', 'o', 'o', 'b'};
    EXPECT_EQ(DecodeBase64Lines("Zm9v\r\nYg=="), foob);
    EXPECT_EQ(DecodeBase64Lines(" Z m 9 v\tY g"), foob);
    EXPECT_EQ(DecodeBase64Lines("Zm=9vYg"), foob) << "a stray '=' is skipped, not an end";
    EXPECT_TRUE(DecodeBase64Lines("\r\n=== !!").empty());
    EXPECT_TRUE(DecodeBase64Lines("Z").empty()) << "six bits make no byte";
}

}  // namespace
