// The drawing context on a window's backing image: what a view draws stays
// in the image, so drawing outside a paint (a rubber band, one entity's
// redraw) works, and the widget only copies the image to the screen.
// Solid one-pixel lines in copy mode, the bulk of every view, are set
// straight into the image's pixels; everything else goes through QPainter.
#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/Canvas.h"

namespace ui::qt {

// Sets the pixels of a line in a picture, those outside it left out.
struct PixelSetter {
    QRgb* bits;
    long long stride;
    long long width;
    long long height;
    QRgb colour;
    void operator()(long long x, long long y) const
    {
        if (x >= 0 && x < width && y >= 0 && y < height) {
            bits[y * stride + x] = colour;
        }
    }
};

class QtDrawContext final : public DrawContext {
public:
    explicit QtDrawContext(QImage& image);
    ~QtDrawContext() override { finish(); }

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setXorMode(bool on) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void polyline(const int* xy, int points) override;
    void circle(int x, int y, int r) override;
    void text(int x, int y, const std::string& s) override;
    void wrappedText(int left, int top, int right, int bottom, const std::string& s) override;
    void setPixel(int x, int y, Colour colour) override;
    void drawImage(int x, int y, const Image& image) override;
    void invertRect(int left, int top, int right, int bottom) override;

    // Ends the painting on the image (before it is resized or shown).
    void finish();
    // The pixels of the rectangle from a picture of the same size.
    void copyFrom(const QImage& source, const QRect& r);
    // Told when something is drawn, so that the window shows it.
    std::function<void()> onDrawn;

protected:
    void makePen(int style, Colour colour) override;
    void makeBrush(int style, Colour colour) override;

private:
    QPainter& painter();
    void drawn();
    // The image's pixels, for drawing straight into them.
    PixelSetter pixels(QRgb colour);
    // Solid and dotted lines straight into the pixels; false when the line
    // needs QPainter (XOR, other pens).
    bool fastLine(int x0, int y0, int x1, int y1);

    // The pixels of a circle of radius r about the origin, as QPainter sets them.
    const std::vector<QPoint>& circlePixels(int r);

    QImage& image_;
    QRgb* bits_ = nullptr;
    long long stride_ = 0;
    long long width_ = 0;
    long long height_ = 0;
    bool bitsTaken_ = false;
    QPainter painter_;
    std::map<int, std::vector<QPoint>> circles_;
    QPen pen_{Qt::black, 0};
    QBrush brush_{Qt::NoBrush};
    QFont font_;
    QFontMetrics metrics_;
    struct Glyph {
        QStaticText text;
        int width = -1;
        std::vector<QPoint> pixels;  // relative to where the character goes
        bool stamped = false;
    };
    const Glyph& glyph(char ch);
    Glyph glyphs_[128];
    bool xor_ = false;
    bool solidPen_ = true;
    bool dottedPen_ = false;
    QRgb penRgb_ = 0xFF000000u;
    int x_ = 0;
    int y_ = 0;
};

// A picture of its own with its drawing context.
class QtCanvas final : public Canvas {
public:
    QtCanvas() : image_(1, 1, QImage::Format_RGB32), dc_(image_) { image_.fill(Qt::white); }

    void resize(int width, int height) override;
    void fill(Colour colour) override;
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    Image image() override;
    bool encodePng(std::string& bytes) override;
    void scroll(int dx, int dy) override;
    void copyTo(DrawContext& target, const PixelRect& r) override;
    QtDrawContext& drawContext() { return dc_; }

    void moveTo(int x, int y) override { dc_.moveTo(x, y); }
    void lineTo(int x, int y) override { dc_.lineTo(x, y); }
    void setXorMode(bool on) override { dc_.setXorMode(on); }
    void rectangle(int l, int t, int r, int b) override { dc_.rectangle(l, t, r, b); }
    void polyline(const int* xy, int points) override { dc_.polyline(xy, points); }
    void circle(int x, int y, int r) override { dc_.circle(x, y, r); }
    void text(int x, int y, const std::string& s) override { dc_.text(x, y, s); }
    void wrappedText(int l, int t, int r, int b, const std::string& s) override { dc_.wrappedText(l, t, r, b, s); }
    void setPixel(int x, int y, Colour c) override { dc_.setPixel(x, y, c); }
    void drawImage(int x, int y, const Image& image) override { dc_.drawImage(x, y, image); }
    void invertRect(int l, int t, int r, int b) override { dc_.invertRect(l, t, r, b); }

protected:
    void makePen(int style, Colour colour) override { dc_.setPen(style, colour); }
    void makeBrush(int style, Colour colour) override { dc_.setBrush(style, colour); }

private:
    QImage image_;
    QtDrawContext dc_;
};

// Installs canvases for the headless windows and `kcad render`; creates an
// off-screen Qt application first when none runs, and hands it to the
// caller to keep for as long as pictures are drawn (null when one ran).
std::shared_ptr<void> installCanvases();

// Moves the pixels of an RGB32 picture by (dx, dy), right and down; what
// is uncovered keeps its old pixels.
void shiftPixels(QImage& image, int dx, int dy);

QColor toQColor(Colour c);
Colour fromQRgb(QRgb c);
// Pictures between the platform layer and Qt.
Image fromQImage(const QImage& image);
QImage toQImage(const Image& image);

}  // namespace ui::qt
