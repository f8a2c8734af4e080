// Number formatting and parsing: %g-compatible output through the shortest
// round-trip form, whole-token parsing through std::from_chars.
#include "textio/RealFormat.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace textio {

namespace {

char* formatRealSlow(char* buf, double v, int precision)
{
    auto r = std::to_chars(buf, buf + maxRealChars, v, std::chars_format::general, precision);
    return r.ptr;
}

// %g's layout of nd significant digits (no trailing zeros) with the decimal
// exponent of the first: scientific below 1e-4 and from 10^precision on.
inline char* layoutG(char* buf, bool negative, const char* digits, int nd, int exponent, int precision)
{
    char* out = buf;
    if (negative) {
        *out++ = '-';
    }
    if (exponent < -4 || exponent >= precision) {
        // %g's scientific form: no trailing zeros, at least two exponent digits.
        *out++ = digits[0];
        if (nd > 1) {
            *out++ = '.';
            for (int i = 1; i < nd; ++i) {
                *out++ = digits[i];
            }
        }
        *out++ = 'e';
        int e = exponent;
        *out++ = e < 0 ? '-' : '+';
        if (e < 0) {
            e = -e;
        }
        if (e >= 100) {
            *out++ = static_cast<char>('0' + e / 100);
        }
        *out++ = static_cast<char>('0' + (e / 10) % 10);
        *out++ = static_cast<char>('0' + e % 10);
        return out;
    }
    auto copy = [&out](const char* from, int n) {
        std::memcpy(out, from, static_cast<std::size_t>(n));
        out += n;
    };
    if (exponent >= 0) {
        int intDigits = exponent + 1;
        if (nd <= intDigits) {
            copy(digits, nd);
            std::memset(out, '0', static_cast<std::size_t>(intDigits - nd));
            out += intDigits - nd;
        } else {
            copy(digits, intDigits);
            *out++ = '.';
            copy(digits + intDigits, nd - intDigits);
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        std::memset(out, '0', static_cast<std::size_t>(-exponent - 1));
        out += -exponent - 1;
        copy(digits, nd);
    }
    return out;
}

constexpr char digitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                              "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                              "8081828384858687888990919293949596979899";

constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Writes the `count` lowest decimal digits of v (zero-padded) ending just
// before `end`, two at a time, into their final place.
inline void writeDigits(char* end, std::uint64_t v, int count)
{
    while (count >= 2) {
        std::uint64_t pair = v % 100;
        v /= 100;
        end -= 2;
        end[0] = digitPairs[2 * pair];
        end[1] = digitPairs[2 * pair + 1];
        count -= 2;
    }
    if (count == 1) {
        *--end = static_cast<char>('0' + v % 10);
    }
}

// |v| rounded to `precision` significant digits as an integer with its
// trailing zeros removed (nd digits left) and the decimal exponent of its
// first digit, by one multiplication or division with an exactly
// representable power of ten. That one rounding is below 1.2e-4 of a unit in
// the last digit for up to 12 digits, so the result is the exact value's
// rounding unless the discarded fraction lies near one half; then, and
// outside the exact powers, this answers false.
bool scaledDigits(double magnitude, int precision, std::uint64_t& n, int& nd, int& exponent)
{
    if (precision > 12 || magnitude == 0.0) {
        return false;
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    int binaryExponent = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
    // floor(binaryExponent * log10(2)), in integers (78913 / 2^18).
    int e10 = (binaryExponent * 78913) >> 18;
    double scaled = 0.0;
    for (int attempt = 0;; ++attempt) {
        int k = precision - 1 - e10;
        if (k > 22 || k < -22 || attempt > 2) {
            return false;
        }
        scaled = k >= 0 ? magnitude * powersOfTen[k] : magnitude / powersOfTen[-k];
        if (scaled < powersOfTen[precision - 1]) {
            --e10;
        } else if (scaled >= powersOfTen[precision]) {
            ++e10;
        } else {
            break;
        }
    }
    // scaled is positive and below 2^40: truncation is floor.
    auto whole = static_cast<std::int64_t>(scaled);
    double fraction = scaled - static_cast<double>(whole);
    if (fraction > 0.499 && fraction < 0.501) {
        return false;
    }
    whole += fraction > 0.5 ? 1 : 0;
    if (whole >= static_cast<std::int64_t>(powersOfTen[precision])) {
        whole /= 10;
        ++e10;
    }
    auto value = static_cast<std::uint64_t>(whole);
    int digits = precision;
    if (digits > 6 && value % 1000000 == 0) {
        value /= 1000000;
        digits -= 6;
    }
    while (digits > 1 && value % 10 == 0) {
        value /= 10;
        --digits;
    }
    n = value;
    nd = digits;
    exponent = e10;
    return true;
}

// %g's layout of the nd-digit integer n whose first digit has the decimal
// exponent given, writing every digit straight into its place.
char* layoutInteger(char* out, bool negative, std::uint64_t n, int nd, int exponent, int precision)
{
    if (negative) {
        *out++ = '-';
    }
    if (exponent < -4 || exponent >= precision) {
        std::uint64_t rest = n % static_cast<std::uint64_t>(powersOfTen[nd - 1]);
        *out++ = static_cast<char>('0' + n / static_cast<std::uint64_t>(powersOfTen[nd - 1]));
        if (nd > 1) {
            *out++ = '.';
            writeDigits(out + nd - 1, rest, nd - 1);
            out += nd - 1;
        }
        *out++ = 'e';
        int e = exponent < 0 ? -exponent : exponent;
        *out++ = exponent < 0 ? '-' : '+';
        if (e >= 100) {
            *out++ = static_cast<char>('0' + e / 100);
        }
        *out++ = static_cast<char>('0' + (e / 10) % 10);
        *out++ = static_cast<char>('0' + e % 10);
        return out;
    }
    if (exponent >= 0) {
        int intDigits = exponent + 1;
        if (nd <= intDigits) {
            writeDigits(out + nd, n, nd);
            out += nd;
            for (int i = nd; i < intDigits; ++i) {
                *out++ = '0';
            }
            return out;
        }
        int fracDigits = nd - intDigits;
        auto scale = static_cast<std::uint64_t>(powersOfTen[fracDigits]);
        writeDigits(out + intDigits, n / scale, intDigits);
        out += intDigits;
        *out++ = '.';
        writeDigits(out + fracDigits, n % scale, fracDigits);
        return out + fracDigits;
    }
    *out++ = '0';
    *out++ = '.';
    for (int i = 0; i < -exponent - 1; ++i) {
        *out++ = '0';
    }
    writeDigits(out + nd, n, nd);
    return out + nd;
}

}  // namespace

char* formatReal(char* buf, double v, int precision)
{
    // Subnormal values carry too few bits, and 16 or 17 digits are finer than
    // the rounding argument below allows: those take the general path.
    // Whole numbers (zero above all: every floor and wall foot) need no
    // scaling: their digits are the integer's own.
    if (precision <= 15 && v > -powersOfTen[precision] && v < powersOfTen[precision]) {
        auto whole = static_cast<std::int64_t>(v);
        if (static_cast<double>(whole) == v) {
            char* out = buf;
            if (std::signbit(v)) {
                *out++ = '-';
                whole = -whole;
            }
            int nd = 1;
            while (nd < precision && whole >= static_cast<std::int64_t>(powersOfTen[nd])) {
                ++nd;
            }
            writeDigits(out + nd, static_cast<std::uint64_t>(whole), nd);
            return out + nd;
        }
    }
    double magnitude = v < 0 ? -v : v;
    if (precision > 15 || (magnitude != 0.0 && magnitude < 2.2250738585072014e-308)) {
        return formatRealSlow(buf, v, precision);
    }
    bool negative = std::signbit(v);
    std::uint64_t n = 0;
    int nd = 0;
    int exponent = 0;
    if (scaledDigits(magnitude, precision, n, nd, exponent)) {
        return layoutInteger(buf, negative, n, nd, exponent, precision);
    }
    char digits[24];
    // Otherwise from the shortest round-trip form: when it has no more
    // significant digits than asked for, rounding the exact value to that
    // precision gives the very same digits (the rounding grid is far coarser
    // than one ulp), so only the %g layout has to be applied.
    char sci[maxRealChars];
    auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific);
    if (r.ec != std::errc()) {
        return formatRealSlow(buf, v, precision);
    }
    const char* p = sci;
    const char* end = r.ptr;
    if (*p == '-') {
        ++p;
    }
    if (*p < '0' || *p > '9') {  // inf or nan
        return formatRealSlow(buf, v, precision);
    }
    nd = 0;
    while (p < end && *p != 'e') {
        if (*p != '.') {
            digits[nd++] = *p;
        }
        ++p;
    }
    if (p == end) {
        return formatRealSlow(buf, v, precision);
    }
    ++p;  // 'e'
    bool expNegative = (*p == '-');
    ++p;  // sign
    while (p < end) {
        exponent = exponent * 10 + (*p - '0');
        ++p;
    }
    if (expNegative) {
        exponent = -exponent;
    }
    bool shortestFits = nd <= precision;
    if (!shortestFits) {
        // More digits than asked for: rounding the shortest digits gives the
        // same result as rounding the exact value, since at most one decimal
        // of precision + 1 digits lies within half an ulp. The one doubtful
        // case is a shortest form of precision + 1 digits ending in 5: there
        // the exact value decides the tie.
        if (nd == precision + 1 && digits[nd - 1] == '5') {
            return formatRealSlow(buf, v, precision);
        }
        bool up = digits[precision] >= '5';
        nd = precision;
        if (up) {
            int i = nd - 1;
            while (i >= 0 && digits[i] == '9') {
                digits[i] = '0';
                --i;
            }
            if (i >= 0) {
                ++digits[i];
            } else {
                digits[0] = '1';
                for (int k = 1; k < nd; ++k) {
                    digits[k] = '0';
                }
                ++exponent;
            }
        }
        while (nd > 1 && digits[nd - 1] == '0') {
            --nd;
        }
    }
    return layoutG(buf, negative, digits, nd, exponent, precision);
}

std::string realToString(double v, int precision)
{
    char buf[maxRealChars];
    return std::string(buf, formatReal(buf, v, precision));
}

namespace {

// from_chars over the whole token, which may also start with a '+'.
template <typename T>
bool parseWhole(std::string_view text, T& out)
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

}  // namespace

bool parseReal(std::string_view text, double& out)
{
    return parseWhole(text, out);
}

bool parseInt(std::string_view text, long long& out)
{
    return parseWhole(text, out);
}

std::string_view trimmed(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char ca = a[i];
        char cb = b[i];
        if (ca >= 'a' && ca <= 'z') {
            ca = static_cast<char>(ca - 'a' + 'A');
        }
        if (cb >= 'a' && cb <= 'z') {
            cb = static_cast<char>(cb - 'a' + 'A');
        }
        if (ca != cb) {
            return false;
        }
    }
    return true;
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
