// The tool palette: one cell of 32 by 32 pixels for each of the 21 tools,
// the current tool (highlighted, and checked in the menus), the click
// counter of multi-click tools, and the prompt of each tool and step.
#pragma once

#include <functional>
#include <string>

#include "ui/Canvas.h"
#include "ui/Window.h"

namespace tools {

namespace tool {
constexpr int Pick = 201;
constexpr int Lens = 202;
constexpr int Move = 203;
constexpr int Mirror = 204;
constexpr int Rotate = 205;
constexpr int Floor = 206;
constexpr int Wall = 207;
constexpr int Roof = 208;
constexpr int Box = 209;
constexpr int Boxes = 210;
constexpr int Cylinder = 211;
constexpr int Sphere = 212;
constexpr int Cone = 213;
constexpr int Pipe = 214;
constexpr int Gradin = 215;
constexpr int Door = 216;
constexpr int Window = 217;
constexpr int Hole = 218;
constexpr int Source = 219;
constexpr int Receiver = 220;
constexpr int TextNote = 221;
}  // namespace tool

// The coordinate bar's prompt for a tool at a step.
std::string promptFor(int tool, int step);

class ToolPalette final : public ui::Window {
public:
    static constexpr int cellSize = 32;
    static constexpr int firstCommand = tool::Pick;
    static constexpr int cellCount = 21;

    // The bitmap of the cells, one row of 32-pixel squares.
    explicit ToolPalette(ui::Image bitmap);

    int currentTool() const { return current_; }
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

    void onPaint(ui::DrawContext& dc) override;
    void onMouseDown(const ui::MouseEvent& e) override;

private:
    void showPrompt();
    ui::PixelRect cellRect(int id) const;

    ui::Image bitmap_;
    int current_ = firstCommand;
    int step_ = 0;
    bool enabled_[32];
};

// The bundled palette bitmap, or a blank one of the right size when it cannot be read.
ui::Image loadToolBitmap(const std::string& path);

}  // namespace tools
