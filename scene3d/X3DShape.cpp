// Shapes, appearances, materials, boxes and spheres, and their text.
#include "scene3d/X3DShape.h"

#include <cstdio>

#include "scene3d/X3DStream.h"

namespace scene3d {

X3DMaterial::X3DMaterial(const X3DColor& colour, std::string_view n) : name(n), diffuseColor(colour)
{
    if (name.empty()) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%g,%g,%g", static_cast<double>(colour.r), static_cast<double>(colour.g),
                      static_cast<double>(colour.b));
        name = buf;
    }
}

void X3DMaterial::write(X3DStream& out) const
{
    if (out.pov()) {
        out.line("texture {");
        ++out.indent;
        out.writeIndent();
        out.put("pigment { ");
        out.putColor(diffuseColor);
        out.put(" }");
        out.newline();
        out.writeIndent();
        out.put("finish { ambient ");
        out.putReal(ambientIntensity);
        out.put(" diffuse ");
        out.putReal(ambientIntensity);
        if (specular > 0) {
            out.put(" specular ");
            out.putReal(specular);
        }
        out.put(" }");
        out.newline();
        --out.indent;
        out.line("}");
        return;
    }
    out.line("Material {");
    ++out.indent;
    out.writeIndent();
    out.put("ambientIntensity ");
    out.putReal(ambientIntensity);
    out.newline();
    out.writeIndent();
    out.put("diffuseColor ");
    out.putColor(diffuseColor);
    out.newline();
    if (emissive > 0) {
        out.writeIndent();
        out.put("emissiveColor ");
        out.putColor(diffuseColor.scaled(emissive));
        out.newline();
    }
    out.writeIndent();
    out.put("shininess ");
    out.putReal(shininess);
    out.newline();
    if (specular > 0) {
        out.writeIndent();
        out.put("specularColor ");
        out.putColor(X3DColor(specular, specular, specular, 1));
        out.newline();
    }
    double transparency = 1.0 - static_cast<double>(diffuseColor.a);
    if (transparency > 0) {
        out.writeIndent();
        out.put("transparency ");
        out.putReal(transparency);
        out.newline();
    }
    --out.indent;
    out.line("}");
}

void X3DAppearance::write(X3DStream& out) const
{
    if (out.pov()) {
        if (material) {
            out.line("texture { " + material->name + " }");
        }
        return;
    }
    out.line("appearance Appearance {");
    ++out.indent;
    if (material) {
        out.line("material " + material->name + " {}");
    }
    if (texture) {
        texture->write(out);
    }
    if (textureTransform) {
        textureTransform->write(out);
    }
    --out.indent;
    out.line("}");
}

void X3DBox::write(X3DStream& out) const
{
    out.writeIndent();
    if (out.pov()) {
        // POV-Ray has no box of the scene's kind: a box centred on the origin,
        // so that a shape holding it stays a valid object.
        out.put("box { ");
        out.putPoint(size * -0.5);
        out.put(", ");
        out.putPoint(size * 0.5);
        out.put(" }");
    } else {
        out.put("Box { size ");
        out.putPoint(size);
        out.put(" }");
    }
    out.newline();
}

void X3DSphere::write(X3DStream& out) const
{
    out.writeIndent();
    if (out.pov()) {
        out.put("sphere { <0,0,0> ");
        out.putReal(radius);
        out.put(" }");
    } else {
        out.put("Sphere {");
        if (!isNearZero(radius - 1.0)) {
            out.put(" radius ");
            out.putReal(radius);
        }
        out.put(" }");
    }
    out.newline();
}

void X3DShape::write(X3DStream& out) const
{
    if (out.pov()) {
        out.line("object {");
        ++out.indent;
        if (geometry) {
            geometry->write(out);
        }
        appearance.write(out);
        --out.indent;
        out.line("}");
        return;
    }
    out.line("Shape {");
    ++out.indent;
    appearance.write(out);
    if (geometry) {
        out.line("geometry");
        geometry->write(out);
    }
    --out.indent;
    out.line("}");
}

}  // namespace scene3d
