// Buffered text output.
#include "textio/TextWriter.h"

#include <charconv>
#include <cstring>

namespace textio {

TextWriter::TextWriter(std::FILE* file, std::size_t bufferSize)
    : file_(file), buffer_(new char[bufferSize]), capacity_(bufferSize)
{
}

TextWriter::TextWriter(std::string& out) : string_(&out), buffer_(new char[1 << 16]), capacity_(1 << 16) {}

TextWriter::~TextWriter()
{
    flush();
}

void TextWriter::drain()
{
    if (used_ == 0) {
        return;
    }
    if (string_) {
        string_->append(buffer_.get(), used_);
    } else if (file_ && ok_) {
        if (std::fwrite(buffer_.get(), 1, used_, file_) != used_) {
            ok_ = false;
        }
    }
    written_ += used_;
    used_ = 0;
}

void TextWriter::put(std::string_view s)
{
    while (!s.empty()) {
        if (used_ == capacity_) {
            drain();
        }
        std::size_t n = std::min(s.size(), capacity_ - used_);
        std::memcpy(buffer_.get() + used_, s.data(), n);
        used_ += n;
        s.remove_prefix(n);
    }
}

void TextWriter::putInt(long long v)
{
    if (capacity_ - used_ < 24) {
        drain();
    }
    auto r = std::to_chars(buffer_.get() + used_, buffer_.get() + capacity_, v);
    used_ = static_cast<std::size_t>(r.ptr - buffer_.get());
}

void TextWriter::newLine(int indent)
{
    put('\n');
    for (int i = 0; i < indent; ++i) {
        put(' ');
    }
}

bool TextWriter::flush()
{
    drain();
    if (file_ && ok_ && std::fflush(file_) != 0) {
        ok_ = false;
    }
    return ok_;
}

}  // namespace textio
