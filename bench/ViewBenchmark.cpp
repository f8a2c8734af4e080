// Painting figures: the plan view of a generated model, zoomed to its
// extents, painted onto a picture as the program's windows paint, and the
// pens that painting makes; and the depth look-up of the coordinate bar.
//
//   bench_views [--faces N] [--size WxH] [--rounds N] [--png OUT.png]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/ProjectGenerator.h"
#include "model/Document.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/qt/QtDrawContext.h"
#include "views/ViewPainting.h"
#include "views/ViewSet.h"

int main(int argc, char** argv)
{
    long faces = 1000000;
    int width = 1600;
    int height = 1000;
    int rounds = 3;
    std::string png;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--faces") == 0) {
            faces = std::strtol(argv[i + 1], nullptr, 10);
        } else if (std::strcmp(argv[i], "--size") == 0) {
            std::sscanf(argv[i + 1], "%dx%d", &width, &height);
        } else if (std::strcmp(argv[i], "--rounds") == 0) {
            rounds = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--png") == 0) {
            png = argv[i + 1];
        }
    }
    ui::headless::HeadlessPlatform platform;
    auto toolkit = ui::qt::installCanvases();  // kept while pictures are drawn
    std::unique_ptr<ui::Canvas> canvas = ui::makeCanvas();

    model::Document doc;
    doc.autoDraw = false;
    bench::GeneratedCounts counts = bench::generateProject(doc, faces);
    views::ViewSet views(doc);
    views::ViewWindow& plan = views.byId(views::viewId::Plant);
    plan.onSize(width, height);
    plan.setScale(0.05);
    plan.zoomToExtents();
    canvas->resize(width, height);

    double best = 1e9;
    long pens = 0;
    for (int round = 0; round < rounds; ++round) {
        canvas->fill(0xFFFFFF);
        long before = canvas->pensMade();
        bench::Stopwatch clock;
        views::paintView(plan, *canvas);
        best = std::min(best, clock.seconds());
        pens = canvas->pensMade() - before;
    }
    // What the coordinate bar does at every mouse move: the highest face
    // under the pointer.
    double pierceBest = 1e9;
    for (int round = 0; round < rounds; ++round) {
        bench::Stopwatch clock;
        double depth = -model::coordinateLimit;
        doc.pierce(plan, plan.pixelToView({width / 2, height / 2}), depth);
        pierceBest = std::min(pierceBest, clock.seconds());
    }
    if (!png.empty()) {
        std::string bytes;
        if (canvas->encodePng(bytes)) {
            if (std::FILE* f = std::fopen(png.c_str(), "wb")) {
                std::fwrite(bytes.data(), 1, bytes.size(), f);
                std::fclose(f);
            }
        }
    }
    std::printf("view painting benchmark\n");
    std::printf("  plan view %dx%d : %7.3f s  for %ld faces (best of %d), %ld pens made\n", width, height, best,
                counts.faces, rounds, pens);
    std::printf("  read-out depth  : %7.3f s  the highest face under one point\n", pierceBest);
    return 0;
}
