// The model check on generated models: `kcad check --json` as a user runs it
// (reading the file included), and in a fresh process the reading, the check
// and the room acoustics timed apart, with the check's peak memory.
//
//   bench_check [--faces N]... [--rounds R] [--dir DIR] [--kcad PATH]
//
// Without --faces: 100,000 and 1,000,000 faces, to show how the time grows.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/ModelCheck.h"
#include "analysis/RoomAcoustics.h"
#include "bench/BenchSupport.h"
#include "bench/ProjectGenerator.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "ui/headless/HeadlessPlatform.h"

#ifndef KCAD_BINARY
#define KCAD_BINARY "kcad"
#endif

namespace {

struct Phases {
    double read = 0.0;
    double check = 0.0;
    double acoustics = 0.0;
    std::uint64_t checkPeak = 0;  // resident growth while checking
    long problems = 0;
    int closed = 0;
    double volume = 0.0;
};

// Runs `kcad check --json FILE` with its output thrown away; seconds of wall
// time, or a negative number when it could not run.
double timeCommand(const std::string& kcad, const std::string& file)
{
    std::fflush(stdout);  // the child's stdout goes elsewhere, not what is buffered here
    bench::Stopwatch clock;
    pid_t pid = ::fork();
    if (pid == 0) {
        std::FILE* sink = std::freopen("/dev/null", "w", stdout);
        (void)sink;
        ::execl(kcad.c_str(), kcad.c_str(), "check", "--json", file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        return -1.0;
    }
    return clock.seconds();
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<long> sizes;
    int rounds = 3;
    std::string dir = (std::filesystem::temp_directory_path() / "kcad-bench-check").string();
    std::string kcad = KCAD_BINARY;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--faces") == 0) {
            sizes.push_back(std::strtol(argv[i + 1], nullptr, 10));
        } else if (std::strcmp(argv[i], "--rounds") == 0) {
            rounds = std::max(1, static_cast<int>(std::strtol(argv[i + 1], nullptr, 10)));
        } else if (std::strcmp(argv[i], "--dir") == 0) {
            dir = argv[i + 1];
        } else if (std::strcmp(argv[i], "--kcad") == 0) {
            kcad = argv[i + 1];
        }
    }
    if (sizes.empty()) {
        sizes = {100000, 1000000};
    }
    std::filesystem::create_directories(dir);
    ui::headless::HeadlessPlatform platform;
    std::printf("model check benchmark (best of %d)\n", rounds);
    std::printf("  %9s %10s %9s | %8s %8s %8s %9s | %9s\n", "faces", "file MB", "problems", "read s", "check s",
                "acoust s", "check MB", "kcad s");
    bool ok = true;
    for (long faces : sizes) {
        std::string file = dir + "/generated-" + std::to_string(faces) + ".ray";
        bench::inChildProcess<int>([&] {
            model::Document doc;
            bench::generateProject(doc, faces);
            return storage::writeProjectFile(file, doc) ? 1 : 0;
        });
        Phases best;
        best.read = best.check = best.acoustics = 1e9;
        double command = 1e9;
        for (int round = 0; round < rounds; ++round) {
            Phases p = bench::inChildProcess<Phases>([&] {
                Phases r;
                model::Document doc;
                bench::Stopwatch reading;
                storage::openProject(file, doc);
                r.read = reading.seconds();
                materials::MaterialList& list = materials::materialList();
                list.at(0);
                std::uint64_t before = bench::residentBytes();
                bench::resetPeak();
                bench::Stopwatch checking;
                analysis::CheckReport check = analysis::checkModel(doc, list);
                r.check = checking.seconds();
                r.checkPeak = bench::peakResidentBytes() - before;
                bench::Stopwatch acoustics;
                analysis::roomAcoustics(doc, list, check.volume, check.area, check.holeArea);
                r.acoustics = acoustics.seconds();
                r.problems = static_cast<long>(check.problems.size());
                r.closed = check.closed ? 1 : 0;
                r.volume = check.volume.value_or(0.0);
                return r;
            });
            best.read = std::min(best.read, p.read);
            best.check = std::min(best.check, p.check);
            best.acoustics = std::min(best.acoustics, p.acoustics);
            best.checkPeak = std::max(best.checkPeak, p.checkPeak);
            best.problems = p.problems;
            best.closed = p.closed;
            best.volume = p.volume;
            double t = timeCommand(kcad, file);
            if (t < 0.0) {
                std::fprintf(stderr, "bench_check: %s check --json %s did not run\n", kcad.c_str(), file.c_str());
                ok = false;
            } else {
                command = std::min(command, t);
            }
        }
        std::printf("  %9ld %10.1f %9ld | %8.3f %8.3f %8.3f %9.1f | %9.3f\n", faces, bench::fileSize(file) / 1e6,
                    best.problems, best.read, best.check, best.acoustics, best.checkPeak / 1e6, command);
        std::printf("  %9s closed %s, volume %.1f m3\n", "", best.closed ? "yes" : "no", best.volume);
        std::filesystem::remove(file);
    }
    return ok ? 0 : 1;
}
