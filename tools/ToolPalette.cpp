// The tool palette and the prompts.
#include "tools/ToolPalette.h"

#include <algorithm>

#include "ui/Platform.h"

namespace tools {

std::string promptFor(int t, int step)
{
    // Prompts do not depend on what a tool remembers: one set of tools answers them.
    static const ToolRegistry prompts;
    Tool* tool = prompts.find(t);
    return tool ? tool->prompt(step) : std::string();
}

ToolPalette::ToolPalette(ui::Image bitmap) : bitmap_(std::move(bitmap))
{
    std::fill(std::begin(enabled_), std::end(enabled_), true);
}

void ToolPalette::selectTool(int id)
{
    if (!isEnabled(id) || !registry_.find(id)) {
        return;
    }
    if (leaving) {
        leaving(current());
    }
    if (setMenuChecked) {
        setMenuChecked(current_, false);
    }
    current_ = id;
    if (setMenuChecked) {
        setMenuChecked(current_, true);
    }
    redraw();
    resetStep();
}

void ToolPalette::nextStep()
{
    ++step_;
    showPrompt();
}

void ToolPalette::resetStep()
{
    step_ = 0;
    showPrompt();
}

void ToolPalette::showPrompt()
{
    ui::showStatus(current().prompt(step_));
}

void ToolPalette::setEnabled(int id, bool on)
{
    int cell = id - firstCommand;
    if (cell >= 0 && cell < 32) {
        enabled_[cell] = on;
        redraw();
    }
}

bool ToolPalette::isEnabled(int id) const
{
    int cell = id - firstCommand;
    return cell < 0 || cell >= 32 || enabled_[cell];
}

ui::PixelRect ToolPalette::cellRect(int id) const
{
    int cell = id - firstCommand;
    int cols = std::max(1, columns());
    return ui::PixelRect::fromSize(cell % cols * cellSize, cell / cols * cellSize, cellSize, cellSize);
}

void ToolPalette::onPaint(ui::DrawContext& dc)
{
    ui::Colour menu = ui::platform().systemColour(ui::Platform::SystemColour::Menu);
    dc.setPen(ui::penSolid, menu);
    dc.setBrush(-1, menu);
    dc.rectangle(0, 0, std::max(width(), 1), std::max(height(), 1));
    if (bitmap_.pixels.empty()) {
        return;
    }
    // The top-left pixel is the background: it takes the menu colour; the
    // cells of disabled tools turn grey.
    ui::Image shown = bitmap_;
    ui::Colour background = bitmap_.at(0, 0);
    int cols = std::max(1, columns());
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            ui::Colour& c = shown.pixels[static_cast<std::size_t>(y) * shown.width + x];
            int cell = (y / cellSize) * cols + x / cellSize;
            if (c == background) {
                c = menu;
            } else if (cell < 32 && !enabled_[cell]) {
                double r = c & 0xFF;
                double g = (c >> 8) & 0xFF;
                double b = (c >> 16) & 0xFF;
                auto level = static_cast<unsigned>(std::min(255.0, 1.5 * (0.299 * r + 0.587 * g + 0.114 * b)));
                c = ui::rgb(level, level, level);
            }
        }
    }
    dc.drawImage(0, 0, shown);
    ui::PixelRect r = cellRect(current_);
    dc.invertRect(r.left, r.top, r.right, r.bottom);
}

int ToolPalette::commandAt(int x, int y) const
{
    if (x < 0 || y < 0) {
        return 0;
    }
    int index = columns() * (y / cellSize) + x / cellSize;
    return index < columns() && index < cellCount ? firstCommand + index : 0;
}

void ToolPalette::onMouseDown(const ui::MouseEvent& e)
{
    if (e.button != ui::MouseButton::Left) {
        return;
    }
    if (int id = commandAt(e.x, e.y)) {
        selectTool(id);
    }
}

std::string ToolPalette::toolTipAt(int x, int y) const
{
    int id = commandAt(x, y);
    auto tool = toolOfCommand(id);
    if (!tool) {
        return {};
    }
    std::string name;
    for (const char* c = toolEntry(*tool).menuText; *c; ++c) {
        if (*c != '&') {
            name += *c;
        }
    }
    std::string prompt = promptFor(id, 0);
    return prompt.empty() ? name : name + ": " + prompt;
}

ui::Image loadToolBitmap(const std::string& path)
{
    ui::Image image;
    if (!ui::platform().loadImage(path, image) || image.width < ToolPalette::cellSize) {
        image.width = ToolPalette::cellCount * ToolPalette::cellSize;
        image.height = ToolPalette::cellSize;
        image.pixels.clear();
    }
    return image;
}

}  // namespace tools
