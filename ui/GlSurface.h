// A window's OpenGL surface: its context made current, the picture swapped
// to the screen, and the entry points of the GL functions of that context.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

using GlFunction = void (*)();

class GlSurface {
public:
    virtual ~GlSurface() = default;

    // False when no context can be made for the surface (`failure` says why);
    // nothing may then be drawn.
    virtual bool makeCurrent() = 0;
    virtual void doneCurrent() = 0;
    // Shows what was drawn since the last swap.
    virtual void swapBuffers() = 0;
    // A GL function of the current context, or null when it has none.
    virtual GlFunction procAddress(const char* name) = 0;
    // Changes whenever the surface gets a new context: what was compiled in
    // the old one (display lists) is gone.
    virtual std::uint64_t contextSerial() const = 0;
    virtual std::string failure() const { return {}; }
    // Device pixels per pixel of the window's client area (high-density screens).
    virtual double pixelRatio() const { return 1.0; }
};

// A serial for a context just made, unique for the program's life (never 0).
std::uint64_t newContextSerial();
// The surface destroyed that context: what was compiled in it is gone.
void contextDestroyed(std::uint64_t serial);
bool contextExists(std::uint64_t serial);

}  // namespace ui
