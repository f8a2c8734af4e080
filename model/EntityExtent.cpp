// The extents of the entity kinds.
#include "model/EntityExtent.h"

#include <algorithm>

#include "model/EntityList.h"
#include "model/Face.h"
#include "model/Receiver.h"
#include "model/Segment.h"
#include "model/Text.h"

namespace model {

namespace {

SymbolReach reachFunction = nullptr;
std::uint64_t reachGeneration = 1;

// Pixels beyond the projected box, by what is drawn there: one for the
// truncation of every point to its pixel and one to spare; a ray's start
// circle; a receiver's circle with its number (ten digits at most) or a
// source's box with its letters (seven at most), both written centred
// below the point's row; a note's "i".
constexpr std::uint16_t lineMargin = 2;
constexpr std::uint16_t rayMargin = 4;
constexpr std::uint16_t labelMarginX = 48;
constexpr std::uint16_t labelMarginY = 14;
constexpr std::uint16_t noteMargin = 14;
// A note's text is broken between words inside its box, but what does not
// fit spills out of it, to the right and below: as far as the text is long.
constexpr std::uint32_t pixelsPerCharacter = 16;

// A point the entity answers with (and draws).
void addPoint(Extent& x, const X3DPoint& p)
{
    x.box.add(p);
    x.drawn.add(p);
}

void addNote(const Text& t, Extent& x)
{
    addPoint(x, t.start);
    addPoint(x, t.end);
    std::uint32_t spill =
        noteMargin + 10 + static_cast<std::uint32_t>(std::min<std::size_t>(t.text.size(), 4096)) * pixelsPerCharacter;
    auto m = static_cast<std::uint16_t>(std::min<std::uint32_t>(spill, 65535));
    x.widen(m, m);
}

void addTo(const Entity& e, Extent& x)
{
    switch (e.typeCode()) {
    case type::Face:
    case type::Hole:
    case type::Door:
        for (const X3DPoint& v : static_cast<const Face&>(e).vertices) {
            addPoint(x, v);
        }
        x.widen(lineMargin, lineMargin);
        return;
    case type::EntityList:
    case type::InfoList:
    case type::Wall:
        for (const auto& child : static_cast<const EntityList&>(e).children()) {
            addTo(*child, x);
        }
        return;
    case type::Segment: {
        const auto& s = static_cast<const Segment&>(e);
        addPoint(x, s.start);
        addPoint(x, s.end);
        x.widen(lineMargin, lineMargin);
        return;
    }
    case type::Text:
        addNote(static_cast<const Text&>(e), x);
        return;
    case type::Ray: {
        const auto& r = static_cast<const Receiver&>(e);
        addPoint(x, r.position);
        x.drawn.add(r.position + (r.target - r.position) * 100.0);
        x.widen(rayMargin, rayMargin);
        return;
    }
    case type::Receiver:
    case type::Source: {
        const auto& r = static_cast<const Receiver&>(e);
        addPoint(x, r.position);
        // The aim line and the loudspeaker drawing are drawn, never picked.
        IndexBox symbol;
        symbol.add(r.position);
        if (reachFunction) {
            symbol.grow(reachFunction(e));
        }
        x.drawn.add(symbol);
        x.drawn.add(r.target);
        x.widen(labelMarginX, labelMarginY);
        return;
    }
    case type::Info:
        return;  // never drawn, never picked
    default: {
        // A kind this list does not know: its bounds, with room for a symbol.
        X3DPoint min(coordinateLimit, coordinateLimit, coordinateLimit);
        X3DPoint max(-coordinateLimit, -coordinateLimit, -coordinateLimit);
        if (e.extendBounds(min, max)) {
            addPoint(x, min);
            addPoint(x, max);
        }
        x.widen(64, 64);
        return;
    }
    }
}

}  // namespace

Extent extentOf(const Entity& e)
{
    Extent x;
    addTo(e, x);
    return x;
}

void setSymbolReach(SymbolReach reach)
{
    if (reach != reachFunction) {
        reachFunction = reach;
        ++reachGeneration;
    }
}

std::uint64_t symbolReachGeneration()
{
    return reachGeneration;
}

void symbolReachChanged()
{
    ++reachGeneration;
}

}  // namespace model
