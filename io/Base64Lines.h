// SPDX-License-Identifier: MIT
#pragma once
// Base64 as documents carry their thumbnail: the standard alphabet with "="
// fill, complete 3-byte groups 19 to a line (76 characters), lines separated
// by CR LF. The complete groups after the last full line form a last line
// without CR LF, followed on that line by the final 1- or 2-byte group; when
// the number of complete groups is a positive multiple of 19 the last full
// line also ends with CR LF. Decoding skips every character outside the
// alphabet (CR, LF, "=", spaces) and stops at the end of the text.
#include <string>
#include <string_view>
#include <vector>

std::string EncodeBase64Lines(const unsigned char* data, size_t size);
std::string EncodeBase64Lines(const std::vector<unsigned char>& bytes);
std::vector<unsigned char> DecodeBase64Lines(std::string_view text);
