// Whitespace-separated tokens and whole lines from a file or a memory buffer,
// streamed in large chunks so that files of hundreds of megabytes read fast in
// little memory.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace textio {

class TokenReader {
public:
    // Streams an open file (not owned) from its current position.
    explicit TokenReader(std::FILE* file, std::size_t chunkSize = 1 << 20);
    // Reads a text held in memory; the text must outlive the reader.
    explicit TokenReader(std::string_view text);

    TokenReader(const TokenReader&) = delete;
    TokenReader& operator=(const TokenReader&) = delete;

    // The next run of characters without white space, skipping white space
    // (blanks, tabs, line ends) first; empty at the end of the input. The view
    // stays valid until the next call on this reader.
    std::string_view token();

    // The next token as a real or integer number; false, and the reader marked
    // failed, when the input ended or the token is not entirely a number.
    bool readReal(double& out);
    bool readInt(long long& out);

    // The rest of the current line without its line end (a CR before the LF,
    // or several, is dropped); the LF is consumed. False only at the end of
    // the input, when no character is left at all.
    bool readLine(std::string_view& out)
    {
        // Most lines lie whole in the buffer (DXF has two short ones per
        // value): those are taken here, the rest in readLineAcross.
        const char* lf = findLineFeed(cur_, end_);
        if (!lf || static_cast<std::size_t>(lf - cur_) > maxSpan_) {
            return readLineAcross(out);
        }
        const char* stop = lf;
        while (stop > cur_ && stop[-1] == '\r') {
            --stop;
        }
        out = std::string_view(cur_, static_cast<std::size_t>(stop - cur_));
        cur_ = lf + 1;
        ++line_;
        return true;
    }

    // The bytes read ahead and not yet consumed, for a caller that takes
    // whole lines (each ended by a line feed, none longer than maxSpan) from
    // them itself and then skips past them; lines that do not lie whole in
    // them go through readLine.
    const char* ahead() const { return cur_; }
    const char* aheadEnd() const { return end_; }
    void skip(const char* to, std::uint64_t lines)
    {
        cur_ = to;
        line_ += lines;
    }

    // True when no character is left.
    bool atEnd();

    bool failed() const { return failed_; }
    void setFailed() { failed_ = true; }
    // True when a token or line ran past the longest one this reader takes;
    // reading stopped there, as at the end of the input.
    bool tooLong() const { return tooLong_; }
    std::size_t maxSpan() const { return maxSpan_; }
    void setMaxSpan(std::size_t bytes) { maxSpan_ = bytes; }
    // True when reading the file itself failed (an I/O error, not bad syntax).
    bool ioError() const { return ioError_; }

    // Bytes consumed so far, and the current line number (1-based).
    std::uint64_t position() const { return base_ + static_cast<std::uint64_t>(cur_ - begin_); }
    std::uint64_t line() const { return line_; }

    // Called after each chunk of a file arrives (progress display).
    std::function<void()> onRefill;

    // Nesting depth of the list being read: nested readers stop at a limit
    // instead of running out of stack.
    int depth = 0;
    // Set once a reader has shown a message about this input, so that the
    // readers around it do not add one each: one damaged file, one message.
    bool reported = false;
    // Set when the input ended inside a list, before its End: what was read
    // stands, but the file was cut off.
    bool endedInList = false;

    // A line of ten megabytes is a real (if odd) file; one of gigabytes is
    // not, and reading it would take all the memory there is.
    static constexpr std::size_t defaultMaxSpan = std::size_t{64} << 20;

    // The first line feed in [from, to), or null.
    static const char* findLineFeed(const char* from, const char* to);

private:
    bool readLineAcross(std::string_view& out);
    bool refill(const char*& keep);
    // Stops the reader at a token or line that passes maxSpan_ (with what
    // is buffered, or up to stop).
    bool overlong(const char* start);
    bool overlongAt(const char* start, const char* stop);

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> storage_;
    std::size_t capacity_ = 0;
    const char* begin_ = nullptr;
    const char* cur_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t base_ = 0;
    std::uint64_t line_ = 1;
    bool fileEnded_ = true;
    bool failed_ = false;
    bool ioError_ = false;
    bool tooLong_ = false;
    std::size_t maxSpan_ = defaultMaxSpan;
};

inline bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline const char* TokenReader::findLineFeed(const char* from, const char* to)
{
    // Sixteen bytes at a time for the short lines most files have (DXF has
    // two of under 20 bytes per value); long lines go to memchr.
    if (from >= to) {
        return nullptr;
    }
#if defined(__SSE2__)
    const __m128i feeds = _mm_set1_epi8('\n');
    for (int block = 0; block < 2 && to - from >= 16; ++block, from += 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, feeds)));
        if (mask != 0) {
            return from + std::countr_zero(mask);
        }
    }
#else
    if constexpr (std::endian::native == std::endian::little) {
        // Eight bytes at a time: a byte of the word is a line feed where its
        // XOR with '\n' is zero.
        constexpr std::uint64_t ones = 0x0101010101010101ULL;
        constexpr std::uint64_t highs = 0x8080808080808080ULL;
        constexpr std::uint64_t feeds = 0x0A0A0A0A0A0A0A0AULL;
        const char* stop = to - from > 32 ? from + 32 : to;
        for (; stop - from >= 8; from += 8) {
            std::uint64_t w;
            std::memcpy(&w, from, 8);
            w ^= feeds;
            std::uint64_t zero = (w - ones) & ~w & highs;
            if (zero != 0) {
                return from + (std::countr_zero(zero) >> 3);
            }
        }
    }
#endif
    return static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(to - from)));
}

}  // namespace textio
