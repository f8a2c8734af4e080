// Regular files only, opened without blocking and bounded in size.
#include "textio/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace textio {

InputFile openInputFile(const std::string& path, std::uint64_t maxBytes)
{
    InputFile result;
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        result.error = (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG) ? InputError::Missing
                                                                                      : InputError::Unreadable;
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        result.error = InputError::Unreadable;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        result.error = InputError::NotAFile;
        return result;
    }
    result.size = static_cast<std::uint64_t>(st.st_size);
    if (result.size > maxBytes) {
        ::close(fd);
        result.error = InputError::TooLarge;
        return result;
    }
    // Reads of a regular file never block; clear the flag all the same so
    // that stdio sees an ordinary descriptor.
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        result.error = InputError::Unreadable;
        return result;
    }
    result.file.reset(f);
    return result;
}

bool readWholeFile(const std::string& path, std::uint64_t maxBytes, std::string& out, InputError* why)
{
    auto fail = [why](InputError e) {
        if (why) {
            *why = e;
        }
        return false;
    };
    InputFile in = openInputFile(path, maxBytes);
    if (!in) {
        return fail(in.error);
    }
    std::string text;
    text.resize(static_cast<std::size_t>(in.size));
    std::size_t got = std::fread(text.data(), 1, text.size(), in.get());
    if (std::ferror(in.get())) {
        return fail(InputError::Unreadable);
    }
    text.resize(got);
    // A file that grew while we read it must still respect the bound.
    char probe[4096];
    while (std::size_t more = std::fread(probe, 1, sizeof probe, in.get())) {
        if (text.size() + more > maxBytes) {
            return fail(InputError::TooLarge);
        }
        text.append(probe, more);
    }
    if (std::ferror(in.get())) {
        return fail(InputError::Unreadable);
    }
    out = std::move(text);
    if (why) {
        *why = InputError::None;
    }
    return true;
}

std::string sizeText(std::uint64_t bytes)
{
    if (bytes >= (1ull << 30) && bytes % (1ull << 30) == 0) {
        return std::to_string(bytes >> 30) + " GB";
    }
    if (bytes >= (1ull << 20) && bytes % (1ull << 20) == 0) {
        return std::to_string(bytes >> 20) + " MB";
    }
    if (bytes >= (1ull << 10) && bytes % (1ull << 10) == 0) {
        return std::to_string(bytes >> 10) + " KB";
    }
    return std::to_string(bytes) + " bytes";
}

std::string describeInputError(const std::string& path, InputError error, std::uint64_t maxBytes)
{
    std::string text = "Can't read the file " + path;
    switch (error) {
    case InputError::NotAFile:
        return text + ": it is not a regular file";
    case InputError::TooLarge:
        return text + ": it is larger than " + sizeText(maxBytes);
    case InputError::None:
    case InputError::Missing:
    case InputError::Unreadable:
        return text;
    }
    return text;
}

}  // namespace textio
