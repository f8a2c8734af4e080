// A wall: a base face plus the holes and doors set into it, kept as a small list.
#pragma once

#include "model/EntityList.h"
#include "model/Face.h"

namespace model {

class Wall : public EntityList {
public:
    // The first Face child: also owned by the list, this is a second reference.
    Face* baseFace = nullptr;

    Wall() = default;
    // A base face from four corners; invalid corners leave the wall invalid.
    Wall(const X3DPoint corners[4], const materials::Material& m);

    // baseFace := the first child of type Face (null if none).
    void findBaseFace();

    // Against a wall: the base faces are equal; against a face: the base face
    // equals it; anything else differs.
    bool isEqual(const Entity& other) const override;
    int typeCode() const override { return type::Wall; }
    const char* className() const override { return "Wall"; }

    void write(textio::TextWriter& out) const override;
    bool writeIfSelected(textio::TextWriter& out) const override;
    bool read(textio::TokenReader& in) override;

    // The base face alone spans the wall.
    bool extendBounds(X3DPoint& min, X3DPoint& max) const override;
    // Asked for walls (filter Wall), the base face decides and the wall is
    // answered; otherwise the members are asked as in any list.
    Entity* pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter) override;

    // With the base face selected the whole wall moves; otherwise only the
    // selected openings, each within the wall's plane.
    int translateIfSelected(const X3DVector& v) override;
    int mirrorThroughPointIfSelected(const X3DPoint& centre) override;
    int mirrorAcrossPlaneIfSelected(const X3DPlane& plane) override;
    int scaleIfSelected(double factor) override;

    std::unique_ptr<Entity> clone() const override;
    bool isValid() const override { return baseFace && baseFace->isValid(); }

    // Base face selected: a new wall with the selected members goes to the
    // target. Otherwise the selected openings are copied into this wall.
    int duplicateIfSelected(EntityList& target) override;
    // Base face selected: every member goes and the wall marks itself for its
    // owner to remove. Otherwise only the selected openings go.
    void deleteSelected() override;

private:
    bool baseSelected() const { return baseFace && baseFace->selected; }
    template <typename Whole, typename Each>
    int transformIfSelected(Whole whole, Each each);
};

}  // namespace model
