// An OpenGL surface in memory, drawn by Mesa's off-screen renderer (OSMesa),
// for `kcad render`, macro scripts and tests: no display needed. The library
// is loaded on first use (KCAD_OSMESA names another one), so that a machine
// without it runs everything else and is told why 3-D pictures fail.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/GlSurface.h"

namespace ui::headless {

class OsMesaSurface final : public GlSurface {
public:
    // The library named by KCAD_OSMESA, else libOSMesa.so.8.
    OsMesaSurface();
    explicit OsMesaSurface(std::string library);
    ~OsMesaSurface() override;
    OsMesaSurface(const OsMesaSurface&) = delete;
    OsMesaSurface& operator=(const OsMesaSurface&) = delete;

    // The picture's size in pixels (at least 1 by 1); false, with `failure`
    // set, when there is no memory for it.
    bool resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    bool makeCurrent() override;
    void doneCurrent() override;
    void swapBuffers() override;
    GlFunction procAddress(const char* name) override;
    std::uint64_t contextSerial() const override { return serial_; }
    std::string failure() const override { return failure_; }

    // The picture as last drawn, top row first.
    Image image() const;
    // Called at every swap (the window copies the picture to its canvas).
    std::function<void()> onSwap;

private:
    bool load();

    std::string library_;
    void* handle_ = nullptr;
    void* context_ = nullptr;
    // The library's entry points, typed where they are used.
    void* createContext_ = nullptr;
    void* destroyContext_ = nullptr;
    void* makeCurrent_ = nullptr;
    void* pixelStore_ = nullptr;
    void* getProcAddress_ = nullptr;
    std::vector<unsigned char> pixels_;  // RGBA, top row first
    int width_ = 1;
    int height_ = 1;
    std::uint64_t serial_ = 0;
    std::string failure_;
};

}  // namespace ui::headless
