#pragma once
// Text forms of plain values in the engine's XML files, shared by the reader and the writer.
//
// Reading accepts and refuses exactly what standard stream extraction in the classic locale
// does, without a stream: leading white space is skipped, then an optional sign, digits and,
// for floating-point numbers, a fraction and an exponent; whatever follows the number is
// ignored ("12abc" reads 12, "3.5" read as an integer reads 3). A text that does not start with
// a number of the type ("inf", "nan", "1e" are none), or whose number is too large for the type,
// leaves the value as it was and returns false; a floating-point number too small for the type
// reads as zero. Booleans are the numbers 0 and 1. Unsigned values refuse a leading minus,
// which stream extraction would wrap round ("-1" to 4294967295).
//
// Writing: attribute values with six significant digits (the C "%g" form, "1e+06"), element
// texts of floats and doubles with eight, integers in decimal. Always '.' as decimal point.
#include <string>

namespace Serializer
{
// Significant digits of numbers written as attribute values and as element texts.
constexpr int AttributeDigits = 6;
constexpr int ElementTextDigits = 8;

// A null text reads nothing.
bool ParseText(const char* text, int& value);
bool ParseText(const char* text, unsigned int& value);
bool ParseText(const char* text, float& value);
bool ParseText(const char* text, double& value);
bool ParseText(const char* text, bool& value);
// The same, but the text must hold the number and nothing else (white space around it aside):
// "1,5" and "12abc" read nothing. Member readers use these, so that a value written wrongly
// keeps the member's default instead of becoming part of itself.
bool ParseWholeText(const char* text, int& value);
bool ParseWholeText(const char* text, unsigned int& value);
bool ParseWholeText(const char* text, float& value);
bool ParseWholeText(const char* text, double& value);
bool ParseWholeText(const char* text, bool& value);
// count floats separated by white space from one text; all of them or none are stored.
bool ParseFloats(const char* text, float* values, int count);

// The shortest of fixed and exponent notation with the given significant digits ("%.*g").
std::string FormatNumber(double value, int significantDigits);
} // namespace Serializer
