// Construction and analysis figures: Select Obstructing on a generated model
// with a grid of receivers and a few sources (the indexed search, and with
// --direct every face against every pair as well), a receiver grid of
// 100,000 points on flat ground and following a sloping terrain, and a
// curved gradin of 10,000 faces, each as the user makes it through the
// program's own tools and dialogs (answered by the scripted user).
//
//   bench_tools [--faces N] [--sources N] [--receivers N] [--grid N] [--gradin-steps N] [--direct]
//
// Following the terrain asks the depth under every point of the model's
// spatial index, so its time grows with the grid's size and only slowly
// with the model's.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "app/Application.h"
#include "app/CommandTable.h"
#include "app/MacroScript.h"
#include "bench/BenchSupport.h"
#include "bench/ProjectGenerator.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Source.h"
#include "tools/analysis/FindObstructing.h"
#include "ui/headless/HeadlessPlatform.h"

namespace {

// Runs script text, timing it; stops the benchmark when the script fails.
double timed(app::MacroRunner& runner, const std::string& script)
{
    std::string failure;
    bench::Stopwatch clock;
    if (!runner.run(script, "bench", failure)) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::exit(1);
    }
    return clock.seconds();
}

}  // namespace

int main(int argc, char** argv)
{
    long faces = 100000;
    int sources = 5;
    int receivers = 1000;
    long gridPoints = 100000;
    int gradinSteps = 100;
    bool direct = false;
    for (int i = 1; i < argc; ++i) {
        auto next = [&](long fallback) { return i + 1 < argc ? std::strtol(argv[++i], nullptr, 10) : fallback; };
        if (std::strcmp(argv[i], "--faces") == 0) {
            faces = next(faces);
        } else if (std::strcmp(argv[i], "--sources") == 0) {
            sources = static_cast<int>(next(sources));
        } else if (std::strcmp(argv[i], "--receivers") == 0) {
            receivers = static_cast<int>(next(receivers));
        } else if (std::strcmp(argv[i], "--grid") == 0) {
            gridPoints = next(gridPoints);
        } else if (std::strcmp(argv[i], "--gradin-steps") == 0) {
            gradinSteps = static_cast<int>(next(gradinSteps));
        } else if (std::strcmp(argv[i], "--direct") == 0) {
            direct = true;
        }
    }
    std::filesystem::path work = std::filesystem::temp_directory_path() / ("bench-tools-" + std::to_string(getpid()));
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);
    setenv("TMPDIR", work.c_str(), 1);
    materials::setMaterialDirectory("");
    ui::headless::HeadlessPlatform platform;

    // Obstructing faces: the receivers in a grid over the generated rows of
    // rooms at 1.7 m, the sources scattered over them.
    double obstructIndexed = 0.0;
    double obstructDirect = 0.0;
    std::size_t found = 0;
    std::size_t foundDirect = 0;
    long modelFaces = 0;
    {
        model::Document doc;
        doc.autoDraw = false;
        modelFaces = bench::generateProject(doc, faces).faces;
        // Only the sources and receivers below: the generated rooms' own go.
        for (const auto& child : doc.children()) {
            int t = child->typeCode();
            child->setSelected(t == model::type::Source || t == model::type::Receiver);
        }
        doc.deleteSelected();
        geometry::X3DPoint min(1e9, 1e9, 1e9);
        geometry::X3DPoint max(-1e9, -1e9, -1e9);
        doc.bounds(min, max);
        int across = std::max(1, static_cast<int>(std::sqrt(receivers * (max.x - min.x) / (max.y - min.y))));
        int down = std::max(1, (receivers + across - 1) / across);
        int placed = 0;
        for (int i = 0; i < across && placed < receivers; ++i) {
            for (int j = 0; j < down && placed < receivers; ++j, ++placed) {
                geometry::X3DPoint p(min.x + (max.x - min.x) * (i + 0.5) / across,
                                     min.y + (max.y - min.y) * (j + 0.5) / down, 1.7);
                doc.append(std::make_unique<model::Receiver>(p, p));
            }
        }
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        for (int s = 0; s < sources; ++s) {
            geometry::X3DPoint p(min.x + (max.x - min.x) * u(rng), min.y + (max.y - min.y) * u(rng), 1.7);
            doc.append(std::make_unique<model::Source>(p, p, 0.0, "omni.spk"));
        }
        bench::Stopwatch clock;
        found = tools::analysis::obstructingFaces(doc, tools::analysis::ObstructingMode::SelectUnflagged).size();
        obstructIndexed = clock.seconds();
        if (direct) {
            bench::Stopwatch slow;
            foundDirect =
                tools::analysis::obstructingFacesDirect(doc, tools::analysis::ObstructingMode::SelectUnflagged).size();
            obstructDirect = slow.seconds();
        }
    }

    // The grids and the gradin, through the program and its tools.
    app::Application application;
    application.start("");
    app::MacroRunner runner(application, platform);
    // A rectangle of exactly that many points, as near square as they allow.
    gridPoints = std::max(1L, gridPoints);
    long side = std::max(1L, static_cast<long>(std::sqrt(static_cast<double>(gridPoints))));
    while (gridPoints % side != 0) {
        --side;
    }
    long other = gridPoints / side;
    std::string rect = "@0,0 @" + std::to_string(other - 1) + "," + std::to_string(side - 1);
    std::string ask = gridPoints > 100000 ? "answer confirm yes\n" : "";
    // The answers are queued before the gesture: the time is the build's.
    double flat = timed(runner, "command \"R&eceiver\"\nanswer confirm no\nanswer GETVALUEBOX ok\n"
                                "answer GETVALUEBOX ok\nanswer GETVALUEBOX ok\nanswer GETVALUEBOX 120=1 ok\n" +
                                    ask + "drag PLANT " + rect + " shift\n");
    long built = static_cast<long>(application.document.count());
    // A roof sloping over the whole grid, then the same grid following it
    // (the flat one undone first: every point pierces the whole model).
    timed(runner,
          "key Ctrl+Z\ncommand \"&Roof\"\nanswer GETVALUEBOX 120=0 ok\nclick PLANT @-1,-1\nanswer GETVALUEBOX ok\n"
          "click PLANT @" +
              std::to_string(other + 1) +
              ",-1\nanswer GETVALUEBOX 120=20 ok\n"
              "click PLANT @" +
              std::to_string(other + 1) + "," + std::to_string(side + 1) +
              "\nanswer GETMATERIAL 120=1 ok\nclick PLANT @-1," + std::to_string(side + 1) + "\n");
    double terrain = timed(runner, "command \"R&eceiver\"\nanswer confirm yes\nanswer GETVALUEBOX ok\n"
                                   "answer GETVALUEBOX 120=1 ok\n" +
                                       ask + "drag PLANT " + rect + " shift\n");
    // For comparison, the depth asked of every entity in turn (no index),
    // at a thousand of the grid's points, over the same model.
    double directDepth = 0.0;
    if (direct) {
        views::ViewWindow& plan = *application.view(app::cmd::ViewPlant);
        bench::Stopwatch slow;
        for (int k = 0; k < 1000; ++k) {
            double depth = -model::coordinateLimit;
            application.document.EntityList::pierce(plan, {(k % 100) * (other / 100.0), (k / 100) * 0.5}, depth);
        }
        directDepth = slow.seconds() / 1000;
    }
    // The same again over the model now holding that grid: every point of
    // it asks the depth under it of a model of as many receivers (through
    // the model's spatial index).
    std::size_t holding = application.document.count();
    double crowded = timed(runner, "command \"R&eceiver\"\nanswer confirm yes\nanswer GETVALUEBOX ok\n"
                                   "answer GETVALUEBOX 120=1 ok\n" +
                                       ask + "drag PLANT " + rect + " shift\n");
    // A full round of seating: steps times subdivisions times two faces.
    std::size_t before = application.document.count();
    double gradin = timed(runner, "command \"&Gradin\"\nanswer THEATERBOX 123=" + std::to_string(gradinSteps) +
                                      " 124=360 ok\nanswer GETMATERIAL 120=1 ok\nanswer GETVALUEBOX 120=50 ok\n"
                                      "drag PLANT @-200,-200 @-190,-200\n");
    std::size_t gradinFaces = application.document.count() - before;

    std::printf("tools benchmark\n");
    std::printf("  Select Obstructing : %7.3f s  %ld faces, %d sources x %d receivers, %zu faces found (indexed)\n",
                obstructIndexed, modelFaces, sources, receivers, found);
    if (direct) {
        std::printf("                       %7.3f s  every face against every pair, %zu faces found\n", obstructDirect,
                    foundDirect);
    }
    std::printf("  receiver grid      : %7.3f s  %ld receivers on flat ground (one undo step)\n", flat, built);
    std::printf("                       %7.3f s  %ld receivers following a sloping roof\n", terrain, built);
    std::printf("                       %7.3f s  %ld receivers following it over a model of %zu entities\n", crowded,
                built, holding);
    if (direct) {
        std::printf("                       %7.3f ms the depth under one point asked of every entity in turn "
                    "(%.1f s for the grid)\n",
                    directDepth * 1e3, directDepth * static_cast<double>(built));
    }
    std::printf("  gradin             : %7.3f s  %zu faces\n", gradin, gradinFaces);
    std::filesystem::current_path("/");
    std::error_code ec;
    std::filesystem::remove_all(work, ec);
    return (direct && found != foundDirect) ? 1 : 0;
}
