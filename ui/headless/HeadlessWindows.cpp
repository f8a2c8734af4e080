// Headless windows and frame.
#include "ui/headless/HeadlessWindows.h"

namespace ui::headless {

namespace {
long raiseCounter = 0;
}

void RecordingDrawContext::moveTo(int x, int y)
{
    ops.push_back("move " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingDrawContext::lineTo(int x, int y)
{
    ops.push_back("line " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingDrawContext::rectangle(int l, int t, int r, int b)
{
    ops.push_back("rect " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
                  std::to_string(b));
}

void RecordingDrawContext::polyline(const int* xy, int points)
{
    std::string s = "polyline";
    for (int i = 0; i < points * 2; ++i) {
        s += " " + std::to_string(xy[i]);
    }
    ops.push_back(s);
}

void RecordingDrawContext::circle(int x, int y, int r)
{
    ops.push_back("circle " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(r));
}

void RecordingDrawContext::text(int x, int y, const std::string& s)
{
    ops.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " + s);
}

void RecordingDrawContext::wrappedText(int l, int t, int r, int b, const std::string& s)
{
    ops.push_back("wrapped " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
                  std::to_string(b) + " " + s);
}

void RecordingDrawContext::setPixel(int x, int y, Colour c)
{
    ops.push_back("pixel " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(c));
}

void RecordingDrawContext::makePen(int style, Colour colour)
{
    ops.push_back("pen " + std::to_string(style) + " " + std::to_string(colour));
}

void RecordingDrawContext::makeBrush(int style, Colour colour)
{
    ops.push_back("brush " + std::to_string(style) + " " + std::to_string(colour));
}

HeadlessWindow::HeadlessWindow(Window& w, std::string t) : logic(w), title(std::move(t)) {}

void HeadlessWindow::bringToTop()
{
    raised = ++raiseCounter;
}

void HeadlessWindow::setGeometry(const PixelRect& r)
{
    rect = r;
    logic.onSize(r.width(), r.height());
}

HeadlessFrame::HeadlessFrame(FrameLogic& l, const std::vector<MenuCommand>& c) : logic(l), commands(c) {}

bool HeadlessFrame::isMenuChecked(int id) const
{
    auto it = checked_.find(id);
    return it != checked_.end() && it->second;
}

bool HeadlessFrame::isMenuEnabled(int id) const
{
    auto it = enabled_.find(id);
    return it == enabled_.end() || it->second;
}

NativeWindow* HeadlessFrame::createView(Window& logic, const std::string& title)
{
    views.push_back(std::make_unique<HeadlessWindow>(logic, title));
    views.back()->rect = PixelRect::fromSize(0, 0, width, height);
    return views.back().get();
}

void HeadlessFrame::requestClose()
{
    if (logic.onClose()) {
        closed = true;
    }
}

int HeadlessFrame::commandByText(const std::string& text) const
{
    for (const MenuCommand& c : commands) {
        if (c.text == text) {
            return c.id;
        }
    }
    return 0;
}

}  // namespace ui::headless
