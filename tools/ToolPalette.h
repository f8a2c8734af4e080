// The tool palette: one cell of 32 by 32 pixels for each of the 21 tools,
// the tool objects behind the cells, the current tool (highlighted, and
// checked in the menus), the click counter of multi-click tools, and the
// prompt of the current tool and step.
#pragma once

#include <functional>
#include <string>

#include "tools/ToolRegistry.h"
#include "ui/Canvas.h"
#include "ui/Window.h"

namespace tools {

// The coordinate bar's prompt for a tool's command at a step (empty for
// other commands).
std::string promptFor(int tool, int step);

class ToolPalette final : public ui::Window {
public:
    static constexpr int cellSize = 32;
    static constexpr int firstCommand = tool::Pick;
    static constexpr int cellCount = toolCount;

    // The bitmap of the cells, one row of 32-pixel squares.
    explicit ToolPalette(ui::Image bitmap);

    // The current tool's command.
    int currentTool() const { return current_; }
    Tool& current() const { return *registry_.find(current_); }
    const ToolRegistry& registry() const { return registry_; }
    int step() const { return step_; }
    // Ignored for a disabled cell; otherwise the old cell and menu check go,
    // the new ones come, and the step starts again.
    void selectTool(int id);
    void nextStep();
    void resetStep();
    void setEnabled(int id, bool on);
    bool isEnabled(int id) const;

    int columns() const { return bitmap_.width / cellSize; }
    int width() const { return columns() * cellSize; }
    int height() const { return std::max(1, bitmap_.height / cellSize) * cellSize; }

    // The frame's part: the menu check mark of a command.
    std::function<void(int id, bool checked)> setMenuChecked;
    // Told of the tool that is left (or chosen again), before the change.
    std::function<void(Tool& left)> leaving;

    void onPaint(ui::DrawContext& dc) override;
    void onMouseDown(const ui::MouseEvent& e) override;
    // The tool's menu text without its '&', and its first prompt.
    std::string toolTipAt(int x, int y) const override;

private:
    void showPrompt();
    ui::PixelRect cellRect(int id) const;
    // The command of the cell under a pixel, or 0.
    int commandAt(int x, int y) const;

    ui::Image bitmap_;
    ToolRegistry registry_;
    int current_ = firstCommand;
    int step_ = 0;
    bool enabled_[32];
};

// The bundled palette bitmap, or a blank one of the right size when it cannot be read.
ui::Image loadToolBitmap(const std::string& path);

}  // namespace tools
