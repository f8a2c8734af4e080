// DXF import and export, VRML and POV-Ray export of a generated model, with
// ezdxf's readfile of the same DXF file as the yardstick.
//
//   bench_exchange [--faces N] [--rounds R] [--dir DIR] [--no-ezdxf]
//
// Every measurement runs in a fresh child process that first reads the
// project (not timed), so each one starts cold and pays for its own memory.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/ProjectGenerator.h"
#include "exchange/DxfExport.h"
#include "exchange/DxfImport.h"
#include "model/Document.h"
#include "scene3d/SceneBuilder.h"
#include "scene3d/X3DStream.h"
#include "storage/ProjectFile.h"
#include "textio/TextWriter.h"
#include "ui/headless/HeadlessPlatform.h"

namespace {

struct Figure {
    double seconds = 0;
    double peakMB = 0;
    int ok = 0;
};

// Runs `work` in a child process with the project read (or not) beforehand;
// answers the time `work` took.
Figure inChild(const std::string& project, bool loadProject, const std::function<bool(model::Document&)>& work)
{
    return bench::inChildProcess<Figure>([&] {
        ui::headless::HeadlessPlatform platform;
        auto* doc = new model::Document;  // left to the process exit
        Figure f;
        bool ok = !loadProject || storage::openProject(project, *doc);
        bench::resetPeak();
        std::uint64_t before = bench::residentBytes();
        bench::Stopwatch clock;
        ok = work(*doc) && ok;
        f.seconds = clock.seconds();
        f.peakMB = static_cast<double>(bench::peakResidentBytes() - before) / 1e6;
        f.ok = ok;
        return f;
    });
}

Figure best(int rounds, const std::function<Figure()>& measure)
{
    Figure b;
    b.seconds = 1e9;
    b.ok = 1;
    for (int i = 0; i < rounds; ++i) {
        Figure f = measure();
        b.seconds = std::min(b.seconds, f.seconds);
        b.peakMB = std::max(b.peakMB, f.peakMB);
        b.ok = b.ok && f.ok;
    }
    return b;
}

bool writePlain(const std::string& path, const std::function<bool(textio::TextWriter&)>& body)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    bool ok = false;
    {
        textio::TextWriter out(f);
        ok = body(out) && out.flush();
    }
    return (std::fclose(f) == 0) && ok;
}

bool sceneExport(model::Document& doc, const std::string& path, int format)
{
    scene3d::X3DScene& scene = scene3d::sceneOf(doc);
    return writePlain(path, [&](textio::TextWriter& w) {
        scene3d::X3DStream out(w, format);
        scene.exportScene(out);
        return true;
    });
}

}  // namespace

int main(int argc, char** argv)
{
    long faces = 1000000;
    int rounds = 3;
    bool ezdxf = true;
    std::string dir = "bench/out";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--faces") == 0 && i + 1 < argc) {
            faces = std::strtol(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
            dir = argv[++i];
        } else if (std::strcmp(argv[i], "--no-ezdxf") == 0) {
            ezdxf = false;
        }
    }
    std::filesystem::create_directories(dir);
    std::string project = dir + "/generated-" + std::to_string(faces) + ".ray";
    std::string dxf = dir + "/generated-" + std::to_string(faces) + ".dxf";
    std::string wrl = dir + "/generated-" + std::to_string(faces) + ".wrl";
    std::string pov = dir + "/generated-" + std::to_string(faces) + ".pov";
    if (bench::fileSize(project) == 0) {
        Figure g = inChild(project, false, [&](model::Document& doc) {
            bench::generateProject(doc, faces);
            return storage::writeProjectFile(project, doc);
        });
        if (!g.ok) {
            std::fprintf(stderr, "bench_exchange: could not generate %s\n", project.c_str());
            return 1;
        }
    }

    Figure dxfOut = best(rounds, [&] {
        return inChild(project, true, [&](model::Document& doc) {
            return writePlain(dxf, [&](textio::TextWriter& w) {
                exchange::exportDxf(w, doc, true);
                return true;
            });
        });
    });
    long imported = 0;
    Figure dxfIn = best(rounds, [&] {
        return inChild(project, false, [&](model::Document& doc) {
            bool ok = exchange::importDxf(doc, dxf);
            return ok && doc.count() > 0;
        });
    });
    Figure vrml = best(
        rounds, [&] { return inChild(project, true, [&](model::Document& doc) { return sceneExport(doc, wrl, 1); }); });
    Figure povray = best(
        rounds, [&] { return inChild(project, true, [&](model::Document& doc) { return sceneExport(doc, pov, 2); }); });
    (void)imported;

    double ezdxfSeconds = 0;
    double ezdxfProcessor = 0;
    if (ezdxf && !bench::ezdxfReadSeconds(dxf, ezdxfProcessor, ezdxfSeconds)) {
        ezdxfSeconds = 0;
    }

    auto mb = [](const std::string& path) { return static_cast<double>(bench::fileSize(path)) / 1e6; };
    std::printf("exchange benchmark: %ld-face generated model, best of %d cold rounds\n", faces, rounds);
    std::printf("  DXF export       : %7.3f s  %7.1f MB  %7.1f MB/s\n", dxfOut.seconds, mb(dxf),
                mb(dxf) / dxfOut.seconds);
    std::printf("  DXF import       : %7.3f s  %7.1f MB/s  peak %.0f MB\n", dxfIn.seconds, mb(dxf) / dxfIn.seconds,
                dxfIn.peakMB);
    if (ezdxfSeconds > 0) {
        std::printf("  ezdxf readfile   : %7.3f s  (ours is %.0f times faster)\n", ezdxfSeconds,
                    ezdxfSeconds / dxfIn.seconds);
    }
    std::printf("  VRML export      : %7.3f s  %7.1f MB  (scene build included)\n", vrml.seconds, mb(wrl));
    std::printf("  POV-Ray export   : %7.3f s  %7.1f MB  (scene build included)\n", povray.seconds, mb(pov));
    bool ok = dxfOut.ok && dxfIn.ok && vrml.ok && povray.ok;
    if (!ok) {
        std::printf("  FAILED: a measurement did not complete\n");
    }
    return ok ? 0 : 1;
}
