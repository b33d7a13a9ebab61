// SPDX-License-Identifier: MIT
#pragma once
// Numbers as the document file writes and reads them.
#include <string>
#include <string_view>

// Shortest text that reads back to the same double, in fixed notation with at
// least two decimals ("1.00", "-0.00", "0.1234567"); very large or very small
// magnitudes use exponent notation. Not-a-number and infinities are written
// as "nan", "inf" and "-inf" (readers keep their value for these).
std::string FormatReal(double v);
// The same for a single-precision value: the shortest text that reads back to
// the same float.
std::string FormatFloat(float v);

// The leading decimal number of text, read the way atof reads it: leading
// white space skipped, 0 when there is no number. False when the number is
// not finite or overflows a double (the caller then keeps its value).
bool ReadLeadingReal(std::string_view text, double& value);
// As ReadLeadingReal for a float: read at single precision, so that the
// shortest float text reads back bit for bit; false when it does not fit a float.
bool ReadLeadingFloat(std::string_view text, float& value);
// The leading decimal integer of text, read the way atoi reads it, clamped to
// the int range; 0 when there is none.
int ReadLeadingInteger(std::string_view text);
