// The drawing context on a window's backing image: what a view draws stays
// in the image, so drawing outside a paint (a rubber band, one entity's
// redraw) works, and the widget only copies the image to the screen.
#pragma once

#include <QImage>
#include <QPainter>

#include "ui/DrawContext.h"

namespace ui::qt {

class QtDrawContext final : public DrawContext {
public:
    explicit QtDrawContext(QImage& image) : image_(image) {}
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

    // Ends the painting on the image (before it is resized or shown).
    void finish();

protected:
    void makePen(int style, Colour colour) override;
    void makeBrush(int style, Colour colour) override;

private:
    QPainter& painter();

    QImage& image_;
    QPainter painter_;
    QPen pen_{Qt::black, 0};
    QBrush brush_{Qt::NoBrush};
    bool xor_ = false;
    int x_ = 0;
    int y_ = 0;
};

QColor toQColor(Colour c);

}  // namespace ui::qt
