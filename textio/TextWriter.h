// Buffered text output to a file or a string, with fast number formatting.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "textio/RealFormat.h"

namespace textio {

class TextWriter {
public:
    // Writes to an open file (not owned); a write error is remembered.
    explicit TextWriter(std::FILE* file, std::size_t bufferSize = 1 << 20);
    // Appends to a string.
    explicit TextWriter(std::string& out);
    ~TextWriter();

    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void put(char c)
    {
        if (used_ == capacity_) {
            drain();
        }
        buffer_[used_++] = c;
    }
    void put(std::string_view s);
    void putReal(double v)
    {
        if (capacity_ - used_ < maxRealChars) {
            drain();
        }
        char* end = formatReal(buffer_.get() + used_, v, precision_);
        used_ = static_cast<std::size_t>(end - buffer_.get());
    }
    void putInt(long long v);
    // A line feed and `depth` blanks: the start of an indented record line.
    void newLine(int depth);

    // Significant digits of real numbers (6 unless set, as a fresh C++ stream).
    void setPrecision(int digits) { precision_ = digits; }
    int precision() const { return precision_; }

    // Nesting depth of the list being written; lists indent their records by it.
    int depth = 0;

    // Hands the buffered text to the file or string; false after any write error.
    bool flush();
    bool ok() const { return ok_; }
    std::uint64_t bytesWritten() const { return written_ + used_; }

private:
    void drain();

    std::FILE* file_ = nullptr;
    std::string* string_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
    int precision_ = 6;
    bool ok_ = true;
};

}  // namespace textio
