// Number formatting and parsing shared by every text file the program reads or writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace textio {

// Longest text formatReal can produce ("-1.23456789012e-308" and the like).
constexpr std::size_t maxRealChars = 32;

// Writes v as printf's "%.*g" with the given precision (1..17) would, into buf
// (at least maxRealChars long); answers the end of the written text.
char* formatReal(char* buf, double v, int precision);

std::string realToString(double v, int precision);

// Parses a whole token as a real number: decimal or exponent notation with an
// optional sign. Answers false for anything else, including a partial number.
bool parseReal(std::string_view text, double& out);

// Parses a whole token as a decimal integer with an optional sign.
bool parseInt(std::string_view text, long long& out);

// As C's atoi: leading white space, an optional sign and as many digits as
// follow; 0 when there are none. Values beyond the 64-bit range answer false.
bool leadingInt(std::string_view text, long long& out, std::size_t* used = nullptr);

// Compares ASCII letters without regard to case, as keywords and names are.
bool equalIgnoringCase(std::string_view a, std::string_view b);
// Without blanks, tabs and carriage returns at either end.
std::string_view trimmed(std::string_view s);

}  // namespace textio
