// Receivers and sources in a regular grid over a dragged rectangle, either
// on the plane of three typed corner depths or following the terrain (the
// highest face under each point) at the remembered height above it.
#pragma once

#include <cstdint>

#include "tools/Tool.h"

namespace tools::analysis {

// Grids of more points than this ask first.
constexpr double gridQuestionAbove = 100000;
// Grids of more points than this are refused: they could not be held.
constexpr double gridLimit = 10000000;

// The Receiver tool with Shift: true when receivers were added.
bool receiverGrid(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2);
// The Source tool with Shift: true when sources were added.
bool sourceGrid(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2);

// The proposed step of a grid whose sides are that long: 9% of the longer
// one, to the nearest whole metre, at least one metre.
double proposedStep(double sideBA, double sideBC);
// How many points a grid with these sides and step has in each direction.
void gridCounts(double sideBA, double sideBC, double step, std::uint64_t& alongBC, std::uint64_t& alongBA);

}  // namespace tools::analysis
