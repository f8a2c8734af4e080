// The drawing surface every window keeps: pens and brushes remembered so
// that drawing a run of entities in one colour makes one pen, and the small
// drawing commands that apply themselves to it. Coordinates are pixels.
#pragma once

#include <string>

#include "ui/Colour.h"

namespace ui {

struct Image;

// Pen styles the program uses.
constexpr int penSolid = 0;
constexpr int penDotted = 2;
constexpr int penNone = 5;
constexpr int penAlternate = 8;  // every other pixel

class DrawContext {
public:
    virtual ~DrawContext() = default;

    // Makes and selects a pen only when the style or colour differs from the
    // current one (the previous pen is then released).
    void setPen(int style, Colour colour);
    // The same for brushes: a negative style is solid, others hatched.
    void setBrush(int style, Colour colour);

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // XOR drawing (each pixel XOR the pen colour) while on.
    virtual void setXorMode(bool on) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void polyline(const int* xy, int points) = 0;
    // A circle of radius r about (x, y).
    virtual void circle(int x, int y, int r) = 0;
    // Top edge at y, centred on x.
    virtual void text(int x, int y, const std::string& s) = 0;
    // Left and top aligned inside the rectangle, broken between words,
    // on a transparent background.
    virtual void wrappedText(int left, int top, int right, int bottom, const std::string& s) = 0;
    virtual void setPixel(int x, int y, Colour colour) = 0;
    // Copies the picture with its top-left corner at (x, y).
    virtual void drawImage(int x, int y, const Image& image) = 0;
    // Inverts every pixel of the rectangle.
    virtual void invertRect(int left, int top, int right, int bottom) = 0;

    int penStyle() const { return penStyle_; }
    Colour penColour() const { return penColour_; }
    // Pens and brushes made so far (for tests of the sharing rule).
    long pensMade() const { return pensMade_; }
    long brushesMade() const { return brushesMade_; }

protected:
    // Back ends make and select the tool; the base decides when.
    virtual void makePen(int style, Colour colour) = 0;
    virtual void makeBrush(int style, Colour colour) = 0;

private:
    int penStyle_ = -1;
    Colour penColour_ = 0xFFFFFFFFu;
    int brushStyle_ = -1;
    Colour brushColour_ = 0xFFFFFFFFu;
    bool brushSet_ = false;
    long pensMade_ = 0;
    long brushesMade_ = 0;
};

// Closed outline through the four corners, nothing filled.
void rectOutline(DrawContext& dc, int left, int top, int right, int bottom);

}  // namespace ui
