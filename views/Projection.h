// How each view maps the model onto its plane: plan, front, side,
// auxiliary (square to a chosen wall), axonometric, and the 3-D view's slot.
#pragma once

#include <memory>

#include "model/ViewMapping.h"
#include "ui/PixelRect.h"
#include "ui/Window.h"
#include "views/Line2D.h"

namespace views {

using geometry::X3DPoint;
using geometry::X3DVector;
using model::ViewPoint;

class ViewWindow;

namespace viewId {
constexpr int Plant = 1101;
constexpr int Front = 1102;
constexpr int Side = 1103;
constexpr int Auxiliary = 1104;
constexpr int Assonometry = 1105;
constexpr int View3D = 1106;
}  // namespace viewId

class Projection {
public:
    virtual ~Projection() = default;
    virtual int viewId() const = 0;
    virtual const char* className() const = 0;
    virtual ViewPoint toView(const X3DPoint& p) const = 0;
    // The point that shows at q with the given depth; the plan's by default.
    virtual X3DPoint toWorld(const ViewPoint& q, double depth) const { return {q.u, q.v, depth}; }
    // The depth axis (used when faces are pierced).
    virtual X3DVector direction() const { return {0.0, 0.0, 1.0}; }
    // The key that brings the view forward.
    virtual char letter() const { return className()[0]; }
    // u and v as linear forms of the model point, for the views that are
    // linear (all but the 3-D view): what the model's index needs.
    virtual bool linearAxes(model::ViewAxes&) const { return false; }
    // Right button in the view; true when something was done.
    virtual bool onRightClick(ViewWindow&, ui::PixelPoint) { return false; }
    virtual bool onTimer(ViewWindow&, int) { return false; }
    virtual bool onWheel(ViewWindow&, int) { return false; }
    // A projection that draws its window itself answers true; the others
    // leave the painting to the views.
    virtual bool paint(ViewWindow&, ui::DrawContext&) { return false; }
    // Mouse events a projection keeps for itself (true): the tools never
    // see them.
    virtual bool onMouseDown(ViewWindow&, const ui::MouseEvent&) { return false; }
    virtual bool onMouseMove(ViewWindow&, const ui::MouseEvent&) { return false; }
    virtual bool onMouseUp(ViewWindow&, const ui::MouseEvent&) { return false; }
    virtual bool onCaptureLost(ViewWindow&) { return false; }

protected:
    static bool axes(model::ViewAxes& a, X3DVector u, X3DVector v)
    {
        a.u[0] = u.x;
        a.u[1] = u.y;
        a.u[2] = u.z;
        a.v[0] = v.x;
        a.v[1] = v.y;
        a.v[2] = v.z;
        return true;
    }
};

// Plan: x across, y up, looking down z.
class PLANT final : public Projection {
public:
    int viewId() const override { return viewId::Plant; }
    const char* className() const override { return "PLANT"; }
    ViewPoint toView(const X3DPoint& p) const override { return {p.x, p.y}; }
    bool linearAxes(model::ViewAxes& a) const override { return axes(a, {1, 0, 0}, {0, 1, 0}); }
    bool onRightClick(ViewWindow& window, ui::PixelPoint pixel) override;
};

// Front elevation: y across, z up, looking along x.
class FRONT final : public Projection {
public:
    int viewId() const override { return viewId::Front; }
    const char* className() const override { return "FRONT"; }
    ViewPoint toView(const X3DPoint& p) const override { return {p.y, p.z}; }
    bool linearAxes(model::ViewAxes& a) const override { return axes(a, {0, 1, 0}, {0, 0, 1}); }
    X3DPoint toWorld(const ViewPoint& q, double depth) const override { return {depth, q.u, q.v}; }
    X3DVector direction() const override { return {1.0, 0.0, 0.0}; }
};

// Side elevation: x across, z up, looking along y.
class SIDE final : public Projection {
public:
    int viewId() const override { return viewId::Side; }
    const char* className() const override { return "SIDE"; }
    ViewPoint toView(const X3DPoint& p) const override { return {p.x, p.z}; }
    bool linearAxes(model::ViewAxes& a) const override { return axes(a, {1, 0, 0}, {0, 0, 1}); }
    X3DPoint toWorld(const ViewPoint& q, double depth) const override { return {q.u, depth, q.v}; }
    X3DVector direction() const override { return {0.0, 1.0, 0.0}; }
};

// An elevation square to a plan line (the base line, from p1 to p2): u runs
// along the line from the point of it nearest the origin, v is z.
class AUXILIARY final : public Projection {
public:
    AUXILIARY() { setBaseLine({0.0, 0.0}, {1.0, 1.0}); }
    int viewId() const override { return viewId::Auxiliary; }
    const char* className() const override { return "AUXILIARY"; }
    char letter() const override { return 'X'; }
    ViewPoint toView(const X3DPoint& p) const override;
    bool linearAxes(model::ViewAxes& a) const override { return axes(a, {along_.x, along_.y, 0}, {0, 0, 1}); }
    X3DPoint toWorld(const ViewPoint& q, double depth) const override;
    // From the origin to the base line's nearest point; zero for a line
    // through the origin.
    X3DVector direction() const override { return {origin_.x, origin_.y, 0.0}; }

    // False (and nothing changed) for a line of no length.
    bool setBaseLine(Point2D p1, Point2D p2);
    const Line2D& baseLine() const { return baseLine_; }
    const Line2D& crossLine() const { return crossLine_; }

private:
    Line2D baseLine_;
    Line2D crossLine_;
    Point2D origin_;  // O: the base line's point nearest the origin
    Point2D along_;   // unit vector from p1 to p2
    Point2D normal_;  // along_ turned a quarter anticlockwise
};

// Axonometric drawing: x rises to the right at xAngle, y to the left at
// yAngle, z straight up; lengths along x and y are kept.
class ASSONOMETRY final : public Projection {
public:
    ASSONOMETRY() { setAngles(18.0, 42.0); }
    int viewId() const override { return viewId::Assonometry; }
    const char* className() const override { return "ASSONOMETRY"; }
    ViewPoint toView(const X3DPoint& p) const override { return {cx_ * p.x - cy_ * p.y, sx_ * p.x + sy_ * p.y + p.z}; }
    bool linearAxes(model::ViewAxes& a) const override { return axes(a, {cx_, -cy_, 0}, {sx_, sy_, 1}); }
    bool onRightClick(ViewWindow& window, ui::PixelPoint pixel) override;

    void setAngles(double xAngle, double yAngle);
    double xAngle() const { return xAngle_; }
    double yAngle() const { return yAngle_; }

private:
    double xAngle_ = 0.0;
    double yAngle_ = 0.0;
    double sx_ = 0.0, cx_ = 1.0, sy_ = 0.0, cy_ = 1.0;
};

// The 3-D view's place among the projections. It draws nothing with the 2-D
// drawing context and keeps the mouse from the tools; the program puts the
// OpenGL view (a class derived from this one) in its view set, while a view
// set made for pictures of the 2-D views keeps this empty one.
class View3D : public Projection {
public:
    int viewId() const override { return viewId::View3D; }
    const char* className() const override { return "3DView"; }
    char letter() const override { return '3'; }
    ViewPoint toView(const X3DPoint& p) const override { return {p.x, p.y}; }
    bool paint(ViewWindow&, ui::DrawContext&) override { return true; }
    bool onRightClick(ViewWindow&, ui::PixelPoint) override { return true; }
    bool onWheel(ViewWindow&, int) override { return true; }
    bool onMouseDown(ViewWindow&, const ui::MouseEvent&) override { return true; }
    bool onMouseMove(ViewWindow&, const ui::MouseEvent&) override { return true; }
    bool onMouseUp(ViewWindow&, const ui::MouseEvent&) override { return true; }
    bool onCaptureLost(ViewWindow&) override { return true; }
};

}  // namespace views
