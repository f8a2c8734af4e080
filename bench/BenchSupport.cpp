// Benchmark readings.
#include "bench/BenchSupport.h"

#include <cstdio>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace bench {

namespace {

std::uint64_t statusField(const char* name)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    std::string key = std::string(name) + ":";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            std::istringstream fields(line.substr(key.size()));
            std::uint64_t kb = 0;
            fields >> kb;
            return kb * 1024;
        }
    }
    return 0;
}

}  // namespace

std::uint64_t residentBytes()
{
    return statusField("VmRSS");
}

std::uint64_t peakResidentBytes()
{
    return statusField("VmHWM");
}

bool resetPeak()
{
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
    return static_cast<bool>(out);
}

std::uint64_t fileSize(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

bool ezdxfReadSeconds(const std::string& dxf, double& cpu, double& wall)
{
    std::string command = "/usr/bin/python3 -c \"import ezdxf, time; c = time.process_time(); t = time.time(); "
                          "ezdxf.readfile('" +
                          dxf + "'); print(time.process_time() - c, time.time() - t)\"";
    std::FILE* p = ::popen(command.c_str(), "r");
    if (!p) {
        return false;
    }
    bool ok = std::fscanf(p, "%lf %lf", &cpu, &wall) == 2;
    ::pclose(p);
    return ok;
}

}  // namespace bench
