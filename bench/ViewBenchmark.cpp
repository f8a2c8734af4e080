// What the user waits for in the views of a generated model, through the
// spatial index: building the index, a whole repaint of the plan view
// zoomed to its extents, pans of 10 pixels (the picture shifted, the strips
// uncovered painted), a repaint zoomed in on 1 % of the model's area, the
// coordinate bar's depth, a pick click, a rubber band over 10 % of the model
// and the cost of one entity's change, each in the same run; the direct
// loops over every entity are timed beside them for comparison.
//
//   bench_views [--faces N] [--size WxH] [--rounds N] [--png OUT.png]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/ProjectGenerator.h"
#include "model/Document.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/headless/HeadlessWindows.h"
#include "ui/qt/QtDrawContext.h"
#include "views/ViewPainting.h"
#include "views/ViewSet.h"

namespace {

struct Timing {
    double best = 1e9;
    double total = 0.0;
    double worst = 0.0;
    int count = 0;
    void add(double t)
    {
        best = std::min(best, t);
        worst = std::max(worst, t);
        total += t;
        ++count;
    }
    double mean() const { return count ? total / count : 0.0; }
};

// A whole paint of the view's window, as the window system asks for one.
double repaint(views::ViewWindow& view, ui::headless::HeadlessWindow& native)
{
    native.invalidate();
    bench::Stopwatch clock;
    native.paintIfDirty();
    return clock.seconds();
}

}  // namespace

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
            rounds = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--png") == 0) {
            png = argv[i + 1];
        }
    }
    ui::headless::HeadlessPlatform platform;
    auto toolkit = ui::qt::installCanvases();  // kept while pictures are drawn
    std::mt19937 rng(13);

    model::Document doc;
    doc.autoDraw = false;
    bench::GeneratedCounts counts = bench::generateProject(doc, faces);
    views::ViewSet views(doc);
    views::ViewWindow& plan = views.byId(views::viewId::Plant);
    // The plan view in a window of its own, which keeps its picture.
    ui::headless::HeadlessWindow native(plan, "PLANT");
    plan.native = &native;
    native.visible = true;
    native.setGeometry(ui::PixelRect::fromSize(0, 0, width, height));
    plan.setScale(0.05);
    plan.zoomToExtents();

    bench::Stopwatch buildClock;
    const model::SpatialIndex& index = doc.spatialIndex();
    double buildTime = buildClock.seconds();

    Timing full;
    for (int round = 0; round < rounds; ++round) {
        full.add(repaint(plan, native));
    }
    long pens = native.canvas->pensMade();

    // Pans: the middle button held, the pointer moved 10 pixels at a time,
    // across (the strips uncovered lie beside the model) and up and down
    // (they cross it).
    ui::MouseEvent e;
    e.button = ui::MouseButton::Middle;
    e.x = width / 2;
    e.y = height / 2;
    plan.onMouseDown(e);
    e.button = ui::MouseButton::None;
    Timing panAcross;
    Timing panUpDown;
    for (int k = 0; k < 20; ++k) {
        int d = (k / 5) % 2 == 0 ? 10 : -10;
        e.x += d;
        bench::Stopwatch clock;
        plan.onMouseMove(e);
        panAcross.add(clock.seconds());
        e.y += d;
        bench::Stopwatch clock2;
        plan.onMouseMove(e);
        panUpDown.add(clock2.seconds());
    }
    e.button = ui::MouseButton::Middle;
    plan.onMouseUp(e);
    // The panned picture against a whole repaint of the same view.
    ui::Image panned = native.canvas->image();
    repaint(plan, native);
    ui::Image whole = native.canvas->image();
    long differing = 0;
    for (std::size_t i = 0; i < panned.pixels.size(); ++i) {
        differing += panned.pixels[i] != whole.pixels[i] ? 1 : 0;
    }
    if (!png.empty()) {
        std::string bytes;
        if (native.canvas->encodePng(bytes)) {
            if (std::FILE* f = std::fopen(png.c_str(), "wb")) {
                std::fwrite(bytes.data(), 1, bytes.size(), f);
                std::fclose(f);
            }
        }
    }

    // Zoomed in on 1 % of the model's area, about its middle.
    geometry::X3DPoint min;
    geometry::X3DPoint max;
    doc.bounds(min, max);
    double areaWidth = max.x - min.x;
    double areaHeight = max.y - min.y;
    double shownHeight = std::sqrt(0.01 * areaWidth * areaHeight * height / width);
    plan.setScale(shownHeight / height);
    plan.setCentre({(min.x + max.x) / 2, (min.y + max.y) / 2});
    Timing zoomed;
    for (int round = 0; round < rounds; ++round) {
        zoomed.add(repaint(plan, native));
    }
    plan.setScale(0.05);
    plan.zoomToExtents();
    repaint(plan, native);

    // The coordinate bar's depth under the pointer, and a pick click, at
    // random places over the model.
    std::uniform_real_distribution<double> ux(min.x, max.x);
    std::uniform_real_distribution<double> uy(min.y, max.y);
    Timing depth;
    Timing depthDirect;
    for (int k = 0; k < 1000; ++k) {
        model::ViewPoint q{ux(rng), uy(rng)};
        double d = -model::coordinateLimit;
        bench::Stopwatch clock;
        doc.pierce(plan, q, d);
        depth.add(clock.seconds());
        if (k < 5) {
            double direct = -model::coordinateLimit;
            bench::Stopwatch clock2;
            doc.EntityList::pierce(plan, q, direct);
            depthDirect.add(clock2.seconds());
        }
    }
    Timing pick;
    Timing pickDirect;
    long picked = 0;
    for (int k = 0; k < 1000; ++k) {
        ui::PixelPoint p = plan.viewToPixel({ux(rng), uy(rng)});
        bench::Stopwatch clock;
        picked += doc.pickToggle(plan, p, 0) ? 1 : 0;
        pick.add(clock.seconds());
        if (k < 5) {
            bench::Stopwatch clock2;
            doc.EntityList::pickToggle(plan, p, 0);
            pickDirect.add(clock2.seconds());
        }
    }
    doc.setSelected(false);

    // A rubber band over 10 % of the model's area, through every height,
    // with the plan view shown (each entity selected is drawn again).
    model::Region band;
    band.min = {min.x, min.y, -model::coordinateLimit};
    band.max = {min.x + areaWidth * std::sqrt(0.1), min.y + areaHeight * std::sqrt(0.1), model::coordinateLimit};
    bench::Stopwatch bandClock;
    doc.selectInside(band);
    double bandTime = bandClock.seconds();
    long selected = doc.forEach([](model::Entity& x) { return x.selected ? 1 : 0; });
    doc.setSelected(false);
    bench::Stopwatch directBandClock;
    doc.EntityList::selectInside(band);
    double directBandTime = directBandClock.seconds();
    doc.setSelected(false);

    // One entity's change: moved, then its place in the index taken again.
    std::uniform_int_distribution<std::size_t> any(0, doc.count() - 1);
    Timing change;
    for (int k = 0; k < 2000; ++k) {
        model::Entity& x = *doc.children()[any(rng)];
        x.translate({0.5, 0.25, 0.0});
        bench::Stopwatch clock;
        doc.entityChanged(x);
        change.add(clock.seconds());
    }
    bool consistent = doc.spatialIndex().consistent();

    std::printf("view figures, plan view %dx%d, %ld faces in %zu top-level entities\n", width, height, counts.faces,
                doc.count());
    std::printf("  index build           : %8.3f s   (tree height %d)\n", buildTime, index.height());
    std::printf("  whole repaint         : %8.3f s   zoomed to the extents (best of %d), %ld pens made\n", full.best,
                rounds, pens);
    std::printf("  pan 10 px across      : %8.2f ms  mean, %.2f ms at worst: 1/%.0f of a whole repaint\n",
                panAcross.mean() * 1e3, panAcross.worst * 1e3, full.best / panAcross.mean());
    std::printf("  pan 10 px up and down : %8.2f ms  mean, %.2f ms at worst: 1/%.0f of a whole repaint\n",
                panUpDown.mean() * 1e3, panUpDown.worst * 1e3, full.best / panUpDown.mean());
    std::printf("  panned picture        : %8ld pixels differ from a whole repaint\n", differing);
    std::printf("  zoomed in on 1 %%      : %8.3f s   (best of %d): 1/%.0f of a whole repaint\n", zoomed.best, rounds,
                full.best / zoomed.best);
    std::printf("  read-out depth        : %8.3f ms  mean, %.3f ms at worst (direct loop %.1f ms)\n",
                depth.mean() * 1e3, depth.worst * 1e3, depthDirect.mean() * 1e3);
    std::printf("  pick click            : %8.3f ms  mean, %.3f ms at worst, %ld of 1000 hit (direct loop %.1f ms)\n",
                pick.mean() * 1e3, pick.worst * 1e3, picked, pickDirect.mean() * 1e3);
    std::printf("  rubber band 10 %%      : %8.3f s   %ld entities selected and drawn (direct loop %.3f s)\n", bandTime,
                selected, directBandTime);
    std::printf("  one entity's change   : %8.2f us  mean, %.2f us at worst; index %s\n", change.mean() * 1e6,
                change.worst * 1e6, consistent ? "consistent" : "INCONSISTENT");
    return consistent && differing == 0 ? 0 : 1;
}
