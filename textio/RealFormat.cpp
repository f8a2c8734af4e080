// Number formatting and parsing: %g-compatible output through the shortest
// round-trip form, whole-token parsing through std::from_chars.
#include "textio/RealFormat.h"

#include <charconv>
#include <cstring>

namespace textio {

namespace {

char* formatRealSlow(char* buf, double v, int precision)
{
    auto r = std::to_chars(buf, buf + maxRealChars, v, std::chars_format::general, precision);
    return r.ptr;
}

}  // namespace

char* formatReal(char* buf, double v, int precision)
{
    // Subnormal values carry too few bits, and 16 or 17 digits are finer than
    // the rounding argument below allows: those take the general path.
    double magnitude = v < 0 ? -v : v;
    if (precision > 15 || (magnitude != 0.0 && magnitude < 2.2250738585072014e-308)) {
        return formatRealSlow(buf, v, precision);
    }
    // Fast path: when the shortest round-trip form has no more significant
    // digits than asked for, rounding the exact value to that precision gives
    // the very same digits (the rounding grid is far coarser than one ulp), so
    // only the %g layout has to be applied.
    char sci[maxRealChars];
    auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific);
    if (r.ec != std::errc()) {
        return formatRealSlow(buf, v, precision);
    }
    const char* p = sci;
    const char* end = r.ptr;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    if (*p < '0' || *p > '9') {  // inf or nan
        return formatRealSlow(buf, v, precision);
    }
    char digits[24];
    int nd = 0;
    while (p < end && *p != 'e') {
        if (*p != '.') {
            digits[nd++] = *p;
        }
        ++p;
    }
    if (nd > precision || p == end) {
        return formatRealSlow(buf, v, precision);
    }
    ++p;  // 'e'
    int exponent = 0;
    bool expNegative = (*p == '-');
    ++p;  // sign
    while (p < end) {
        exponent = exponent * 10 + (*p - '0');
        ++p;
    }
    if (expNegative) {
        exponent = -exponent;
    }
    if (exponent < -4 || exponent >= precision) {
        // %g keeps the scientific form; the shortest form already has no
        // trailing zeros and at least two exponent digits.
        std::size_t n = static_cast<std::size_t>(end - sci);
        std::memcpy(buf, sci, n);
        return buf + n;
    }
    char* out = buf;
    if (negative) {
        *out++ = '-';
    }
    if (exponent >= 0) {
        int intDigits = exponent + 1;
        for (int i = 0; i < intDigits; ++i) {
            *out++ = i < nd ? digits[i] : '0';
        }
        if (nd > intDigits) {
            *out++ = '.';
            for (int i = intDigits; i < nd; ++i) {
                *out++ = digits[i];
            }
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = 0; i < -exponent - 1; ++i) {
            *out++ = '0';
        }
        for (int i = 0; i < nd; ++i) {
            *out++ = digits[i];
        }
    }
    return out;
}

std::string realToString(double v, int precision)
{
    char buf[maxRealChars];
    return std::string(buf, formatReal(buf, v, precision));
}

bool parseReal(std::string_view text, double& out)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && (*first == '-' || *first == '+')) {
            return false;
        }
    }
    if (first == last) {
        return false;
    }
    auto r = std::from_chars(first, last, out);
    return r.ec == std::errc() && r.ptr == last;
}

bool parseInt(std::string_view text, long long& out)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && (*first == '-' || *first == '+')) {
            return false;
        }
    }
    if (first == last) {
        return false;
    }
    auto r = std::from_chars(first, last, out);
    return r.ec == std::errc() && r.ptr == last;
}

bool leadingInt(std::string_view text, long long& out, std::size_t* used)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    out = 0;
    if (used) {
        *used = i == start ? 0 : i;
    }
    if (i == start) {
        return true;
    }
    unsigned long long value = 0;
    auto r = std::from_chars(text.data() + start, text.data() + i, value);
    if (r.ec != std::errc() || value > 0x7fffffffffffffffULL) {
        return false;
    }
    out = negative ? -static_cast<long long>(value) : static_cast<long long>(value);
    return true;
}

}  // namespace textio
