// The coordinate bar along the bottom of the frame: the 3-D point under the
// pointer (with the distance from where a gesture began) on the left, the
// prompt of the current tool from two thirds of its width.
#pragma once

#include <string>

#include "geometry/X3DPoint.h"
#include "ui/Window.h"

namespace tools {

class CoordinateBar final : public ui::Window {
public:
    void setPrompt(const std::string& text);
    const std::string& prompt() const { return prompt_; }
    // The point under the pointer with the gesture mode in force (0: none).
    void showPoint(const geometry::X3DPoint& p, int mode);
    const std::string& readOut() const { return readOut_; }

    void onPaint(ui::DrawContext& dc) override;
    void onSize(int width, int height) override
    {
        width_ = width;
        height_ = height;
    }

private:
    void paintReadOut(ui::DrawContext& dc);

    std::string prompt_;
    std::string readOut_;
    int lastMode_ = 0;
    geometry::X3DPoint gestureStart_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tools
