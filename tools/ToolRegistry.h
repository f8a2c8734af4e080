// The one list of tools: where each sits in the menus, how it is made, and
// the set of tool objects that the palette shows, the menus check and the
// views' gestures are handed to.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "tools/Tool.h"
#include "ui/Frame.h"

namespace tools {

struct ToolEntry {
    ToolId id;
    const char* menu;      // "&Tools" or "St&ructures"
    const char* menuText;  // with the '&' of its mnemonic
    bool separatorBefore;
    std::unique_ptr<Tool> (*make)();
};

// Every tool in palette order.
const std::array<ToolId, toolCount>& allTools();
const ToolEntry& toolEntry(ToolId id);
// The tool a command chooses, if it chooses one.
std::optional<ToolId> toolOfCommand(int command);
// The menu entries of the tools of one menu, in palette order.
std::vector<ui::MenuCommand> toolMenuCommands(const char* menu);

// One object of every tool, made fresh, so that what a tool remembers
// belongs to one palette (one program, or one test).
class ToolRegistry {
public:
    ToolRegistry();
    ToolRegistry(const ToolRegistry&) = delete;
    ToolRegistry& operator=(const ToolRegistry&) = delete;

    Tool& get(ToolId id) const;
    // The tool of a command, or null.
    Tool* find(int command) const;
    std::size_t size() const { return tools_.size(); }

private:
    std::vector<std::unique_ptr<Tool>> tools_;
};

}  // namespace tools
