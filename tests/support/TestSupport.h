// Helpers shared by the tests: scratch folders, file text, running kcad.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh folder under the system's temporary directory, removed at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Makes a folder the current directory for the life of the object.
class ScopedChdir {
public:
    explicit ScopedChdir(const std::filesystem::path& dir);
    ~ScopedChdir();

private:
    std::filesystem::path previous_;
};

std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);

// Runs a shell command; answers its exit status and fills what it printed.
int runCommand(const std::string& command, std::string* out = nullptr, std::string* err = nullptr);

std::string sourcePath(const std::string& relative);

}  // namespace testsupport
