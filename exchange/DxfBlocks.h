// Expanding block references: every INSERT stands for the entities of its
// block, placed by its insertion point, scale factors, rotation, extrusion
// direction and column/row array, recursively. An entity on layer "0" in a
// block takes the layer of the INSERT that places it.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "exchange/DxfEntity.h"

namespace exchange {

class DxfReader;

// An entity as it lands in the drawing: the entity, its placement, and the
// layer and colour it takes there.
struct PlacedEntity {
    const DxfEntity& entity;
    const Affine& place;
    bool placed;  // false: the placement is the identity
    const std::string& layer;
    long long colour;
    bool hasColour;
};

class BlockExpander {
public:
    // Blocks nest at most this deep.
    static constexpr int maxDepth = 64;

    // maxEntities bounds what INSERTs may add in all (a column count of two
    // billion must not take the machine down).
    BlockExpander(const DxfReader& reader, std::uint64_t maxEntities);

    using Sink = std::function<void(const PlacedEntity&)>;
    // An entity of the ENTITIES section: INSERTs are expanded (ATTDEFs in
    // blocks are attribute templates and left out), anything else is handed
    // on as it is.
    void expand(const DxfEntity& e, const Sink& sink);

    // What went wrong, each problem once (a block that inserts itself, too
    // deep a nesting, an undefined block, too many entities).
    const std::vector<std::string>& problems() const { return problems_; }
    std::uint64_t expanded() const { return produced_; }
    // INSERTs left out for a number that is not finite or beyond any model
    // (counted each time one is met).
    long long leftOut() const { return leftOut_; }

private:
    struct Block;
    void insert(const DxfEntity& ins, const Affine& outer, const std::string& layer, long long colour, bool hasColour,
                int depth, const Sink& sink);
    double sizeOf(const std::string& name, int depth);
    void problem(const std::string& key, const std::string& text);

    const DxfReader& reader_;
    std::uint64_t maxEntities_;
    std::uint64_t produced_ = 0;
    long long leftOut_ = 0;
    std::vector<std::string> active_;
    std::unordered_map<std::string, double> sizes_;
    std::set<std::string> reported_;
    std::vector<std::string> problems_;
};

// The placement of an INSERT's block for one cell of its array.
Affine insertPlacement(const DxfEntity& ins, const X3DPoint& base, long long column, long long row);
// Columns and rows of an INSERT's array (1 where the spacing is 0).
long long insertColumns(const DxfEntity& ins);
long long insertRows(const DxfEntity& ins);

}  // namespace exchange
