// Headless windows and frame.
#include "ui/headless/HeadlessWindows.h"

#include <algorithm>

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

void RecordingDrawContext::drawImage(int x, int y, const Image& image)
{
    ops.push_back("image " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(image.width) + " " +
                  std::to_string(image.height));
}

void RecordingDrawContext::invertRect(int l, int t, int r, int b)
{
    ops.push_back("invert " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
                  std::to_string(b));
}

HeadlessWindow::HeadlessWindow(Window& w, std::string t) : logic(w), title(std::move(t)), canvas(makeCanvas()) {}

void HeadlessWindow::setScrollRange(ScrollBar bar, int minimum, int maximum)
{
    int i = bar == ScrollBar::Horizontal ? 0 : 1;
    scrollMin[i] = minimum;
    scrollMax[i] = maximum;
}

void HeadlessWindow::setScrollPosition(ScrollBar bar, int position)
{
    scrollPos[bar == ScrollBar::Horizontal ? 0 : 1] = position;
}

ScrollResult HeadlessWindow::scrollContents(int dx, int dy)
{
    if (!canvas) {
        return ScrollResult::Unsupported;
    }
    if (dirty) {
        return ScrollResult::Pending;
    }
    canvas->scroll(dx, dy);
    ++scrolls;
    return ScrollResult::Done;
}

void HeadlessWindow::paintIfDirty()
{
    if (!visible || !dirty) {
        return;
    }
    dirty = false;
    if (canvas) {
        canvas->fill(0xFFFFFF);
    }
    logic.onPaint(drawContext());
}

void HeadlessWindow::makeGlSurface()
{
    gl = std::make_unique<OsMesaSurface>();
    gl->resize(rect.width(), rect.height());
    gl->onSwap = [this] {
        if (canvas) {
            canvas->drawImage(0, 0, gl->image());
        }
    };
}

void HeadlessWindow::bringToTop()
{
    raised = ++raiseCounter;
}

void HeadlessWindow::setGeometry(const PixelRect& r)
{
    bool resized = r.width() != rect.width() || r.height() != rect.height();
    rect = r;
    if (resized) {
        if (canvas) {
            canvas->resize(std::max(1, r.width()), std::max(1, r.height()));
        }
        if (gl) {
            gl->resize(r.width(), r.height());
        }
        dirty = true;
        logic.onSize(r.width(), r.height());
    }
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
    views.back()->setGeometry(PixelRect::fromSize(0, 0, width, height));
    return views.back().get();
}

NativeWindow* HeadlessFrame::createGlView(Window& logic, const std::string& title)
{
    auto* view = static_cast<HeadlessWindow*>(createView(logic, title));
    view->makeGlSurface();
    return view;
}

NativeWindow* HeadlessFrame::createBar(Window& logic, BarPlace place, int w, int h)
{
    bars.push_back(std::make_unique<HeadlessWindow>(logic, place == BarPlace::Top ? "top bar" : "bottom bar"));
    bars.back()->setGeometry(PixelRect::fromSize(0, 0, w > 0 ? w : width, h));
    bars.back()->visible = true;
    return bars.back().get();
}

void HeadlessFrame::processPendingEvents()
{
    for (auto& w : bars) {
        w->paintIfDirty();
    }
    for (auto& w : views) {
        w->paintIfDirty();
    }
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
