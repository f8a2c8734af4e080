// Atomic file replacement through a temporary file and rename.
#include "storage/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace storage {

namespace {

mode_t currentUmask()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& write,
                         const std::function<void()>& beforeReplace)
{
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return false;
    }
    // Keep the permissions of the file being replaced, or those a new file
    // would get, rather than mkstemp's private ones.
    struct stat st {};
    mode_t mode = (::stat(path.c_str(), &st) == 0) ? (st.st_mode & 07777) : (0666 & ~currentUmask());
    ::fchmod(fd, mode);
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        ::close(fd);
        ::unlink(name.data());
        return false;
    }
    bool ok = write(file);
    ok = (std::fflush(file) == 0) && ok;
    ok = ok && !std::ferror(file);
    ok = ok && ::fsync(fd) == 0;
    ok = (std::fclose(file) == 0) && ok;
    if (ok && beforeReplace) {
        beforeReplace();
    }
    if (ok && std::rename(name.data(), path.c_str()) == 0) {
        return true;
    }
    ::unlink(name.data());
    return false;
}

}  // namespace storage
