// Timing and memory readings for the benchmarks.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace bench {

class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

// Resident memory now and at its peak, in bytes (from /proc/self/status).
std::uint64_t residentBytes();
std::uint64_t peakResidentBytes();
// Lowers the recorded peak to the current resident size (Linux clear_refs).
bool resetPeak();

std::uint64_t fileSize(const std::string& path);

}  // namespace bench
