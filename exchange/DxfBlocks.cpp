// Block expansion.
#include "exchange/DxfBlocks.h"

#include <cmath>

#include "exchange/DxfReader.h"
#include "textio/RealFormat.h"

namespace exchange {

namespace {

std::string upperAscii(const std::string& s)
{
    std::string out = s;
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

}  // namespace

long long insertColumns(const DxfEntity& ins)
{
    return (ins.hasFlags && ins.flags > 1 && ins.spacing[0] != 0.0) ? ins.flags : 1;
}

long long insertRows(const DxfEntity& ins)
{
    return (ins.hasRowCount && ins.counts[0] > 1 && ins.spacing[1] != 0.0) ? ins.counts[0] : 1;
}

Affine insertPlacement(const DxfEntity& ins, const X3DPoint& base, long long column, long long row)
{
    // In the insert's object coordinates: the block's base point moves to the
    // origin, is scaled, turned by the rotation and moved to the insertion
    // point plus the (turned, unscaled) array offset.
    double a = ins.rotation * M_PI / 180.0;
    double c = std::cos(a);
    double s = std::sin(a);
    double ox = static_cast<double>(column) * ins.spacing[0];
    double oy = static_cast<double>(row) * ins.spacing[1];
    X3DPoint at = ins.corner(0);
    Affine local;
    double sx = ins.scale[0];
    double sy = ins.scale[1];
    double sz = ins.scale[2];
    local.m[0][0] = c * sx;
    local.m[0][1] = -s * sy;
    local.m[0][2] = 0.0;
    local.m[1][0] = s * sx;
    local.m[1][1] = c * sy;
    local.m[1][2] = 0.0;
    local.m[2][0] = 0.0;
    local.m[2][1] = 0.0;
    local.m[2][2] = sz;
    X3DPoint b = local.turn(base);
    local.t = X3DPoint(at.x + c * ox - s * oy - b.x, at.y + s * ox + c * oy - b.y, at.z - b.z);
    return Affine::ocs(ins.extrusion).after(local);
}

BlockExpander::BlockExpander(const DxfReader& reader, std::uint64_t maxEntities)
    : reader_(reader), maxEntities_(maxEntities)
{
}

void BlockExpander::problem(const std::string& key, const std::string& text)
{
    if (reported_.insert(key).second) {
        problems_.push_back(text);
    }
}

// How many entities a block expands to (INSERTs counted with their arrays),
// as a double so that absurd counts saturate instead of wrapping.
double BlockExpander::sizeOf(const std::string& name, int depth)
{
    std::string key = upperAscii(name);
    auto known = sizes_.find(key);
    if (known != sizes_.end()) {
        return known->second;
    }
    const DxfBlock* block = reader_.block(name);
    if (!block || depth >= maxDepth) {
        return 0.0;
    }
    sizes_[key] = 0.0;  // while counting: a reference back to it adds nothing
    double total = 0.0;
    for (const DxfEntity& e : block->entities) {
        if (e.is("INSERT")) {
            // Every placement is work, even of a block nested too deep to show.
            total += static_cast<double>(insertColumns(e)) * static_cast<double>(insertRows(e)) *
                     (1.0 + sizeOf(e.name, depth + 1));
        } else {
            total += 1.0 + static_cast<double>(e.vertices.size());
        }
        total = std::min(total, 1e18);
    }
    sizes_[key] = total;
    return total;
}

void BlockExpander::expand(const DxfEntity& e, const Sink& sink)
{
    static const Affine identity;
    if (!e.is("INSERT")) {
        sink(PlacedEntity{e, identity, false, e.layer, e.colour, e.hasColour});
        return;
    }
    insert(e, identity, e.layer, e.colour, e.hasColour, 0, sink);
}

void BlockExpander::insert(const DxfEntity& ins, const Affine& outer, const std::string& layer, long long colour,
                           bool hasColour, int depth, const Sink& sink)
{
    if (ins.damaged) {
        ++leftOut_;
        return;
    }
    const DxfBlock* block = reader_.block(ins.name);
    if (!block) {
        problem("undefined " + upperAscii(ins.name), "The block " + ins.name + " is not defined");
        return;
    }
    std::string key = upperAscii(block->name);
    if (depth >= maxDepth) {
        problem("depth", "Blocks nest deeper than " + std::to_string(maxDepth) + " levels: " + block->name +
                             " and what it holds are left out");
        return;
    }
    for (const std::string& open : active_) {
        if (open == key) {
            problem("self " + key, "The block " + block->name + " inserts itself: it is expanded no deeper");
            return;
        }
    }
    long long columns = insertColumns(ins);
    long long rows = insertRows(ins);
    double size = static_cast<double>(columns) * static_cast<double>(rows) * (1.0 + sizeOf(block->name, depth));
    if (static_cast<double>(produced_) + size > static_cast<double>(maxEntities_)) {
        problem("budget", "The drawing's blocks expand to more than " + std::to_string(maxEntities_) +
                              " entities: the INSERT of " + block->name + " at line " + std::to_string(ins.line) +
                              " and the larger ones after it are left out");
        return;
    }
    active_.push_back(key);
    for (long long row = 0; row < rows; ++row) {
        for (long long column = 0; column < columns; ++column) {
            ++produced_;
            Affine place = outer.after(insertPlacement(ins, block->base, column, row));
            for (const DxfEntity& e : block->entities) {
                if (e.is("ATTDEF")) {
                    continue;
                }
                const std::string& inner = e.layer == "0" ? layer : e.layer;
                bool byBlock = e.hasColour && e.colour == 0;
                long long c = byBlock ? colour : e.colour;
                bool hasC = byBlock ? hasColour : e.hasColour;
                if (e.is("INSERT")) {
                    insert(e, place, inner, c, hasC, depth + 1, sink);
                } else if (!e.damaged) {
                    ++produced_;
                    sink(PlacedEntity{e, place, true, inner, c, hasC});
                }
            }
        }
    }
    active_.pop_back();
}

}  // namespace exchange
