// DXF model import.
#include "exchange/DxfImport.h"

#include <cstdio>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "exchange/DxfLines.h"
#include "exchange/WallIndex.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Door.h"
#include "model/Hole.h"
#include "model/Source.h"
#include "model/Wall.h"
#include "ui/Platform.h"

namespace exchange {

namespace {

using geometry::X3DPoint;

// One DXF entity as the import sees it.
struct Record {
    std::string type;
    std::string layer;
    std::string text;
    std::vector<X3DPoint> corners;
    double angle = 0.0;
    long long colour = 0;
    // A coordinate or angle that is not finite or beyond any model: the
    // entity is dropped rather than let into the model.
    bool damaged = false;

    void reset(std::string_view t)
    {
        type.assign(t.substr(0, 79));
        layer.clear();
        text.clear();
        corners.clear();
        angle = 0.0;
        colour = 0;
        damaged = false;
    }

    void setCoordinate(int code, std::string_view value)
    {
        auto corner = static_cast<std::size_t>(code % 10);
        if (corners.size() <= corner) {
            corners.resize(corner + 1);
        }
        double v = 0.0;
        if (!dxfReal(value, v) || !model::isSaneCoordinate(v)) {
            damaged = true;
            return;
        }
        X3DPoint& p = corners[corner];
        (code < 20 ? p.x : code < 30 ? p.y : p.z) = v;
    }

    void store(long long code, std::string_view value)
    {
        if (code == 1) {
            text.assign(value.substr(0, 79));
        } else if (code == 8) {
            layer.assign(value.substr(0, 79));
        } else if ((code >= 10 && code <= 13) || (code >= 20 && code <= 23) || (code >= 30 && code <= 33)) {
            setCoordinate(static_cast<int>(code), value);
        } else if (code == 51) {
            if (!dxfReal(value, angle) || !model::isSaneCoordinate(angle)) {
                damaged = true;
            }
        } else if (code == 62) {
            colour = dxfInt(value);
        }
    }

    X3DPoint corner(std::size_t i) const { return i < corners.size() ? corners[i] : X3DPoint(); }
};

class Importer {
public:
    explicit Importer(model::Document& doc) : doc_(doc)
    {
        for (const auto& child : doc.children()) {
            if (child->typeCode() == model::type::Wall) {
                walls_.add(static_cast<model::Wall*>(child.get()));
            }
        }
    }

    void build(const Record& r);
    void placePendingHoles();
    long added() const { return added_; }

private:
    materials::Material faceMaterial(const Record& r);
    void appendToModel(std::unique_ptr<model::Entity> e)
    {
        if (!e->isValid()) {
            return;
        }
        if (e->typeCode() == model::type::Wall) {
            auto* wall = static_cast<model::Wall*>(e.get());
            doc_.append(std::move(e));
            walls_.add(wall);
        } else {
            doc_.append(std::move(e));
        }
        ++added_;
    }

    model::Document& doc_;
    WallIndex walls_;
    std::vector<std::unique_ptr<model::Hole>> pendingHoles_;
    std::unordered_map<std::string, std::uint32_t> layerMaterials_;
    long added_ = 0;
};

materials::Material Importer::faceMaterial(const Record& r)
{
    materials::Material m;
    // Layers repeat: each is looked up once per import.
    auto known = layerMaterials_.find(r.layer);
    if (known != layerMaterials_.end()) {
        m.number = known->second;
    } else {
        materials::MaterialList& list = materials::materialList();
        m.number = static_cast<std::uint32_t>(list.indexOf(list.materialByText(r.layer)));
        layerMaterials_.emplace(r.layer, m.number);
    }
    if (r.colour >= 1 && r.colour <= 3) {
        m.setFlags(r.colour);
    }
    return m;
}

void Importer::build(const Record& r)
{
    if (r.damaged) {
        return;
    }
    bool face = textio::equalIgnoringCase(r.type, "3DFACE");
    bool polyline = textio::equalIgnoringCase(r.type, "POLYLINE");
    std::size_t n = r.corners.size();
    if (face || polyline) {
        if (n < 3) {
            return;
        }
        materials::Material m = face ? faceMaterial(r) : materials::Material{};
        if (polyline || n == 4) {
            model::Wall* wall = walls_.findContaining(r.corners);
            if (polyline) {
                auto hole = std::make_unique<model::Hole>(r.corners);
                if (!hole->isValid()) {
                    return;
                }
                if (wall) {
                    wall->append(std::move(hole));
                    ++added_;
                } else {
                    pendingHoles_.push_back(std::move(hole));
                }
            } else if (wall) {
                auto door = std::make_unique<model::Door>(r.corners, m);
                if (door->isValid()) {
                    wall->append(std::move(door));
                    ++added_;
                }
            } else {
                X3DPoint corners[4] = {r.corners[0], r.corners[1], r.corners[2], r.corners[3]};
                appendToModel(std::make_unique<model::Wall>(corners, m));
            }
            return;
        }
        appendToModel(std::make_unique<model::Face>(r.corners, m));
        return;
    }
    if (textio::equalIgnoringCase(r.type, "LINE")) {
        appendToModel(std::make_unique<model::Receiver>(r.corner(0), r.corner(1)));
    } else if (textio::equalIgnoringCase(r.type, "ATTDEF")) {
        if (!r.layer.empty() && r.layer[0] == 'S') {
            appendToModel(std::make_unique<model::Source>(r.corner(0), r.corner(1), r.angle, r.text));
        } else {
            appendToModel(std::make_unique<model::Receiver>(r.corner(0), r.corner(1)));
        }
    }
}

void Importer::placePendingHoles()
{
    for (auto& hole : pendingHoles_) {
        std::vector<X3DPoint> corners(hole->vertices.begin(), hole->vertices.end());
        if (model::Wall* wall = walls_.findContaining(corners)) {
            wall->append(hole->clone());
            ++added_;
        }
    }
    pendingHoles_.clear();
}

}  // namespace

void importDxf(model::Document& doc, textio::TokenReader& in, std::uint64_t fileSize)
{
    ui::ProgressBar progress(fileSize);
    DxfLines lines(in);
    if (!findEntitiesSection(lines, false)) {
        return;
    }
    std::string_view line;
    lines.next(line);  // the group code 0 before the first entity

    // Entities are drawn by the views' repaint once the import is over, not
    // one by one; the model is marked modified once, if anything came in.
    bool autoDraw = doc.autoDraw;
    doc.autoDraw = false;
    Importer importer(doc);
    Record record;
    std::string_view type;
    while (lines.nextTrimmed(type) && !type.empty() && !textio::equalIgnoringCase(type, "ENDSEC")) {
        record.reset(type);
        std::string_view code;
        std::string_view value;
        while (lines.nextTrimmed(code)) {
            long long c = dxfInt(code);
            if (c <= 0 || !lines.next(value)) {
                break;
            }
            record.store(c, value);
        }
        importer.build(record);
        progress.setPosition(lines.position());
    }
    importer.placePendingHoles();
    doc.autoDraw = autoDraw;
    if (autoDraw && importer.added() > 0) {
        doc.setModified(true);
    }
}

bool importDxf(model::Document& doc, const std::string& fileName)
{
    std::uint64_t size = 0;
    std::FILE* file = openDxf(fileName, size);
    if (!file) {
        return false;
    }
    {
        textio::TokenReader in(file);
        importDxf(doc, in, size);
    }
    std::fclose(file);
    return true;
}

}  // namespace exchange
