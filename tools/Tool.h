// One tool of the palette and of the Tools and Structures menus: its ID, the
// prompt of each step, the gesture it makes in a view, and what it does with
// a finished gesture and with the Space key.
#pragma once

#include <string>

#include "model/ViewMapping.h"

namespace model {
class Document;
class EntityEditor;
}  // namespace model

namespace storage {
class UndoRing;
}

namespace views {
class ViewSet;
class ViewWindow;
}  // namespace views

namespace tools {

using model::ViewPoint;

// The tools, by their command IDs, in the order of the palette's cells.
enum class ToolId : int {
    Pick = 201,
    Lens,
    Move,
    Mirror,
    Rotate,
    Floor,
    Wall,
    Roof,
    Box,
    Boxes,
    Cylinder,
    Sphere,
    Cone,
    Pipe,
    Gradin,
    Door,
    Window,
    Hole,
    Source,
    Receiver,
    TextNote,
};
constexpr ToolId firstTool = ToolId::Pick;
constexpr ToolId lastTool = ToolId::TextNote;
constexpr int toolCount = static_cast<int>(lastTool) - static_cast<int>(firstTool) + 1;

constexpr int commandOf(ToolId id)
{
    return static_cast<int>(id);
}

// The menu commands that choose each tool (the command table is keyed by int).
namespace tool {
constexpr int Pick = commandOf(ToolId::Pick);
constexpr int Lens = commandOf(ToolId::Lens);
constexpr int Move = commandOf(ToolId::Move);
constexpr int Mirror = commandOf(ToolId::Mirror);
constexpr int Rotate = commandOf(ToolId::Rotate);
constexpr int Floor = commandOf(ToolId::Floor);
constexpr int Wall = commandOf(ToolId::Wall);
constexpr int Roof = commandOf(ToolId::Roof);
constexpr int Box = commandOf(ToolId::Box);
constexpr int Boxes = commandOf(ToolId::Boxes);
constexpr int Cylinder = commandOf(ToolId::Cylinder);
constexpr int Sphere = commandOf(ToolId::Sphere);
constexpr int Cone = commandOf(ToolId::Cone);
constexpr int Pipe = commandOf(ToolId::Pipe);
constexpr int Gradin = commandOf(ToolId::Gradin);
constexpr int Door = commandOf(ToolId::Door);
constexpr int Window = commandOf(ToolId::Window);
constexpr int Hole = commandOf(ToolId::Hole);
constexpr int Source = commandOf(ToolId::Source);
constexpr int Receiver = commandOf(ToolId::Receiver);
constexpr int TextNote = commandOf(ToolId::TextNote);
}  // namespace tool

// The figure of a gesture; its number is what the coordinate bar keeps.
enum class Gesture : int {
    Click = 0,
    Line = 1,
    Rectangle = 2,
    Circle = 3,
};

class ToolPalette;
struct ToolMemory;

// What a tool works with while it acts.
struct ToolContext {
    model::Document& doc;
    views::ViewSet& views;
    storage::UndoRing& undo;
    // The material chooser and the entities' own dialogs.
    model::EntityEditor& editor;
    // The click counter and the prompt.
    ToolPalette& palette;
    // Values several tools remember together while the program runs.
    ToolMemory& memory;
};

class Tool {
public:
    virtual ~Tool() = default;

    virtual ToolId id() const = 0;
    // The coordinate bar's prompt at a step of the tool's clicks.
    virtual std::string prompt(int step) const = 0;
    // The gesture a press starts in this view; `selection` tells whether
    // anything is selected.
    virtual Gesture gesture(const views::ViewWindow& view, bool shift, bool selection) const = 0;
    // Whether the gesture's points snap to the grid (or with Ctrl to a vertex).
    virtual bool snaps() const { return true; }
    // A finished gesture from start to end (the same point for a click).
    virtual void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end,
                     Gesture gesture) = 0;
    // The Space key while the tool is current; false when it has no use for it.
    virtual bool space(ToolContext&) { return false; }
    // The tool is left or starts again: points collected so far are dropped
    // and whatever it keeps drawn in a view is taken away.
    virtual void reset(ToolContext&) {}
    // A view was painted anew: what the tool keeps drawn there comes back.
    virtual void painted(views::ViewWindow&) {}
    // The view's picture is about to move: what the tool keeps drawn there
    // goes (painted brings it back).
    virtual void hideOverlays(views::ViewWindow&) {}
};

}  // namespace tools
