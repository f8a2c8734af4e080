// Finding obstructing faces.
#include "tools/analysis/FindObstructing.h"

#include "model/Receiver.h"
#include "tools/analysis/SegmentIndex.h"
#include "ui/Dialog.h"
#include "ui/Platform.h"

namespace tools::analysis {

namespace {

using geometry::X3DPoint;

struct Pairs {
    std::vector<X3DPoint> sources;
    std::vector<X3DPoint> receivers;
};

Pairs topLevelPairs(const model::Document& doc)
{
    Pairs p;
    for (const auto& child : doc.children()) {
        if (child->typeCode() == model::type::Source) {
            p.sources.push_back(static_cast<const model::Receiver&>(*child).position);
        } else if (child->typeCode() == model::type::Receiver) {
            p.receivers.push_back(static_cast<const model::Receiver&>(*child).position);
        }
    }
    return p;
}

// The faces a mode looks at, in model order.
std::vector<model::Face*> candidates(model::Document& doc, ObstructingMode mode)
{
    std::vector<model::Face*> faces;
    doc.forEach([&faces, mode](model::Entity& e) {
        if (e.typeCode() != model::type::Face || e.selected) {
            return 0;
        }
        auto& face = static_cast<model::Face&>(e);
        bool flagged = face.material.obstructing;
        if ((mode == ObstructingMode::SelectFlagged) == flagged) {
            faces.push_back(&face);
        }
        return 0;
    });
    return faces;
}

bool keepsSoundApart(const model::Face& face, const X3DPoint& s, const X3DPoint& r)
{
    if (face.vertexCount() < 3) {
        return false;
    }
    geometry::X3DPlane plane = face.plane();
    bool sBehind = plane.signedDistance(s) < 0.0;
    bool rBehind = plane.signedDistance(r) < 0.0;
    if (sBehind == rBehind || s == r) {
        return false;
    }
    bool hit = false;
    X3DPoint crossing = geometry::X3DLine(s, r).intersect(plane, hit);
    return hit && face.containsPoint(crossing);
}

// A face's plane and box, worked out once: the test below is the one
// above step for step, so both give the same answer to the last bit.
struct PreparedFace {
    geometry::X3DPlane plane;
    X3DPoint min;
    X3DPoint max;
    bool valid = false;
};

PreparedFace prepare(const model::Face& face)
{
    PreparedFace p;
    p.valid = face.vertexCount() >= 3;
    if (p.valid) {
        p.plane = face.plane();
        p.min = X3DPoint(1e9, 1e9, 1e9);
        p.max = X3DPoint(-1e9, -1e9, -1e9);
        face.extendBounds(p.min, p.max);
    }
    return p;
}

// The segment from s to r, as the test needs it.
struct Segment {
    X3DPoint s;
    X3DPoint r;
    geometry::X3DLine line;
    bool usable;
};

bool keepsSoundApart(const PreparedFace& face, const Segment& seg)
{
    if (!face.valid) {
        return false;
    }
    bool sBehind = face.plane.signedDistance(seg.s) < 0.0;
    bool rBehind = face.plane.signedDistance(seg.r) < 0.0;
    if (sBehind == rBehind || !seg.usable) {
        return false;
    }
    bool hit = false;
    X3DPoint p = seg.line.intersect(face.plane, hit);
    if (!hit) {
        return false;
    }
    // Face::containsPoint: inside the box, bounds included, and on the plane.
    if (p.x < face.min.x || p.y < face.min.y || p.z < face.min.z || p.x > face.max.x || p.y > face.max.y ||
        p.z > face.max.z) {
        return false;
    }
    return face.plane.contains(p);
}

std::vector<model::Face*> pickedBy(const std::vector<model::Face*>& faces, const std::vector<char>& picked)
{
    std::vector<model::Face*> out;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (picked[i]) {
            out.push_back(faces[i]);
        }
    }
    return out;
}

}  // namespace

std::vector<model::Face*> obstructingFacesDirect(model::Document& doc, ObstructingMode mode)
{
    std::vector<model::Face*> faces = candidates(doc, mode);
    if (mode == ObstructingMode::SelectFlagged) {
        return faces;
    }
    Pairs pairs = topLevelPairs(doc);
    std::vector<char> picked(faces.size(), 0);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const model::Face& face = *faces[i];
        if (face.material.monopermeable) {
            picked[i] = 1;
            continue;
        }
        for (std::size_t a = 0; a < pairs.sources.size() && !picked[i]; ++a) {
            for (std::size_t b = 0; b < pairs.receivers.size() && !picked[i]; ++b) {
                picked[i] = keepsSoundApart(face, pairs.sources[a], pairs.receivers[b]) ? 1 : 0;
            }
        }
    }
    return pickedBy(faces, picked);
}

std::vector<model::Face*> obstructingFaces(model::Document& doc, ObstructingMode mode)
{
    std::vector<model::Face*> faces = candidates(doc, mode);
    if (mode == ObstructingMode::SelectFlagged) {
        return faces;
    }
    Pairs pairs = topLevelPairs(doc);
    std::vector<char> picked(faces.size(), 0);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (faces[i]->material.monopermeable) {
            picked[i] = 1;
        } else {
            open.push_back(i);
        }
    }
    if (pairs.sources.empty() || pairs.receivers.empty() || open.empty()) {
        return pickedBy(faces, picked);
    }
    // Each source-receiver segment meets only the few faces whose boxes it
    // crosses; those alone take the exact test.
    std::vector<model::Face*> tested;
    std::vector<PreparedFace> prepared;
    tested.reserve(open.size());
    prepared.reserve(open.size());
    for (std::size_t i : open) {
        tested.push_back(faces[i]);
        prepared.push_back(prepare(*faces[i]));
    }
    SegmentIndex index(tested);
    std::vector<std::size_t> crossed;
    for (const X3DPoint& s : pairs.sources) {
        for (const X3DPoint& r : pairs.receivers) {
            Segment seg{s, r, {}, !(s == r)};
            if (seg.usable) {
                seg.line = geometry::X3DLine(s, r);
            }
            crossed.clear();
            index.query(s, r, crossed);
            for (std::size_t k : crossed) {
                std::size_t i = open[k];
                if (!picked[i] && keepsSoundApart(prepared[k], seg)) {
                    picked[i] = 1;
                }
            }
        }
    }
    return pickedBy(faces, picked);
}

namespace {

class ObstructingBox final : public ui::Dialog {
public:
    const char* templateName() const override { return "ObstructingBox"; }
    void onInit(ui::DialogControls& c) override { c.setChecked(ui::ctl::obstructing::SelectFlagged, true); }
    void onCommand(ui::DialogControls& c, int id) override
    {
        if (id == ui::idOk) {
            using namespace ui::ctl::obstructing;
            mode = c.isChecked(AssignFlag)        ? ObstructingMode::AssignFlag
                   : c.isChecked(SelectUnflagged) ? ObstructingMode::SelectUnflagged
                                                  : ObstructingMode::SelectFlagged;
        }
        Dialog::onCommand(c, id);
    }
    ObstructingMode mode = ObstructingMode::SelectFlagged;
};

}  // namespace

bool findObstructing(model::Document& doc, storage::UndoRing& undo)
{
    ObstructingBox box;
    if (box.runModal() != ui::DialogResult::Ok) {
        return false;
    }
    ui::WaitCursor wait;
    std::vector<model::Face*> found = obstructingFaces(doc, box.mode);
    bool flag = false;
    switch (box.mode) {
    case ObstructingMode::SelectFlagged:
    case ObstructingMode::SelectUnflagged:
        break;
    case ObstructingMode::AssignFlag:
        flag = true;
        break;
    }
    if (flag && !found.empty()) {
        // New flags are a change like any other: Undo restores them and
        // the save question guards them.
        undo.takeSnapshot(doc);
        doc.setModified(true);
    }
    for (model::Face* face : found) {
        if (flag) {
            face->material.obstructing = true;
        }
        face->setSelected(true);
    }
    return true;
}

}  // namespace tools::analysis
