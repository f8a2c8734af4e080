// Test helpers.
#include "tests/support/TestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace testsupport {

ScratchDir::ScratchDir()
{
    std::random_device rd;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() /
                ("kcad-test-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
        if (std::filesystem::create_directory(path_)) {
            break;
        }
    }
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
}

ScopedChdir::ScopedChdir(const std::filesystem::path& dir) : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(dir);
}

ScopedChdir::~ScopedChdir()
{
    std::filesystem::current_path(previous_);
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

int runCommand(const std::string& command, std::string* out, std::string* err)
{
    ScratchDir capture;
    std::string outFile = capture.file("out");
    std::string errFile = capture.file("err");
    std::string full = command + " >" + outFile + " 2>" + errFile;
    int status = std::system(full.c_str());
    if (out) {
        *out = readText(outFile);
    }
    if (err) {
        *err = readText(errFile);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string sourcePath(const std::string& relative)
{
    return std::string(KCAD_SOURCE_DIR) + "/" + relative;
}

}  // namespace testsupport
