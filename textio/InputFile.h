// Opening files to read: only regular files are read, and opening never blocks,
// so a FIFO, a device such as /dev/zero or a folder named as input gives a
// clear message instead of a hang or an endless read.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace textio {

enum class InputError {
    None,
    Missing,     // no such file, or a folder on the way is missing
    NotAFile,    // a folder, FIFO, socket or device
    Unreadable,  // permissions, I/O error
    TooLarge,    // larger than the reader can hold
};

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f) {
            std::fclose(f);
        }
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// No bound on the file's size (readers that keep what they read, such as
// projects and drawings, hold as much as the file holds).
constexpr std::uint64_t anySize = ~std::uint64_t{0};

struct InputFile {
    FilePtr file;
    std::uint64_t size = 0;
    InputError error = InputError::None;

    explicit operator bool() const { return file != nullptr; }
    std::FILE* get() const { return file.get(); }
};

// Opens path for reading when it is a regular file of at most maxBytes.
InputFile openInputFile(const std::string& path, std::uint64_t maxBytes = anySize);

// The whole of a small file (settings, material tables, scripts); false with
// the reason when it is not a readable regular file of at most maxBytes.
bool readWholeFile(const std::string& path, std::uint64_t maxBytes, std::string& out, InputError* why = nullptr);

// "Can't read the file NAME", with the reason where there is more to say than
// that ("it is not a regular file", "it is larger than 16 MB").
std::string describeInputError(const std::string& path, InputError error, std::uint64_t maxBytes = anySize);

// A size in the units a user reads ("64 MB", "512 KB").
std::string sizeText(std::uint64_t bytes);

}  // namespace textio
