// Editing-workflow figures: an undo snapshot of a 100k-face model and the
// duplicate finder on a model of a million top-level entities.
//
//   bench_workflow [--faces N] [--entities N]
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/ProjectGenerator.h"
#include "model/Document.h"
#include "storage/TempFiles.h"
#include "storage/UndoRing.h"
#include "tools/DuplicateFinder.h"
#include "ui/headless/HeadlessPlatform.h"

int main(int argc, char** argv)
{
    long snapshotFaces = 100000;
    long entities = 1000000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--faces") == 0) {
            snapshotFaces = std::strtol(argv[i + 1], nullptr, 10);
        } else if (std::strcmp(argv[i], "--entities") == 0) {
            entities = std::strtol(argv[i + 1], nullptr, 10);
        }
    }
    ui::headless::HeadlessPlatform platform;

    double snapshotBest = 1e9;
    {
        model::Document doc;
        bench::generateProject(doc, snapshotFaces);
        storage::UndoRing ring;
        for (int round = 0; round < 5; ++round) {
            bench::Stopwatch clock;
            ring.takeSnapshot(doc);
            snapshotBest = std::min(snapshotBest, clock.seconds());
        }
    }

    // A model of a million top-level entities of which one in ten repeats an
    // earlier one (as imported drawings do).
    model::Document doc;
    doc.autoDraw = false;
    bench::generateProject(doc, entities);
    std::size_t original = doc.count();
    for (std::size_t i = 0; doc.count() < static_cast<std::size_t>(entities) && i < original; i += 10) {
        doc.append(doc.children()[i]->clone());
    }
    double findBest = 1e9;
    unsigned found = 0;
    for (int round = 0; round < 3; ++round) {
        bench::Stopwatch clock;
        found = tools::selectDuplicates(doc);
        findBest = std::min(findBest, clock.seconds());
    }

    std::printf("workflow benchmark\n");
    std::printf("  undo snapshot   : %7.3f s  for %ld faces (best of 5)\n", snapshotBest, snapshotFaces);
    std::printf("  duplicate finder: %7.3f s  for %zu top-level entities, %u duplicates found (best of 3)\n", findBest,
                doc.count(), found);
    return 0;
}
