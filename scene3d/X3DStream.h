// Where every node writes itself: VRML 2.0 or POV-Ray text with one blank of
// indentation per nesting level and 8 significant digits.
#pragma once

#include <string_view>

#include "geometry/X3DPoint.h"
#include "scene3d/X3DFields.h"
#include "textio/TextWriter.h"

namespace scene3d {

class X3DStream {
public:
    enum Format { VRML = 1, POVRay = 2 };

    X3DStream(textio::TextWriter& out, int format);

    int format;
    int indent = 0;

    bool pov() const { return format == POVRay; }

    void writeIndent();
    // Indentation, the text and a newline.
    void line(std::string_view text);
    void put(std::string_view text) { out_.put(text); }
    void put(char c) { out_.put(c); }
    void newline() { out_.put('\n'); }
    void putReal(double v) { out_.putReal(v); }
    void putInt(long long v) { out_.putInt(v); }
    // "x y z" in VRML, "<x,y,z>" in POV-Ray.
    void putPoint(const geometry::X3DPoint& p);
    // "%.3g %.3g %.3g" in VRML; rgb<...> or, when not opaque, rgbft<r,g,b,a,a> in POV-Ray.
    void putColor(const X3DColor& c);
    // Axis and radians in VRML; degrees, '*' and the axis in POV-Ray.
    void putRotation(const X3DRotation& r);

    textio::TextWriter& writer() { return out_; }

private:
    void putShort(double v);

    textio::TextWriter& out_;
};

// A value within 1e-5 of zero counts as zero; a vector within 1e-5 of v on
// every axis counts as v.
bool isNearZero(double v);
bool isNear(const geometry::X3DPoint& p, double v);

}  // namespace scene3d
