// What an entity can touch in a view, for the spatial index: the box of the
// points it is picked, pierced and snapped by, the box round all it draws
// (a receiver's aim point, a ray's long line, a loudspeaker drawing round a
// source) and how many pixels its symbols and labels reach beyond that.
#pragma once

#include <cstdint>

#include "model/SpatialIndex.h"

namespace model {

class Entity;

Extent extentOf(const Entity& e);

// How far the drawing a view puts round an entity reaches from the entity's
// own point, in metres (a source's loudspeaker); the views answer it.
using SymbolReach = double (*)(const Entity&);
void setSymbolReach(SymbolReach reach);
// Changes whenever reaches may have changed (another answerer, drawings
// read again): extents taken before then are stale.
std::uint64_t symbolReachGeneration();
void symbolReachChanged();

}  // namespace model
