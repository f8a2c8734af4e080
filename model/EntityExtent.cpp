// The extents of the entity kinds.
#include "model/EntityExtent.h"

#include <algorithm>
#include <limits>

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

// Boxes gathered in full precision, rounded outwards once at the end.
struct Gathered {
    static constexpr double none = std::numeric_limits<double>::infinity();
    double lo[3] = {none, none, none};
    double hi[3] = {-none, -none, -none};
    double drawnLo[3] = {none, none, none};
    double drawnHi[3] = {-none, -none, -none};
    Extent extent;

    // A point that is only drawn (a coordinate that is not a number widens
    // nothing).
    void drawn(const X3DPoint& p)
    {
        const double c[3] = {p.x, p.y, p.z};
        for (int k = 0; k < 3; ++k) {
            if (c[k] < drawnLo[k]) {
                drawnLo[k] = c[k];
            }
            if (c[k] > drawnHi[k]) {
                drawnHi[k] = c[k];
            }
        }
    }
    // A point the entity answers with, and draws.
    void point(const X3DPoint& p)
    {
        const double c[3] = {p.x, p.y, p.z};
        for (int k = 0; k < 3; ++k) {
            if (c[k] < lo[k]) {
                lo[k] = c[k];
            }
            if (c[k] > hi[k]) {
                hi[k] = c[k];
            }
        }
        drawn(p);
    }
    Extent done()
    {
        if (lo[0] <= hi[0]) {
            extent.box.add(X3DPoint(lo[0], lo[1], lo[2]));
            extent.box.add(X3DPoint(hi[0], hi[1], hi[2]));
        }
        if (drawnLo[0] <= drawnHi[0]) {
            extent.drawn.add(X3DPoint(drawnLo[0], drawnLo[1], drawnLo[2]));
            extent.drawn.add(X3DPoint(drawnHi[0], drawnHi[1], drawnHi[2]));
        }
        return extent;
    }
};

void addNote(const Text& t, Gathered& x)
{
    x.point(t.start);
    x.point(t.end);
    std::uint32_t spill = noteMargin + 10 +
                          static_cast<std::uint32_t>(std::min<std::size_t>(t.text.size(), 4096)) * pixelsPerCharacter;
    auto m = static_cast<std::uint16_t>(std::min<std::uint32_t>(spill, 65535));
    x.extent.widen(m, m);
}

void addTo(const Entity& e, Gathered& x)
{
    switch (e.typeCode()) {
    case type::Face:
    case type::Hole:
    case type::Door:
        for (const X3DPoint& v : static_cast<const Face&>(e).vertices) {
            x.point(v);
        }
        x.extent.widen(lineMargin, lineMargin);
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
        x.point(s.start);
        x.point(s.end);
        x.extent.widen(lineMargin, lineMargin);
        return;
    }
    case type::Text:
        addNote(static_cast<const Text&>(e), x);
        return;
    case type::Ray: {
        const auto& r = static_cast<const Receiver&>(e);
        x.point(r.position);
        x.drawn(r.position + (r.target - r.position) * 100.0);
        x.extent.widen(rayMargin, rayMargin);
        return;
    }
    case type::Receiver:
    case type::Source: {
        const auto& r = static_cast<const Receiver&>(e);
        x.point(r.position);
        // The aim line and the loudspeaker drawing are drawn, never picked.
        x.drawn(r.target);
        if (reachFunction) {
            double reach = reachFunction(e);
            if (reach > 0.0) {
                x.drawn(r.position + X3DPoint(reach, reach, reach));
                x.drawn(r.position + X3DPoint(-reach, -reach, -reach));
            }
        }
        x.extent.widen(labelMarginX, labelMarginY);
        return;
    }
    case type::Info:
        return;  // never drawn, never picked
    default: {
        // A kind this list does not know: its bounds, with room for a symbol.
        X3DPoint min(coordinateLimit, coordinateLimit, coordinateLimit);
        X3DPoint max(-coordinateLimit, -coordinateLimit, -coordinateLimit);
        if (e.extendBounds(min, max)) {
            x.point(min);
            x.point(max);
        }
        x.extent.widen(64, 64);
        return;
    }
    }
}

}  // namespace

Extent extentOf(const Entity& e)
{
    Gathered x;
    addTo(e, x);
    return x.done();
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
