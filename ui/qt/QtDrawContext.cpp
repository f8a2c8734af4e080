// Drawing on a QImage with QPainter: cosmetic one-pixel pens, no antialiasing.
#include "ui/qt/QtDrawContext.h"

#include <QFontMetrics>
#include <QVector>

namespace ui::qt {

QColor toQColor(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

QPainter& QtDrawContext::painter()
{
    if (!painter_.isActive()) {
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setPen(pen_);
        painter_.setBrush(brush_);
        painter_.setCompositionMode(xor_ ? QPainter::RasterOp_SourceXorDestination
                                         : QPainter::CompositionMode_SourceOver);
    }
    return painter_;
}

void QtDrawContext::finish()
{
    if (painter_.isActive()) {
        painter_.end();
    }
}

void QtDrawContext::makePen(int style, Colour colour)
{
    QPen pen(toQColor(colour), 0);
    switch (style) {
    case penSolid:
        break;
    case penDotted:
        pen.setStyle(Qt::DotLine);
        break;
    case penNone:
        pen.setStyle(Qt::NoPen);
        break;
    case penAlternate:
        pen.setDashPattern({1, 1});
        break;
    default:
        pen.setStyle(Qt::DashLine);
        break;
    }
    pen_ = pen;
    if (painter_.isActive()) {
        painter_.setPen(pen_);
    }
}

void QtDrawContext::makeBrush(int style, Colour colour)
{
    static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern, Qt::BDiagPattern,
                                             Qt::CrossPattern, Qt::DiagCrossPattern};
    Qt::BrushStyle s = style < 0 ? Qt::SolidPattern : hatches[style % 6];
    brush_ = QBrush(toQColor(colour), s);
    if (painter_.isActive()) {
        painter_.setBrush(brush_);
    }
}

void QtDrawContext::setXorMode(bool on)
{
    xor_ = on;
    if (painter_.isActive()) {
        // A white pen XORed inverts what it covers, as the Windows XOR pen does.
        painter_.setCompositionMode(on ? QPainter::RasterOp_SourceXorDestination
                                       : QPainter::CompositionMode_SourceOver);
    }
}

void QtDrawContext::moveTo(int x, int y)
{
    x_ = x;
    y_ = y;
}

void QtDrawContext::lineTo(int x, int y)
{
    painter().drawLine(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

void QtDrawContext::rectangle(int left, int top, int right, int bottom)
{
    painter().drawRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void QtDrawContext::polyline(const int* xy, int points)
{
    QVector<QPoint> p;
    p.reserve(points);
    for (int i = 0; i < points; ++i) {
        p.append(QPoint(xy[2 * i], xy[2 * i + 1]));
    }
    painter().drawPolyline(p.data(), static_cast<int>(p.size()));
}

void QtDrawContext::circle(int x, int y, int r)
{
    QPainter& p = painter();
    QBrush saved = p.brush();
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(x, y), r, r);
    p.setBrush(saved);
}

void QtDrawContext::text(int x, int y, const std::string& s)
{
    QPainter& p = painter();
    QString t = QString::fromUtf8(s.c_str());
    QFontMetrics metrics(p.font());
    // Text has its own colour, black, whatever the pen.
    p.setPen(QPen(Qt::black, 0));
    p.drawText(x - metrics.horizontalAdvance(t) / 2, y + metrics.ascent(), t);
    p.setPen(pen_);
}

void QtDrawContext::wrappedText(int left, int top, int right, int bottom, const std::string& s)
{
    QPainter& p = painter();
    p.setPen(QPen(Qt::black, 0));
    p.drawText(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromUtf8(s.c_str()));
    p.setPen(pen_);
}

void QtDrawContext::setPixel(int x, int y, Colour colour)
{
    QPainter& p = painter();
    p.save();
    p.setPen(QPen(toQColor(colour), 0));
    p.drawPoint(x, y);
    p.restore();
}

}  // namespace ui::qt
