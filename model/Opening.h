// What holes and doors share: they stay in the plane of their wall.
#pragma once

#include "model/Face.h"

namespace model {

class Opening : public Face {
public:
    using Face::Face;

    // Each transformation is followed by a projection back onto the plane the
    // opening had before, so a door moved across its wall slides along it.
    int translateIfSelected(const X3DVector& v) override;
    int mirrorThroughPointIfSelected(const X3DPoint& centre) override;
    int mirrorAcrossPlaneIfSelected(const X3DPlane& plane) override;
    int scaleIfSelected(double factor) override;
    virtual int rotateInPlaneIfSelected(const X3DLine& axis, double degrees);

private:
    template <typename Transform>
    int inPlane(Transform transform);
};

}  // namespace model
