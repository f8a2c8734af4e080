// Scene output stream.
#include "scene3d/X3DStream.h"

#include <cmath>

namespace scene3d {

X3DStream::X3DStream(textio::TextWriter& out, int f) : format(f), out_(out)
{
    out_.setPrecision(8);
}

void X3DStream::writeIndent()
{
    for (int i = 0; i < indent; ++i) {
        out_.put(' ');
    }
}

void X3DStream::line(std::string_view text)
{
    writeIndent();
    out_.put(text);
    out_.put('\n');
}

void X3DStream::putPoint(const geometry::X3DPoint& p)
{
    if (pov()) {
        out_.put('<');
        out_.putReal(p.x);
        out_.put(',');
        out_.putReal(p.y);
        out_.put(',');
        out_.putReal(p.z);
        out_.put('>');
    } else {
        out_.putReal(p.x);
        out_.put(' ');
        out_.putReal(p.y);
        out_.put(' ');
        out_.putReal(p.z);
    }
}

void X3DStream::putShort(double v)
{
    char buf[textio::maxRealChars];
    out_.put(std::string_view(buf, static_cast<std::size_t>(textio::formatReal(buf, v, 3) - buf)));
}

void X3DStream::putColor(const X3DColor& c)
{
    if (!pov()) {
        putShort(c.r);
        out_.put(' ');
        putShort(c.g);
        out_.put(' ');
        putShort(c.b);
        return;
    }
    bool opaque = c.a >= 1.0f;
    out_.put(opaque ? "rgb<" : "rgbft<");
    putShort(c.r);
    out_.put(',');
    putShort(c.g);
    out_.put(',');
    putShort(c.b);
    if (!opaque) {
        out_.put(',');
        putShort(c.a);
        out_.put(',');
        putShort(c.a);
    }
    out_.put('>');
}

void X3DStream::putRotation(const X3DRotation& r)
{
    if (pov()) {
        out_.putReal(r.angle.degrees);
        out_.put('*');
        putPoint(r.axis);
    } else {
        putPoint(r.axis);
        out_.put(' ');
        out_.putReal(r.angle.radians);
    }
}

bool isNearZero(double v)
{
    return std::fabs(v) < 1e-5;
}

bool isNear(const geometry::X3DPoint& p, double v)
{
    return isNearZero(p.x - v) && isNearZero(p.y - v) && isNearZero(p.z - v);
}

}  // namespace scene3d
