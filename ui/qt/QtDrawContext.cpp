// Drawing on a QImage: cosmetic one-pixel pens, no antialiasing, the same
// DejaVu font everywhere so that pictures repeat.
#include "ui/qt/QtDrawContext.h"

#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QVector>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace ui::qt {

QColor toQColor(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

Colour fromQRgb(QRgb c)
{
    return rgb(static_cast<unsigned>(qRed(c)), static_cast<unsigned>(qGreen(c)), static_cast<unsigned>(qBlue(c)));
}

namespace {

QFont interfaceFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

Image fromQImage(const QImage& image)
{
    QImage q = image.convertToFormat(QImage::Format_RGB32);
    Image out;
    out.width = q.width();
    out.height = q.height();
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(q.constScanLine(y));
        for (int x = 0; x < out.width; ++x) {
            out.pixels[static_cast<std::size_t>(y) * out.width + x] = fromQRgb(line[x]);
        }
    }
    return out;
}

QImage toQImage(const Image& image)
{
    QImage q(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(q.scanLine(y));
        for (int x = 0; x < image.width; ++x) {
            line[x] = toQColor(image.at(x, y)).rgb();
        }
    }
    return q;
}

QtDrawContext::QtDrawContext(QImage& image) : image_(image), font_(interfaceFont()), metrics_(font_) {}

QPainter& QtDrawContext::painter()
{
    if (!painter_.isActive()) {
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
        painter_.setFont(font_);
        painter_.setPen(pen_);
        painter_.setBrush(brush_);
        painter_.setCompositionMode(xor_ ? QPainter::RasterOp_SourceXorDestination
                                         : QPainter::CompositionMode_SourceOver);
    }
    drawn();
    return painter_;
}

void QtDrawContext::drawn()
{
    if (onDrawn) {
        onDrawn();
    }
}

void QtDrawContext::finish()
{
    if (painter_.isActive()) {
        painter_.end();
    }
    bitsTaken_ = false;
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
    solidPen_ = style == penSolid;
    dottedPen_ = style == penDotted;
    penRgb_ = toQColor(colour).rgb();
    if (painter_.isActive()) {
        painter_.setPen(pen_);
    }
}

void QtDrawContext::makeBrush(int style, Colour colour)
{
    static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                             Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
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

namespace {

// Bresenham's line, the last point left out as a Windows pen does, worked
// out step by step from its start: pixel i along the longer axis is i steps
// along it and round(i * shorter / longer) (halves up) along the other.
// Only the steps inside the picture are taken.
void bresenham(const PixelSetter& set, long long x0, long long y0, long long x1, long long y1)
{
    long long ax = std::llabs(x1 - x0);
    long long ay = std::llabs(y1 - y0);
    long long sx = x0 < x1 ? 1 : -1;
    long long sy = y0 < y1 ? 1 : -1;
    bool alongX = ax >= ay;
    long long steps = alongX ? ax : ay;
    long long across = alongX ? ay : ax;
    long long start = alongX ? x0 : y0;
    long long step = alongX ? sx : sy;
    long long limit = alongX ? set.width : set.height;
    long long first = 0;
    long long last = steps - 1;
    if (step > 0) {
        first = std::max(first, -start);
        last = std::min(last, limit - 1 - start);
    } else {
        first = std::max(first, start - (limit - 1));
        last = std::min(last, start);
    }
    if (first > last) {
        return;
    }
    // The division once, then its remainder carried from step to step.
    long long twice = 2 * steps;
    long long numerator = 2 * across * first + steps;
    long long other = numerator / twice;
    long long remainder = numerator % twice;
    for (long long i = first; i <= last; ++i) {
        if (alongX) {
            set(x0 + sx * i, y0 + sy * other);
        } else {
            set(x0 + sx * other, y0 + sy * i);
        }
        remainder += 2 * across;
        if (remainder >= twice) {
            remainder -= twice;
            ++other;
        }
    }
}

// The line Qt's raster engine draws with a one-pixel pen between whole
// pixels, both ends set, dotted (every third pixel from the start) when
// asked; as it would be drawn on a picture large enough to hold it, so
// that where the picture's edge cuts it changes nothing.
void painterLine(const PixelSetter& set, long long x1, long long y1, long long x2, long long y2, bool dotted)
{
    if (x1 == x2 && y1 == y2) {
        set(x1, y1);
        return;
    }
    bool alongY = std::llabs(x2 - x1) < std::llabs(y2 - y1);
    long long a1 = alongY ? y1 : x1;
    long long b1 = alongY ? x1 : y1;
    long long a2 = alongY ? y2 : x2;
    long long b2 = alongY ? x2 : y2;
    bool reversed = a1 > a2;
    if (reversed) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    // 16.16 fixed point along the shorter axis, half a step back for the
    // pen's square end, then rounded to the first pixel's middle.
    long long increment = ((b2 - b1) * 65536) / (a2 - a1);
    long long b = b1 * 65536 - (increment >> 1);
    b += ((increment > 0 ? 64 : 32) * increment) >> 6;
    long long count = a2 - a1 + 1;
    long long limit = alongY ? set.height : set.width;
    long long first = std::max(0LL, -a1);
    long long last = std::min(count - 1, limit - 1 - a1);
    long long position = b + first * increment;
    for (long long k = first; k <= last; ++k, position += increment) {
        long long fromStart = reversed ? count - 1 - k : k;
        if (dotted && fromStart % 3 != 0) {
            continue;
        }
        long long across = position >> 16;
        if (alongY) {
            set(across, a1 + k);
        } else {
            set(a1 + k, across);
        }
    }
}

}  // namespace

PixelSetter QtDrawContext::pixels(QRgb colour)
{
    // Taken once per painting: the image is neither replaced nor shared
    // until finish().
    if (!bitsTaken_) {
        bits_ = reinterpret_cast<QRgb*>(image_.bits());
        stride_ = image_.bytesPerLine() / 4;
        width_ = image_.width();
        height_ = image_.height();
        bitsTaken_ = true;
    }
    return {bits_, stride_, width_, height_, colour};
}

bool QtDrawContext::fastLine(int x0, int y0, int x1, int y1)
{
    if (xor_ || (!solidPen_ && !dottedPen_) || image_.format() != QImage::Format_RGB32) {
        return false;
    }
    // QPainter draws straight into the image's memory too, so the two mix
    // without ending the painter.
    drawn();
    PixelSetter set = pixels(penRgb_);
    // Every line is drawn the same wherever the picture's edges cut it, so
    // that a picture moved by a pan matches one painted anew. Lines that
    // cannot fit in the picture (the axes, rays) and dotted ones look as
    // Qt's painter draws them, the others as a Windows pen does.
    long long dx = std::llabs(static_cast<long long>(x1) - x0);
    long long dy = std::llabs(static_cast<long long>(y1) - y0);
    if (dottedPen_ || dx >= image_.width() || dy >= image_.height()) {
        painterLine(set, x0, y0, x1, y1, dottedPen_);
    } else {
        bresenham(set, x0, y0, x1, y1);
    }
    return true;
}

void QtDrawContext::lineTo(int x, int y)
{
    if (!fastLine(x_, y_, x, y)) {
        painter().drawLine(x_, y_, x, y);
    }
    x_ = x;
    y_ = y;
}

void QtDrawContext::rectangle(int left, int top, int right, int bottom)
{
    if (right - left < 1 || bottom - top < 1) {
        return;
    }
    QPainter& p = painter();
    // The outline on the edge pixels, the brush inside it: no pixel twice,
    // so that a rectangle drawn in XOR twice leaves nothing behind.
    if (pen_.style() == Qt::NoPen) {
        p.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), brush_);
        return;
    }
    if (right - left > 2 && bottom - top > 2) {
        p.fillRect(QRect(QPoint(left + 1, top + 1), QPoint(right - 2, bottom - 2)), brush_);
    }
    int xy[10] = {left, top, right - 1, top, right - 1, bottom - 1, left, bottom - 1, left, top};
    if (!xor_ && solidPen_ && fastLine(xy[0], xy[1], xy[2], xy[3])) {
        // The same edge pixels, wherever the picture's edges cut them.
        for (int i = 1; i < 4; ++i) {
            fastLine(xy[2 * i], xy[2 * i + 1], xy[2 * i + 2], xy[2 * i + 3]);
        }
        return;
    }
    p.setBrush(Qt::NoBrush);
    QPolygon outline;
    for (int i = 0; i < 4; ++i) {
        outline << QPoint(xy[2 * i], xy[2 * i + 1]);
    }
    p.drawPolygon(outline);
    p.setBrush(brush_);
}

void QtDrawContext::polyline(const int* xy, int points)
{
    if (points < 2) {
        return;
    }
    // A dotted outline keeps its dots going from one edge to the next:
    // QPainter draws it whole.
    bool fast = !dottedPen_;
    if (!fast) {
        QVector<QPoint> p;
        for (int k = 0; k < points; ++k) {
            p.append(QPoint(xy[2 * k], xy[2 * k + 1]));
        }
        painter().drawPolyline(p.data(), static_cast<int>(p.size()));
    }
    for (int i = 1; i < points && fast; ++i) {
        fast = fastLine(xy[2 * i - 2], xy[2 * i - 1], xy[2 * i], xy[2 * i + 1]);
        if (!fast) {
            // The rest through QPainter.
            QVector<QPoint> p;
            for (int k = i - 1; k < points; ++k) {
                p.append(QPoint(xy[2 * k], xy[2 * k + 1]));
            }
            painter().drawPolyline(p.data(), static_cast<int>(p.size()));
        }
    }
    x_ = xy[2 * points - 2];
    y_ = xy[2 * points - 1];
}

const std::vector<QPoint>& QtDrawContext::circlePixels(int r)
{
    auto found = circles_.find(r);
    if (found != circles_.end()) {
        return found->second;
    }
    // Drawn once by QPainter well inside a picture of its own, as it draws
    // it anywhere inside a picture.
    int size = 2 * r + 9;
    QImage stamp(size, size, QImage::Format_RGB32);
    stamp.fill(Qt::white);
    {
        QPainter p(&stamp);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, 0));
        p.drawEllipse(QPoint(r + 4, r + 4), r, r);
    }
    std::vector<QPoint>& pixels = circles_[r];
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (stamp.pixel(x, y) != QColor(Qt::white).rgb()) {
                pixels.push_back(QPoint(x - r - 4, y - r - 4));
            }
        }
    }
    return pixels;
}

void QtDrawContext::circle(int x, int y, int r)
{
    if (!xor_ && solidPen_ && r >= 0 && r <= 64 && image_.format() == QImage::Format_RGB32) {
        // The same pixels wherever the picture's edges cut the circle.
        drawn();
        PixelSetter set = pixels(penRgb_);
        for (const QPoint& d : circlePixels(r)) {
            set(static_cast<long long>(x) + d.x(), static_cast<long long>(y) + d.y());
        }
        return;
    }
    QPainter& p = painter();
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(x, y), r, r);
    p.setBrush(brush_);
}

void QtDrawContext::text(int x, int y, const std::string& s)
{
    QPainter& p = painter();
    // Text has its own colour, black, whatever the pen.
    p.setPen(QPen(Qt::black, 0));
    // Labels (numbers and letters, thousands of them in a big model) are
    // set from laid-out characters kept from paint to paint.
    bool plain = !s.empty() && s.size() <= 16;
    for (char ch : s) {
        plain = plain && ch > ' ' && ch < 0x7F;
    }
    if (!plain) {
        QString t = QString::fromUtf8(s.c_str());
        p.drawText(x - metrics_.horizontalAdvance(t) / 2, y + metrics_.ascent(), t);
        p.setPen(pen_);
        return;
    }
    int width = 0;
    bool stamped = !xor_ && image_.format() == QImage::Format_RGB32;
    for (char ch : s) {
        const Glyph& g = glyph(ch);
        width += g.width;
        stamped = stamped && g.stamped;
    }
    int left = x - width / 2;
    if (stamped) {
        // The pixels each character sets, kept from its first drawing: the
        // same wherever it goes, and quick for thousands of labels.
        PixelSetter set = pixels(QColor(Qt::black).rgb());
        for (char ch : s) {
            const Glyph& g = glyph(ch);
            for (const QPoint& d : g.pixels) {
                set(static_cast<long long>(left) + d.x(), static_cast<long long>(y) + d.y());
            }
            left += g.width;
        }
        p.setPen(pen_);
        return;
    }
    for (char ch : s) {
        const Glyph& g = glyph(ch);
        p.drawStaticText(left, y, g.text);
        left += g.width;
    }
    p.setPen(pen_);
}

const QtDrawContext::Glyph& QtDrawContext::glyph(char ch)
{
    Glyph& g = glyphs_[static_cast<unsigned char>(ch) & 0x7F];
    if (g.width < 0) {
        g.text = QStaticText(QString(QChar(ch)));
        g.text.setTextFormat(Qt::PlainText);
        g.text.prepare(QTransform(), font_);
        g.width = metrics_.horizontalAdvance(QChar(ch));
        // The character drawn once on white, with room round it for what
        // reaches beyond its advance: its black pixels are the stamp.
        int pad = metrics_.height() + 8;
        QImage sheet(g.width + 2 * pad, metrics_.height() + 2 * pad, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        {
            QPainter p(&sheet);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setRenderHint(QPainter::TextAntialiasing, false);
            p.setFont(font_);
            p.setPen(QPen(Qt::black, 0));
            p.drawStaticText(pad, pad, g.text);
        }
        g.stamped = true;
        for (int sy = 0; sy < sheet.height(); ++sy) {
            const auto* line = reinterpret_cast<const QRgb*>(sheet.constScanLine(sy));
            for (int sx = 0; sx < sheet.width(); ++sx) {
                if (line[sx] == QColor(Qt::black).rgb()) {
                    g.pixels.push_back(QPoint(sx - pad, sy - pad));
                } else if (line[sx] != QColor(Qt::white).rgb()) {
                    g.stamped = false;  // shaded: drawn by the painter each time
                }
            }
        }
    }
    return g;
}

void QtDrawContext::wrappedText(int left, int top, int right, int bottom, const std::string& s)
{
    QPainter& p = painter();
    p.setPen(QPen(Qt::black, 0));
    p.drawText(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QString::fromUtf8(s.c_str()));
    p.setPen(pen_);
}

void QtDrawContext::setPixel(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
        return;
    }
    if (xor_) {
        QPainter& p = painter();
        p.setPen(QPen(toQColor(colour), 0));
        p.drawPoint(x, y);
        p.setPen(pen_);
        return;
    }
    drawn();
    if (image_.format() == QImage::Format_RGB32) {
        pixels(toQColor(colour).rgb())(x, y);
        return;
    }
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = toQColor(colour).rgb();
}

void QtDrawContext::drawImage(int x, int y, const Image& image)
{
    QImage q = toQImage(image);
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(x, y, q);
    p.setCompositionMode(xor_ ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_SourceOver);
}

void QtDrawContext::invertRect(int left, int top, int right, int bottom)
{
    QPainter& p = painter();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), Qt::white);
    p.setCompositionMode(xor_ ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_SourceOver);
}

void QtDrawContext::copyFrom(const QImage& source, const QRect& r)
{
    finish();
    QRect c = r & image_.rect() & source.rect();
    if (c.isEmpty() || source.format() != image_.format() || image_.format() != QImage::Format_RGB32) {
        if (!c.isEmpty()) {
            QPainter p(&image_);
            p.drawImage(c.topLeft(), source, c);
            drawn();
        }
        return;
    }
    for (int y = c.top(); y <= c.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y)) + c.left();
        auto* to = reinterpret_cast<QRgb*>(image_.scanLine(y)) + c.left();
        std::copy(from, from + c.width(), to);
    }
    drawn();
}

void shiftPixels(QImage& image, int dx, int dy)
{
    int w = image.width();
    int h = image.height();
    if (image.format() != QImage::Format_RGB32 || std::abs(dx) >= w || std::abs(dy) >= h) {
        return;
    }
    int span = w - std::abs(dx);
    int fromX = dx >= 0 ? 0 : -dx;
    int toX = dx >= 0 ? dx : 0;
    // Rows are taken in the order that never reads a row already written.
    auto moveRow = [&](int y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(image.constScanLine(y - dy)) + fromX;
        QRgb* to = reinterpret_cast<QRgb*>(image.scanLine(y)) + toX;
        std::memmove(to, from, static_cast<std::size_t>(span) * sizeof(QRgb));
    };
    if (dy > 0) {
        for (int y = h - 1; y >= dy; --y) {
            moveRow(y);
        }
    } else {
        for (int y = 0; y < h + dy; ++y) {
            moveRow(y);
        }
    }
}

void QtCanvas::scroll(int dx, int dy)
{
    dc_.finish();
    shiftPixels(image_, dx, dy);
}

void QtCanvas::copyTo(DrawContext& target, const PixelRect& r)
{
    dc_.finish();
    QRect q(r.left, r.top, r.width(), r.height());
    if (auto* window = dynamic_cast<QtDrawContext*>(&target)) {
        window->copyFrom(image_, q);
    } else if (auto* canvas = dynamic_cast<QtCanvas*>(&target)) {
        canvas->dc_.copyFrom(image_, q);
    } else {
        Canvas::copyTo(target, r);
    }
}

void QtCanvas::resize(int width, int height)
{
    dc_.finish();
    image_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

void QtCanvas::fill(Colour colour)
{
    dc_.finish();
    image_.fill(toQColor(colour));
}

Image QtCanvas::image()
{
    dc_.finish();
    return fromQImage(image_);
}

bool QtCanvas::encodePng(std::string& bytes)
{
    dc_.finish();
    QByteArray data;
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::WriteOnly) || !image_.save(&buffer, "PNG")) {
        return false;
    }
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

std::shared_ptr<void> installCanvases()
{
    std::shared_ptr<QGuiApplication> made;
    if (!QGuiApplication::instance()) {
        // Pictures need fonts, and fonts need an application: an off-screen
        // one needs no display.
        static int argc = 1;
        static char name[] = "kcad";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            // Qt wants a private runtime folder and complains on stderr
            // without one; commands keep their stderr for their own messages.
            QByteArray dir = QDir::tempPath().toUtf8() + "/runtime-" + QByteArray::number(::getuid());
            QDir().mkpath(QString::fromUtf8(dir));
            QFile::setPermissions(QString::fromUtf8(dir), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", dir);
        }
        made = std::make_shared<QGuiApplication>(argc, argv);
    }
    setCanvasFactory([] { return std::make_unique<QtCanvas>(); });
    return made;
}

}  // namespace ui::qt
