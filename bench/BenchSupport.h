// Timing and memory readings for the benchmarks.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

namespace bench {

class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

private:
    std::chrono::steady_clock::time_point start_;
};

// Resident memory now and at its peak, in bytes (from /proc/self/status).
std::uint64_t residentBytes();
std::uint64_t peakResidentBytes();
// Lowers the recorded peak to the current resident size (Linux clear_refs).
bool resetPeak();

std::uint64_t fileSize(const std::string& path);

// ezdxf's readfile of a DXF file (Debian's Python, which has ezdxf), timed
// in that process: processor and wall-clock seconds; false when it could
// not be run.
bool ezdxfReadSeconds(const std::string& dxf, double& cpu, double& wall);

// Runs work in a fresh child process (cold memory, its own peak) and hands
// its result, a plain struct, back through a pipe; a value-initialised
// result when the child fails.
template <typename R>
R inChildProcess(const std::function<R()>& work)
{
    static_assert(std::is_trivially_copyable_v<R>);
    R result{};
    int fds[2];
    if (::pipe(fds) != 0) {
        return result;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        R r = work();
        ssize_t n = ::write(fds[1], &r, sizeof r);
        _exit(n == static_cast<ssize_t>(sizeof r) ? 0 : 1);
    }
    ::close(fds[1]);
    if (::read(fds[0], &result, sizeof result) != static_cast<ssize_t>(sizeof result)) {
        result = R{};
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return result;
}

}  // namespace bench
