// Large, realistic projects for benchmarks: rows of rooms with floors, roofs,
// walls carrying doors, windows and holes, sources, receivers and notes.
#pragma once

#include <cstdint>

namespace model {
class Document;
}

namespace bench {

struct GeneratedCounts {
    long faces = 0;  // every face, hole and door
    long walls = 0;
    long rooms = 0;
};

// Fills doc with at least `faces` faces (counting holes and doors); the same
// seed gives the same model.
GeneratedCounts generateProject(model::Document& doc, long faces, std::uint32_t seed = 1);

}  // namespace bench
