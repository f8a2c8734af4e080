// Chunked token and line reader.
#include "textio/TokenReader.h"

#include "textio/RealFormat.h"

#include <algorithm>
#include <cstring>

namespace textio {

TokenReader::TokenReader(std::FILE* file, std::size_t chunkSize)
    : file_(file), storage_(new char[chunkSize]), capacity_(chunkSize), fileEnded_(file == nullptr)
{
    begin_ = cur_ = end_ = storage_.get();
}

TokenReader::TokenReader(std::string_view text)
{
    begin_ = cur_ = text.data();
    end_ = text.data() + text.size();
}

// Moves the bytes from `keep` on to the start of the buffer and reads more
// after them, growing the buffer when the kept bytes fill it. `keep` and cur_
// are moved along. Answers whether new bytes arrived.
bool TokenReader::refill(const char*& keep)
{
    if (fileEnded_) {
        return false;
    }
    std::size_t kept = static_cast<std::size_t>(end_ - keep);
    std::size_t curOffset = static_cast<std::size_t>(cur_ - keep);
    base_ += static_cast<std::uint64_t>(keep - begin_);
    if (kept * 2 > capacity_) {
        std::size_t newCapacity = capacity_ * 2;
        std::unique_ptr<char[]> bigger(new char[newCapacity]);
        std::memcpy(bigger.get(), keep, kept);
        storage_ = std::move(bigger);
        capacity_ = newCapacity;
    } else if (kept > 0 && keep != storage_.get()) {
        std::memmove(storage_.get(), keep, kept);
    }
    char* data = storage_.get();
    std::size_t got = std::fread(data + kept, 1, capacity_ - kept, file_);
    if (got == 0) {
        if (std::ferror(file_)) {
            ioError_ = true;
        }
        fileEnded_ = true;
    }
    begin_ = data;
    keep = data;
    cur_ = data + curOffset;
    end_ = data + kept + got;
    if (got > 0 && onRefill) {
        onRefill();
    }
    return got > 0;
}

bool TokenReader::overlong(const char* start)
{
    return overlongAt(start, end_);
}

bool TokenReader::overlongAt(const char* start, const char* stop)
{
    // Text already in memory costs nothing more to scan: only files are bounded.
    if (!file_ || static_cast<std::size_t>(stop - start) <= maxSpan_) {
        return false;
    }
    tooLong_ = true;
    failed_ = true;
    fileEnded_ = true;
    cur_ = end_;
    return true;
}

std::string_view TokenReader::token()
{
    for (;;) {
        while (cur_ < end_ && isBlank(*cur_)) {
            if (*cur_ == '\n') {
                ++line_;
            }
            ++cur_;
        }
        if (cur_ < end_) {
            break;
        }
        const char* keep = cur_;
        if (!refill(keep)) {
            return {};
        }
    }
    const char* start = cur_;
    for (;;) {
        while (cur_ < end_ && !isBlank(*cur_)) {
            ++cur_;
        }
        if (cur_ < end_ || overlong(start) || !refill(start)) {
            break;
        }
    }
    if (tooLong_ || overlongAt(start, cur_)) {
        return {};
    }
    return {start, static_cast<std::size_t>(cur_ - start)};
}

bool TokenReader::readReal(double& out)
{
    std::string_view t = token();
    if (t.empty() || !parseReal(t, out)) {
        failed_ = true;
        return false;
    }
    return true;
}

bool TokenReader::readInt(long long& out)
{
    std::string_view t = token();
    if (t.empty() || !parseInt(t, out)) {
        failed_ = true;
        return false;
    }
    return true;
}

bool TokenReader::readLineAcross(std::string_view& out)
{
    if (cur_ == end_) {
        const char* keep = cur_;
        if (!refill(keep)) {
            return false;
        }
    }
    const char* start = cur_;
    for (;;) {
        // Most lines are short (DXF has two per value): look at the first
        // bytes directly before handing the rest to memchr.
        const char* stop = std::min(end_, cur_ + 24);
        while (cur_ < stop && *cur_ != '\n') {
            ++cur_;
        }
        if (cur_ < stop) {
            break;
        }
        const void* nl = std::memchr(cur_, '\n', static_cast<std::size_t>(end_ - cur_));
        if (nl) {
            cur_ = static_cast<const char*>(nl);
            break;
        }
        cur_ = end_;
        if (overlong(start) || !refill(start)) {
            break;
        }
    }
    if (tooLong_ || overlongAt(start, cur_)) {
        return false;
    }
    const char* stop = cur_;
    while (stop > start && stop[-1] == '\r') {
        --stop;
    }
    out = std::string_view(start, static_cast<std::size_t>(stop - start));
    if (cur_ < end_) {
        ++cur_;  // the LF
        ++line_;
    }
    return true;
}

bool TokenReader::atEnd()
{
    if (cur_ < end_) {
        return false;
    }
    const char* keep = cur_;
    return !refill(keep);
}

}  // namespace textio
