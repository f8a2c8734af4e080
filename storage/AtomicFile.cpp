// Atomic file replacement through a temporary file and rename.
#include "storage/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <vector>

namespace storage {

namespace {

mode_t currentUmask()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::string folderOf(const std::string& path)
{
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A file with no name in the target's folder (O_TMPFILE): if the program is
// killed while writing, nothing is left behind. Only where the kernel and
// the file system offer it, and /proc lets the finished file be linked in.
int openAnonymous(const std::string& path, mode_t mode)
{
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) != 0) {
        return -1;
    }
    return ::open(folderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
#else
    (void)path;
    (void)mode;
    return -1;
#endif
}

// Gives the finished anonymous file a fresh name next to the target; an
// existing name (or a link planted there) is never reused.
bool linkAnonymous(int fd, const std::string& path, std::string& name)
{
    std::string source = "/proc/self/fd/" + std::to_string(fd);
    std::random_device seed;
    std::mt19937_64 random(seed());
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = path + ".";
        for (int i = 0; i < 6; ++i) {
            name += letters[random() % (sizeof letters - 1)];
        }
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    name.clear();  // never ours to remove
    return false;
}

}  // namespace

std::string writeTarget(const std::string& path)
{
    // Followed a bounded number of times: a loop of links ends nowhere.
    std::filesystem::path target = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(target, ec); ++hops) {
        std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.string();
}

bool writeFileAtomically(const std::string& linkedPath, const std::function<bool(std::FILE*)>& write,
                         const std::function<bool()>& beforeReplace)
{
    std::string path = writeTarget(linkedPath);
    // Keep the permissions of the file being replaced, or those a new file
    // would get, rather than a temporary file's private ones.
    struct stat st {};
    mode_t mode = (::stat(path.c_str(), &st) == 0) ? (st.st_mode & 07777) : (0666 & ~currentUmask());

    std::string name;
    int fd = openAnonymous(path, 0600);
    bool anonymous = fd >= 0;
    if (!anonymous) {
        std::string pattern = path + ".XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        fd = ::mkstemp(buffer.data());
        if (fd < 0) {
            return false;
        }
        name = buffer.data();
    }
    ::fchmod(fd, mode);
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        ::close(fd);
        if (!anonymous) {
            ::unlink(name.c_str());
        }
        return false;
    }
    bool ok = write(file);
    ok = (std::fflush(file) == 0) && ok;
    ok = ok && !std::ferror(file);
    ok = ok && ::fsync(fd) == 0;
    if (ok && anonymous) {
        ok = linkAnonymous(fd, path, name);
    }
    ok = (std::fclose(file) == 0) && ok;
    if (ok && beforeReplace) {
        ok = beforeReplace();
    }
    if (ok && std::rename(name.c_str(), path.c_str()) == 0) {
        return true;
    }
    if (!name.empty()) {
        ::unlink(name.c_str());
    }
    return false;
}

}  // namespace storage
