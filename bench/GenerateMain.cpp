// kcad-generate FACES OUT.ray: writes a generated project.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/ProjectGenerator.h"
#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "ui/headless/HeadlessPlatform.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: kcad-generate FACES OUT.ray\n");
        return 2;
    }
    long faces = std::strtol(argv[1], nullptr, 10);
    if (faces <= 0) {
        std::fprintf(stderr, "kcad-generate: FACES must be a positive number\n");
        return 2;
    }
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    bench::GeneratedCounts counts = bench::generateProject(doc, faces);
    if (!storage::writeProjectFile(argv[2], doc)) {
        std::fprintf(stderr, "kcad-generate: can't write %s\n", argv[2]);
        return 1;
    }
    std::printf("%ld faces, %ld walls, %ld rooms -> %s\n", counts.faces, counts.walls, counts.rooms, argv[2]);
    return 0;
}
