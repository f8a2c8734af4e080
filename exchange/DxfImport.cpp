// DXF model import.
#include "exchange/DxfImport.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "exchange/DxfBlocks.h"
#include "exchange/DxfMeshes.h"
#include "exchange/DxfReadAhead.h"
#include "exchange/DxfReader.h"
#include "exchange/DxfUnits.h"
#include "exchange/WallIndex.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Door.h"
#include "model/Hole.h"
#include "model/Source.h"
#include "model/Wall.h"
#include "textio/RealFormat.h"
#include "ui/Platform.h"

namespace exchange {

namespace {

enum class Kind { Face3d, Polyline, Line, Attdef, Other };

Kind kindOf(const DxfEntity& e)
{
    if (e.is("3DFACE")) {
        return Kind::Face3d;
    }
    if (e.is("POLYLINE")) {
        return Kind::Polyline;
    }
    if (e.is("LINE")) {
        return Kind::Line;
    }
    if (e.is("ATTDEF")) {
        return Kind::Attdef;
    }
    return Kind::Other;
}

bool isSane(const X3DPoint& p)
{
    // As model::isSaneCoordinate, inline: this runs for every corner.
    return std::fabs(p.x) < model::coordinateLimit && std::fabs(p.y) < model::coordinateLimit &&
           std::fabs(p.z) < model::coordinateLimit;
}

class Importer {
public:
    Importer(model::Document& doc, double metresPerUnit, std::uint64_t fileSize)
        : doc_(doc), units_(Affine::scaling(metresPerUnit)), unitsAreMetres_(units_.isIdentity())
    {
        // A four-corner face as other programs write it takes 300 bytes or
        // so: room for that many walls (up to a million) saves the index
        // most of its growing.
        walls_.expect(static_cast<std::size_t>(std::min<std::uint64_t>(fileSize / 320, 1u << 20)));
        for (const auto& child : doc.children()) {
            if (child->typeCode() == model::type::Wall) {
                walls_.add(static_cast<model::Wall*>(child.get()));
            }
        }
    }

    void build(const PlacedEntity& pe);
    // Builds the faces still waiting for their wall search, then the holes
    // that fitted no wall when they were read.
    void finish();
    long added() const { return added_; }
    long long badMeshFaces() const { return badMeshFaces_; }
    // Entities (and mesh faces) left out for a number that is not finite or
    // a point beyond any model.
    long long leftOut() const { return leftOut_; }

private:
    // A four-corner face waiting for its wall search.
    struct Waiting {
        X3DPoint corners[4];
        materials::Material material;
        WallIndex::Probe probe;
    };
    // How many faces wait: the searches of the later ones are asked to
    // fetch their memory early (cells at once, the walls listed in them
    // halfway through the queue), so that the wall search need not wait.
    static constexpr std::size_t lookahead = 8;

    materials::Material faceMaterial(const std::string& layer, long long colour);
    // Corners into the model: placed, in metres, all of them sane.
    bool place(const Affine& where, std::vector<X3DPoint>& points) const;
    void buildFace(std::vector<X3DPoint>& corners, const materials::Material& m);
    void buildFourCorners(const Waiting& face);
    void buildHole(std::vector<X3DPoint>& corners);
    void attach(model::Wall& wall, std::unique_ptr<model::Face> opening);
    void appendToModel(std::unique_ptr<model::Entity> e);
    // Builds every waiting face, in order: whatever reaches the model next
    // must come after them.
    void flush();

    model::Document& doc_;
    Affine units_;
    bool unitsAreMetres_;
    WallIndex walls_;
    Waiting waiting_[lookahead];
    std::size_t firstWaiting_ = 0;
    std::size_t waitingCount_ = 0;
    std::vector<std::unique_ptr<model::Hole>> pendingHoles_;
    std::unordered_map<std::string, std::uint32_t> layerMaterials_;
    // The layer looked up last, as faces come in runs on one layer.
    std::string lastLayer_;
    std::uint32_t lastMaterial_ = 0;
    bool anyLayer_ = false;
    std::vector<X3DPoint> corners_;
    long added_ = 0;
    long long badMeshFaces_ = 0;
    long long leftOut_ = 0;
};

materials::Material Importer::faceMaterial(const std::string& layer, long long colour)
{
    materials::Material m;
    // Layers repeat: each is looked up once per import.
    if (anyLayer_ && layer == lastLayer_) {
        m.number = lastMaterial_;
    } else {
        auto known = layerMaterials_.find(layer);
        if (known != layerMaterials_.end()) {
            m.number = known->second;
        } else {
            materials::MaterialList& list = materials::materialList();
            m.number = static_cast<std::uint32_t>(list.indexOf(list.materialByText(layer)));
            layerMaterials_.emplace(layer, m.number);
        }
        lastLayer_ = layer;
        lastMaterial_ = m.number;
        anyLayer_ = true;
    }
    if (colour >= 1 && colour <= 3) {
        m.setFlags(colour);
    }
    return m;
}

bool Importer::place(const Affine& where, std::vector<X3DPoint>& points) const
{
    for (X3DPoint& p : points) {
        p = where.apply(p);
        if (!isSane(p)) {
            return false;
        }
    }
    return true;
}

void Importer::appendToModel(std::unique_ptr<model::Entity> e)
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

void Importer::attach(model::Wall& wall, std::unique_ptr<model::Face> opening)
{
    // An opening that misses its wall by less than the tolerance is set
    // into the wall's plane.
    geometry::X3DPlane plane = wall.baseFace->plane();
    for (const X3DPoint& p : opening->vertices) {
        if (!plane.contains(p)) {
            opening->projectOnto(plane);
            break;
        }
    }
    wall.append(std::move(opening));
    ++added_;
}

void Importer::buildFace(std::vector<X3DPoint>& corners, const materials::Material& m)
{
    std::size_t n = corners.size();
    if (n < 3) {
        return;
    }
    if (n == 4) {
        if (waitingCount_ == lookahead) {
            buildFourCorners(waiting_[firstWaiting_]);
            firstWaiting_ = (firstWaiting_ + 1) % lookahead;
            --waitingCount_;
        }
        Waiting& w = waiting_[(firstWaiting_ + waitingCount_) % lookahead];
        std::copy(corners.begin(), corners.end(), w.corners);
        w.material = m;
        walls_.prepare(w.corners, 4, w.probe);
        ++waitingCount_;
        if (waitingCount_ > lookahead / 2) {
            walls_.fetchMembers(waiting_[(firstWaiting_ + waitingCount_ - 1 - lookahead / 2) % lookahead].probe);
        }
        return;
    }
    flush();
    appendToModel(std::make_unique<model::Face>(corners, m));
}

void Importer::buildFourCorners(const Waiting& face)
{
    if (model::Wall* wall = walls_.findContaining(face.corners, face.probe)) {
        auto door = std::make_unique<model::Door>(face.corners, 4, face.material);
        if (door->isValid()) {
            attach(*wall, std::move(door));
        }
        return;
    }
    auto wall = std::make_unique<model::Wall>(face.corners, face.material);
    if (!wall->isValid()) {
        return;
    }
    model::Wall* added = wall.get();
    doc_.append(std::move(wall));
    walls_.add(added, face.probe);
    ++added_;
}

void Importer::flush()
{
    for (; waitingCount_ > 0; --waitingCount_) {
        buildFourCorners(waiting_[firstWaiting_]);
        firstWaiting_ = (firstWaiting_ + 1) % lookahead;
    }
}

void Importer::buildHole(std::vector<X3DPoint>& corners)
{
    if (corners.size() < 3) {
        return;
    }
    flush();
    auto hole = std::make_unique<model::Hole>(corners);
    if (!hole->isValid()) {
        return;
    }
    if (model::Wall* wall = walls_.findContaining(corners)) {
        attach(*wall, std::move(hole));
    } else {
        pendingHoles_.push_back(std::move(hole));
    }
}

void Importer::build(const PlacedEntity& pe)
{
    const DxfEntity& e = pe.entity;
    Kind kind = kindOf(e);
    if (kind == Kind::Other) {
        return;
    }
    if (e.damaged) {
        ++leftOut_;
        return;
    }
    Affine where = pe.placed ? units_.after(pe.place) : units_;
    if (kind == Kind::Face3d) {
        corners_.assign(e.corners.begin(), e.corners.end());
        if (corners_.size() < 3) {
            return;
        }
        // Read in metres and not in a block, the corners stay as they are
        // (but for a zero's sign, which the placement makes positive).
        if (!pe.placed && unitsAreMetres_) {
            for (X3DPoint& p : corners_) {
                p = X3DPoint(p.x + 0.0, p.y + 0.0, p.z + 0.0);
                if (!isSane(p)) {
                    ++leftOut_;
                    return;
                }
            }
        } else if (!place(where, corners_)) {
            ++leftOut_;
            return;
        }
        buildFace(corners_, faceMaterial(pe.layer, pe.colour));
        return;
    }
    if (kind == Kind::Polyline) {
        PolylineKind shape = polylineKind(e);
        if (shape == PolylineKind::Plain) {
            corners_.assign(e.corners.begin(), e.corners.end());
            if (corners_.size() < 3) {
                return;
            }
            if (!place(where, corners_)) {
                ++leftOut_;
                return;
            }
            buildHole(corners_);
            return;
        }
        bool mesh = shape != PolylineKind::Closed3d;
        materials::Material m = mesh ? faceMaterial(pe.layer, pe.colour) : materials::Material{};
        badMeshFaces_ += polylineFaces(e, [&](const std::vector<X3DPoint>& face) {
            std::vector<X3DPoint> corners = face;
            if (!place(where, corners)) {
                ++leftOut_;
                return;
            }
            if (mesh) {
                buildFace(corners, m);
            } else {
                buildHole(corners);
            }
        });
        return;
    }
    // Receivers and sources: their points are in the entity's object
    // coordinates when it has an extrusion direction (ATTDEF).
    flush();
    Affine ocs = kind == Kind::Attdef ? where.after(Affine::ocs(e.extrusion)) : where;
    X3DPoint a = ocs.apply(e.corner(0));
    X3DPoint b = ocs.apply(e.corner(1));
    if (!isSane(a) || !isSane(b)) {
        ++leftOut_;
        return;
    }
    if (kind == Kind::Attdef && !pe.layer.empty() && pe.layer[0] == 'S') {
        appendToModel(std::make_unique<model::Source>(a, b, e.angle, e.text));
    } else {
        appendToModel(std::make_unique<model::Receiver>(a, b));
    }
}

void Importer::finish()
{
    flush();
    for (auto& hole : pendingHoles_) {
        std::vector<X3DPoint> corners(hole->vertices.begin(), hole->vertices.end());
        if (model::Wall* wall = walls_.findContaining(corners)) {
            attach(*wall, std::move(hole));
        }
    }
    pendingHoles_.clear();
}

}  // namespace

std::string DxfImportReport::unitsText() const
{
    return unitsNamed ? "Drawing units: " + units : "Drawing units: metres (the drawing names none)";
}

DxfImportReport importDxf(model::Document& doc, textio::TokenReader& in, std::uint64_t fileSize,
                          const DxfImportOptions& options, const std::string& fileName)
{
    DxfImportReport report;
    report.opened = true;
    ui::ProgressBar progress(fileSize);
    DxfReader reader(in, false);
    DxfReader::Start start = reader.start();
    if (start == DxfReader::Start::NotDxf) {
        report.drawing = false;
        ui::errorBox("The file %s is not a DXF drawing", fileName.c_str());
        return report;
    }
    long long units = options.units >= 0 ? options.units : reader.header().insunits;
    if (metresPerUnit(units) > 0.0) {
        report.metresPerUnit = metresPerUnit(units);
        report.units = unitName(units);
        report.unitsNamed = true;
    }
    if (start == DxfReader::Start::NoEntities) {
        report.warnings.push_back("The drawing " + fileName + " has no ENTITIES section: nothing was imported");
        return report;
    }

    // Entities are drawn by the views' repaint once the import is over, not
    // one by one; the model is marked modified once, if anything came in.
    bool autoDraw = doc.autoDraw;
    doc.autoDraw = false;
    Importer importer(doc, report.metresPerUnit, fileSize);
    long long leftOut = 0;
    if (start == DxfReader::Start::Entities) {
        BlockExpander blocks(reader, options.maxBlockEntities);
        BlockExpander::Sink sink = [&importer](const PlacedEntity& pe) { importer.build(pe); };
        DxfReadAhead entities(reader, fileSize >= options.readAheadFrom);
        while (const DxfEntity* entity = entities.next()) {
            blocks.expand(*entity, sink);
            progress.setPosition(entities.position());
        }
        entities.finish();
        for (const std::string& problem : blocks.problems()) {
            ui::errorBox("%s", problem.c_str());
        }
        leftOut += blocks.leftOut();
    }
    importer.finish();
    doc.autoDraw = autoDraw;
    if (autoDraw && importer.added() > 0) {
        doc.setModified(true);
    }
    report.added = importer.added();
    leftOut += importer.leftOut();
    if (leftOut > 0) {
        ui::errorBox("%lld entities of %s have a number that is not finite or a point more than a million "
                     "kilometres out: they are left out",
                     leftOut, fileName.c_str());
    }
    if (importer.badMeshFaces() > 0) {
        ui::errorBox("%lld mesh faces name vertices their mesh does not have: they are left out",
                     importer.badMeshFaces());
    }
    if (reader.cut()) {
        report.complete = false;
        ui::errorBox("%s", reader.cutMessage().c_str());
    }
    return report;
}

DxfImportReport importDxf(model::Document& doc, const std::string& fileName, const DxfImportOptions& options)
{
    std::uint64_t size = 0;
    textio::InputError why = textio::InputError::None;
    std::FILE* file = openDxf(fileName, size, &why);
    if (!file) {
        DxfImportReport failed;
        failed.openError = why;
        return failed;
    }
    DxfImportReport report;
    {
        textio::TokenReader in(file);
        report = importDxf(doc, in, size, options, fileName);
    }
    std::fclose(file);
    return report;
}

bool importDxf(model::Document& doc, const std::string& fileName)
{
    return importDxf(doc, fileName, DxfImportOptions{}).opened;
}

}  // namespace exchange
