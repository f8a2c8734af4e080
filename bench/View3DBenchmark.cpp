// 3-D view figures on a generated model, drawn off screen with OSMesa (the
// software rasteriser): building the scene, the first frame (which compiles
// every display list), frames replayed from the lists, and what a camera
// step costs.
//
//   bench_view3d [--faces N] [--size WxH] [--frames N] [--faces-only]
//
// --faces-only leaves out the model's sources and receivers (a box and a
// ball each), to tell their cost from the faces'.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/ProjectGenerator.h"
#include "model/Document.h"
#include "scene3d/SceneBuilder.h"
#include "scene3d/gl/Camera.h"
#include "scene3d/gl/GlRenderer.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/headless/OsMesaSurface.h"

int main(int argc, char** argv)
{
    long faces = 1000000;
    int width = 800;
    int height = 600;
    int frames = 10;
    bool facesOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--faces-only") == 0) {
            facesOnly = true;
        }
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--faces-only") == 0) {
            --i;
        } else if (std::strcmp(argv[i], "--faces") == 0) {
            faces = std::strtol(argv[i + 1], nullptr, 10);
        } else if (std::strcmp(argv[i], "--size") == 0) {
            std::sscanf(argv[i + 1], "%dx%d", &width, &height);
        } else if (std::strcmp(argv[i], "--frames") == 0) {
            frames = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    doc.autoDraw = false;
    bench::GeneratedCounts counts = bench::generateProject(doc, faces);
    long markers = 0;
    for (const auto& e : doc.children()) {
        bool marker = e->typeCode() == model::type::Source || e->typeCode() == model::type::Receiver;
        e->setSelected(facesOnly && marker);
        markers += marker ? 1 : 0;
    }
    if (facesOnly) {
        doc.deleteSelected();
        markers = 0;
    }

    bench::Stopwatch buildClock;
    scene3d::X3DScene& scene = scene3d::sceneOf(doc);
    double build = buildClock.seconds();

    ui::headless::OsMesaSurface surface;
    surface.resize(width, height);
    scene3d::gl::GlRenderer renderer;
    bench::Stopwatch firstClock;
    if (!renderer.display(scene, surface, width, height)) {
        std::fprintf(stderr, "bench_view3d: %s\n", renderer.failure().c_str());
        return 1;
    }
    double first = firstClock.seconds();
    long compiled = renderer.compiles();

    // Frames while the camera orbits: one step, one frame.
    scene3d::X3DViewPoint& view = scene.currentView();
    double best = 1e9;
    double total = 0.0;
    for (int k = 0; k < frames; ++k) {
        scene3d::gl::navigationStep(view, scene3d::gl::Study, -10, 0, false);
        bench::Stopwatch clock;
        renderer.display(scene, surface, width, height);
        double t = clock.seconds();
        best = std::min(best, t);
        total += t;
    }
    std::printf("3-D view benchmark (OSMesa, %dx%d)\n", width, height);
    std::printf("  scene build       : %7.3f s  for %ld faces, %ld sources and receivers\n", build, counts.faces,
                markers);
    std::printf("  first frame       : %7.3f s  compiling %ld display lists\n", first, compiled);
    std::printf("  build + compile   : %7.3f s\n", build + first);
    std::printf("  frame replay      : %7.3f s  best, %.3f s mean of %d: %.1f frames a second\n", best, total / frames,
                frames, frames / total);
    std::printf("  lists compiled during %d camera steps: %ld\n", frames, renderer.compiles() - compiled);
    std::printf("  peak memory       : %7.1f MB\n", bench::peakResidentBytes() / 1e6);
    return renderer.compiles() == compiled ? 0 : 1;
}
