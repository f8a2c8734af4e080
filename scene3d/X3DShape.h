// Shapes: an appearance (a material) and a geometry (box, sphere, face set).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "scene3d/X3DNode.h"

namespace scene3d {

class X3DMaterial : public X3DCachedNode {
public:
    // An empty name becomes the colour's "%g,%g,%g".
    X3DMaterial(const X3DColor& colour, std::string_view name);

    std::string name;
    X3DColor diffuseColor;
    double emissive = 0.0;
    double ambientIntensity = 1.0;
    double specular = 1.0;
    double shininess = 0.5;

    const char* className() const override { return "X3DMaterial"; }
    void write(X3DStream& out) const override;
};

class X3DAppearance : public X3DNode {
public:
    // Owned by the scene's material dictionary, not by the appearance.
    X3DMaterial* material = nullptr;
    // Written after the material; the program never sets them.
    std::unique_ptr<X3DNode> texture;
    std::unique_ptr<X3DNode> textureTransform;

    const char* className() const override { return "X3DAppearance"; }
    void write(X3DStream& out) const override;
};

class X3DGeometry : public X3DNode {
public:
    const char* className() const override { return "X3DGeometry"; }
};

class X3DBox : public X3DGeometry {
public:
    explicit X3DBox(const geometry::X3DVector& s) : size(s) {}
    geometry::X3DVector size;

    const char* className() const override { return "X3DBox"; }
    void write(X3DStream& out) const override;
};

class X3DSphere : public X3DGeometry {
public:
    explicit X3DSphere(double r) : radius(r) {}
    double radius;

    const char* className() const override { return "X3DSphere"; }
    void write(X3DStream& out) const override;
};

class X3DShape : public X3DNode {
public:
    std::unique_ptr<X3DGeometry> geometry;
    X3DAppearance appearance;

    const char* className() const override { return "X3DShape"; }
    void write(X3DStream& out) const override;
};

}  // namespace scene3d
