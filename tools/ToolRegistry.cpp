// The tool list.
#include "tools/ToolRegistry.h"

#include <cstring>

#include "tools/draw/DrawTools.h"
#include "tools/edit/EditTools.h"
#include "tools/generators/Generators.h"

namespace tools {

namespace {

constexpr const char* toolsMenu = "&Tools";
constexpr const char* structuresMenu = "St&ructures";

ToolEntry describe(ToolId id)
{
    // Every tool has its line here: a new ID without one does not compile.
    switch (id) {
    case ToolId::Pick:
        return {id, toolsMenu, "&Pick", false, &edit::makePickTool};
    case ToolId::Lens:
        return {id, toolsMenu, "&Lens", false, &edit::makeLensTool};
    case ToolId::Move:
        return {id, toolsMenu, "&Move", true, &edit::makeMoveTool};
    case ToolId::Mirror:
        return {id, toolsMenu, "Mirr&or", false, &edit::makeMirrorTool};
    case ToolId::Rotate:
        return {id, toolsMenu, "&Rotate", false, &edit::makeRotateTool};
    case ToolId::Floor:
        return {id, toolsMenu, "&Floor", true, &draw::makeFloorTool};
    case ToolId::Wall:
        return {id, toolsMenu, "&Wall", false, &draw::makeWallTool};
    case ToolId::Roof:
        return {id, toolsMenu, "&Roof", false, &draw::makeRoofTool};
    case ToolId::Box:
        return {id, structuresMenu, "&Box", false, &generators::makeBoxTool};
    case ToolId::Boxes:
        return {id, structuresMenu, "Bo&xes", false, &generators::makeBoxesTool};
    case ToolId::Cylinder:
        return {id, structuresMenu, "&Cylinder", false, &generators::makeCylinderTool};
    case ToolId::Sphere:
        return {id, structuresMenu, "&Sphere", false, &generators::makeSphereTool};
    case ToolId::Cone:
        return {id, structuresMenu, "&Cone", false, &generators::makeConeTool};
    case ToolId::Pipe:
        return {id, structuresMenu, "&Pipe", false, &generators::makePipeTool};
    case ToolId::Gradin:
        return {id, structuresMenu, "&Gradin", false, &generators::makeGradinTool};
    case ToolId::Door:
        return {id, toolsMenu, "&Door", false, &draw::makeDoorTool};
    case ToolId::Window:
        return {id, toolsMenu, "W&indow", false, &draw::makeWindowTool};
    case ToolId::Hole:
        return {id, toolsMenu, "&Hole", false, &draw::makeHoleTool};
    case ToolId::Source:
        return {id, toolsMenu, "So&urce", true, &draw::makeSourceTool};
    case ToolId::Receiver:
        return {id, toolsMenu, "R&eceiver", false, &draw::makeReceiverTool};
    case ToolId::TextNote:
        return {id, toolsMenu, "&Text note", false, &draw::makeTextTool};
    }
    return {id, toolsMenu, "", false, nullptr};
}

std::array<ToolId, toolCount> makeOrder()
{
    std::array<ToolId, toolCount> order{};
    for (int i = 0; i < toolCount; ++i) {
        order[static_cast<std::size_t>(i)] = static_cast<ToolId>(commandOf(firstTool) + i);
    }
    return order;
}

std::array<ToolEntry, toolCount> makeEntries()
{
    std::array<ToolEntry, toolCount> entries{};
    for (int i = 0; i < toolCount; ++i) {
        entries[static_cast<std::size_t>(i)] = describe(static_cast<ToolId>(commandOf(firstTool) + i));
    }
    return entries;
}

std::size_t indexOf(ToolId id)
{
    return static_cast<std::size_t>(commandOf(id) - commandOf(firstTool));
}

}  // namespace

const std::array<ToolId, toolCount>& allTools()
{
    static const std::array<ToolId, toolCount> order = makeOrder();
    return order;
}

const ToolEntry& toolEntry(ToolId id)
{
    static const std::array<ToolEntry, toolCount> entries = makeEntries();
    return entries[indexOf(id)];
}

std::optional<ToolId> toolOfCommand(int command)
{
    if (command < commandOf(firstTool) || command > commandOf(lastTool)) {
        return std::nullopt;
    }
    return static_cast<ToolId>(command);
}

std::vector<ui::MenuCommand> toolMenuCommands(const char* menu)
{
    std::vector<ui::MenuCommand> commands;
    for (ToolId id : allTools()) {
        const ToolEntry& e = toolEntry(id);
        if (std::strcmp(e.menu, menu) == 0) {
            commands.push_back({commandOf(id), e.menu, e.menuText, "", e.separatorBefore});
        }
    }
    return commands;
}

ToolRegistry::ToolRegistry()
{
    for (ToolId id : allTools()) {
        tools_.push_back(toolEntry(id).make());
    }
}

Tool& ToolRegistry::get(ToolId id) const
{
    return *tools_[indexOf(id)];
}

Tool* ToolRegistry::find(int command) const
{
    std::optional<ToolId> id = toolOfCommand(command);
    return id ? &get(*id) : nullptr;
}

}  // namespace tools
