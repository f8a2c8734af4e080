// Windows: the logic of a window (plain C++, handling events) and what a
// back end offers to show it. The views, the tool palette and the
// coordinate bar are such logic classes; Qt and the headless back end host them.
#pragma once

#include <string>
#include <vector>

#include "ui/PixelRect.h"
#include "ui/PopupMenu.h"

namespace ui {

class DrawContext;
class GlSurface;

enum class MouseButton { None, Left, Middle, Right };

struct MouseEvent {
    int x = 0;
    int y = 0;
    MouseButton button = MouseButton::None;
    bool shift = false;
    bool ctrl = false;
};

// Key codes: printable keys are their upper-case character; the others below.
namespace key {
constexpr int Space = ' ';
constexpr int Enter = 0x100;
constexpr int Escape = 0x101;
constexpr int Delete = 0x102;
constexpr int Insert = 0x103;
constexpr int F1 = 0x110;  // F1..F12 follow in order
}  // namespace key

// Scroll bars of a window, and what the user asked of one.
enum class ScrollBar { Horizontal, Vertical };
enum class ScrollRequest {
    LineUp,      // the left or upper arrow
    LineDown,    // the right or lower arrow
    PageUp,      // the trough before the thumb
    PageDown,    // the trough after it
    ThumbTrack,  // the thumb is being dragged (to `position`)
    Thumb,       // the thumb was released at `position`
    Top,
    Bottom,
    End,  // the scrolling is over
};

enum class Cursor { Arrow, Move };

struct KeyEvent {
    int code = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// How a window took a request to move its picture.
enum class ScrollResult {
    Done,         // moved; the strips it uncovered are for the caller to paint
    Pending,      // the whole window is to be painted anyway
    Unsupported,  // the window keeps no picture: paint it all
};

// What the back end does for one window.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    virtual void bringToTop() = 0;
    // Position and size within the parent's client area.
    virtual void setGeometry(const PixelRect& r) = 0;
    virtual PixelRect geometry() const = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Repaint the whole client area soon / mark it painted.
    virtual void invalidate() = 0;
    virtual void validate() = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // The drawing context the window keeps for its whole life.
    virtual DrawContext& drawContext() = 0;

    // Scroll bars (shown from the first range set), in the window's units.
    virtual void setScrollRange(ScrollBar, int minimum, int maximum) {}
    virtual void setScrollPosition(ScrollBar, int position) {}
    virtual void setCursor(Cursor) {}
    // While on, the pointer cannot leave the client area; a back end lets it
    // go when the button is released or the program loses the focus.
    virtual void confinePointer(bool on) {}
    // Moves the pointer to a pixel of the client area.
    virtual void setPointerPosition(int x, int y) {}

    // The OpenGL surface of a window made with one (the 3-D view).
    virtual GlSurface* glSurface() { return nullptr; }
    // Timer `id` calls the logic's onTimer(id) every period until killed.
    virtual void startTimer(int id, int milliseconds) {}
    virtual void killTimer(int id) {}
    // The pointer as it is now (client pixels, Shift and Ctrl held); false
    // when the back end cannot tell.
    virtual bool pointerNow(MouseEvent& out) const { return false; }
    // The menu at a client pixel until the user chooses: the index of the
    // entry chosen, or -1 when it is dismissed. By default the platform's.
    virtual int popupMenu(const PopupMenu& menu, int x, int y);
    // Moves the window's picture by (dx, dy) pixels, right and down.
    virtual ScrollResult scrollContents(int dx, int dy) { return ScrollResult::Unsupported; }
};

// The logic of a window: events in, operations out through `native`.
class Window {
public:
    virtual ~Window() = default;

    virtual void onPaint(DrawContext&) {}
    virtual void onSize(int width, int height) {}
    virtual void onMouseDown(const MouseEvent&) {}
    virtual void onMouseMove(const MouseEvent&) {}
    virtual void onMouseUp(const MouseEvent&) {}
    virtual void onWheel(int delta, const MouseEvent&) {}
    // True when the key was used.
    virtual bool onKey(const KeyEvent&) { return false; }
    virtual void onTimer(int id) {}
    virtual void onScroll(ScrollBar, ScrollRequest, int position) {}
    // The mouse was taken away mid-gesture (focus lost, another grab).
    virtual void onCaptureLost() {}
    virtual void onDropFiles(const std::vector<std::string>&) {}
    // The close box: true lets the window close, false keeps it (views hide).
    virtual bool onClose() { return true; }
    // The tip shown when the pointer rests at a pixel; empty for none.
    virtual std::string toolTipAt(int x, int y) const { return {}; }

    NativeWindow* native = nullptr;

    bool isVisible() const { return native && native->isVisible(); }
    void redraw()
    {
        if (native && native->isVisible()) {
            native->invalidate();
        }
    }
};

}  // namespace ui
