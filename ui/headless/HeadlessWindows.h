// Headless windows and frame: geometry, visibility, title and menu states
// are kept in memory; drawing is counted, not shown.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/DrawContext.h"
#include "ui/Frame.h"
#include "ui/headless/OsMesaSurface.h"

namespace ui::headless {

// Records what is drawn as text lines, and the pens and brushes made.
class RecordingDrawContext final : public DrawContext {
public:
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setXorMode(bool on) override { xorMode = on; }
    void rectangle(int l, int t, int r, int b) override;
    void polyline(const int* xy, int points) override;
    void circle(int x, int y, int r) override;
    void text(int x, int y, const std::string& s) override;
    void wrappedText(int left, int top, int right, int bottom, const std::string& s) override;
    void setPixel(int x, int y, Colour c) override;
    void drawImage(int x, int y, const Image& image) override;
    void invertRect(int l, int t, int r, int b) override;

    std::vector<std::string> ops;
    bool xorMode = false;

protected:
    void makePen(int style, Colour colour) override;
    void makeBrush(int style, Colour colour) override;
};

// A window kept in memory. It draws into a picture when a back end makes
// canvases (the command line installs Qt's), else it records what is drawn.
// Like a real window it repaints only when invalid, and only when the
// event loop comes round (processPendingEvents, or paintIfDirty).
class HeadlessWindow final : public NativeWindow {
public:
    HeadlessWindow(Window& logic, std::string title);

    void show() override { visible = true; }
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }
    void bringToTop() override;
    void setGeometry(const PixelRect& r) override;
    PixelRect geometry() const override { return rect; }
    void setTitle(const std::string& t) override { title = t; }
    void invalidate() override
    {
        ++invalidations;
        dirty = true;
    }
    void validate() override { dirty = false; }
    int clientWidth() const override { return rect.width(); }
    int clientHeight() const override { return rect.height(); }
    DrawContext& drawContext() override { return canvas ? static_cast<DrawContext&>(*canvas) : dc; }
    void setScrollRange(ScrollBar bar, int minimum, int maximum) override;
    void setScrollPosition(ScrollBar bar, int position) override;
    void setCursor(Cursor c) override { cursor = c; }
    void confinePointer(bool on) override { confined = on; }
    void setPointerPosition(int x, int y) override
    {
        pointerX = x;
        pointerY = y;
    }
    // Moves the canvas's picture; without a canvas there is no picture.
    ScrollResult scrollContents(int dx, int dy) override;

    GlSurface* glSurface() override { return gl.get(); }
    void startTimer(int id, int milliseconds) override { timers[id] = milliseconds; }
    void killTimer(int id) override { timers.erase(id); }
    bool timerRunning(int id) const { return timers.count(id) != 0; }

    // Paints the whole window now if it is shown and invalid.
    void paintIfDirty();
    // Gives the window an off-screen OpenGL surface; every swap copies its
    // picture onto the canvas.
    void makeGlSurface();

    Window& logic;
    std::string title;
    bool visible = false;
    PixelRect rect;
    long invalidations = 0;
    long scrolls = 0;  // pictures moved
    long raised = 0;   // the order windows were last brought to the top
    bool dirty = true;
    RecordingDrawContext dc;
    std::unique_ptr<Canvas> canvas;
    int scrollMin[2] = {0, 0};
    int scrollMax[2] = {0, 0};
    int scrollPos[2] = {0, 0};
    Cursor cursor = Cursor::Arrow;
    bool confined = false;
    int pointerX = -1;
    int pointerY = -1;
    // Running timers and their periods; a test or script fires them.
    std::map<int, int> timers;
    std::unique_ptr<OsMesaSurface> gl;
};

class HeadlessFrame final : public FrameHost {
public:
    HeadlessFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands);

    void setTitle(const std::string& t) override { title_ = t; }
    std::string title() const override { return title_; }
    void setMenuChecked(int id, bool checked) override { checked_[id] = checked; }
    void setMenuEnabled(int id, bool enabled) override { enabled_[id] = enabled; }
    bool isMenuChecked(int id) const override;
    bool isMenuEnabled(int id) const override;
    int viewAreaWidth() const override { return width; }
    int viewAreaHeight() const override { return height; }
    int cascadeStep() const override { return 26; }
    NativeWindow* createView(Window& logic, const std::string& title) override;
    NativeWindow* createGlView(Window& logic, const std::string& title) override;
    NativeWindow* createBar(Window& logic, BarPlace place, int width, int height) override;
    void showMaximized() override { maximized = true; }
    // Repaints the windows that are shown and invalid.
    void processPendingEvents() override;
    void requestClose() override;

    // The command of a menu entry by its text as it stands ("&Open..."), or 0.
    int commandByText(const std::string& text) const;

    FrameLogic& logic;
    std::vector<MenuCommand> commands;
    std::vector<std::unique_ptr<HeadlessWindow>> views;
    std::vector<std::unique_ptr<HeadlessWindow>> bars;
    int width = 1200;
    int height = 800;
    bool maximized = false;
    bool closed = false;

private:
    std::string title_;
    std::map<int, bool> checked_;
    std::map<int, bool> enabled_;
};

}  // namespace ui::headless
