// Lights, viewpoints and background.
#include "scene3d/X3DEnvironment.h"

#include <cmath>

#include "scene3d/X3DStream.h"

namespace scene3d {

void X3DLight::write(X3DStream& out) const
{
    if (!out.pov()) {
        return;
    }
    out.line("light_source {");
    ++out.indent;
    out.writeIndent();
    out.putPoint(position);
    out.put(' ');
    out.putColor(color);
    out.newline();
    --out.indent;
    out.line("}");
}

void X3DViewPoint::write(X3DStream& out) const
{
    if (!out.pov()) {
        return;
    }
    auto vectorLine = [&out](const char* keyword, const geometry::X3DPoint& v) {
        out.writeIndent();
        out.put(keyword);
        out.putPoint(v);
        out.newline();
    };
    out.line("camera {");
    ++out.indent;
    vectorLine("location ", position);
    vectorLine("look_at ", target);
    vectorLine("up ", up);
    // POV-Ray turns a look_at camera by its sky vector, +y unless given: for
    // the model's z-up world that renders it upside down and mirrored.
    vectorLine("sky ", up);
    --out.indent;
    out.line("}");
}

void X3DViewPoint::fit(double scale)
{
    X3DBounds widened = bounds;
    widened.add(position);
    double d = (widened.max - widened.min).norm();
    farPlane = d;
    nearPlane = 0.01 * d;
    fieldOfView.setDegrees(4500.0 / scale);
}

void X3DBackground::write(X3DStream& out) const
{
    if (out.pov()) {
        out.writeIndent();
        out.put("background { ");
        out.putColor(skyColor);
        out.put(" }");
        out.newline();
        out.line("global_settings {");
        ++out.indent;
        out.writeIndent();
        out.put("ambient_light ");
        out.putColor(ambientLight);
        out.newline();
        --out.indent;
        out.line("}");
        return;
    }
    out.line("Background {");
    ++out.indent;
    out.writeIndent();
    out.put("skyColor ");
    out.putColor(skyColor);
    out.newline();
    --out.indent;
    out.line("}");
}

}  // namespace scene3d
