// DXF export.
#include "exchange/DxfExport.h"

#include <string_view>

#include "materials/MaterialList.h"
#include "model/EntityList.h"
#include "model/Face.h"
#include "model/Source.h"
#include "textio/TextWriter.h"

namespace exchange {

namespace {

using geometry::X3DPoint;

void line(textio::TextWriter& out, std::string_view text)
{
    out.put(text);
    out.put("\r\n");
}

void group(textio::TextWriter& out, int code, std::string_view value)
{
    out.putInt(code);
    out.put("\r\n");
    line(out, value);
}

void group(textio::TextWriter& out, int code, double value)
{
    out.putInt(code);
    out.put("\r\n");
    out.putReal(value);
    out.put("\r\n");
}

// Groups base+0, base+10, base+20 for x, y and z (10/20/30 for the first
// point, 11/21/31 for the second, and so on).
void point(textio::TextWriter& out, int base, const X3DPoint& p)
{
    group(out, base, p.x);
    group(out, base + 10, p.y);
    group(out, base + 20, p.z);
}

// The layer of a face: its material's name or number, and its flags in group
// 62 when it has any.
void materialLayer(textio::TextWriter& out, const materials::Material& m, bool materialNames)
{
    out.put("8\r\n");
    if (materialNames) {
        line(out, materials::materialList().at(m.number).name);
    } else {
        out.putInt(m.number);
        out.put("\r\n");
    }
    if (m.flags() != 0) {
        out.put("62\r\n");
        out.putInt(m.flags());
        out.put("\r\n");
    }
}

// A fan of quadrilaterals from the first vertex: (P0, Pk, Pk+1, Pk+2) for
// k = 1, 3, 5, ..., indices modulo n; an odd count ends with the fourth edge
// marked invisible.
void faceDxf(textio::TextWriter& out, const model::Face& face, bool materialNames)
{
    std::size_t n = face.vertices.size();
    if (n < 3) {
        return;
    }
    for (std::size_t k = 1; k < n - 1; k += 2) {
        line(out, "0");
        line(out, "3DFACE");
        materialLayer(out, face.material, materialNames);
        const std::size_t corner[4] = {0, k, (k + 1) % n, (k + 2) % n};
        for (int c = 0; c < 4; ++c) {
            point(out, 10 + c, face.vertices[corner[c]]);
        }
    }
    if (n % 2 == 1) {
        group(out, 70, "8");
    }
}

void holeDxf(textio::TextWriter& out, const model::Face& hole)
{
    std::size_t n = hole.vertices.size();
    if (n < 3) {
        return;
    }
    for (const char* text :
         {"0", "POLYLINE", "8", "HOLES", "66", "1", "10", "0.0", "20", "0.0", "30", "0.0", "70", "8"}) {
        line(out, text);
    }
    for (std::size_t i = 0; i <= n; ++i) {
        for (const char* text : {"0", "VERTEX", "8", "HOLES", "70", "32"}) {
            line(out, text);
        }
        point(out, 10, hole.vertices[i % n]);
    }
    line(out, "0");
    line(out, "SEQEND");
}

void receiverDxf(textio::TextWriter& out, const model::Receiver& r)
{
    for (const char* text : {"0", "LINE", "8", "RECEIVERS"}) {
        line(out, text);
    }
    point(out, 10, r.position);
    point(out, 11, r.target);
}

void sourceDxf(textio::TextWriter& out, const model::Source& s)
{
    for (const char* text : {"0", "ATTDEF", "8", "SOURCES"}) {
        line(out, text);
    }
    group(out, 1, s.directivity);
    group(out, 2, "Source" + std::to_string(s.number));
    group(out, 3, "Source name");
    point(out, 10, s.position);
    point(out, 11, s.target);
    group(out, 51, s.roll);
    group(out, 40, "0.5");
    group(out, 70, "0");
    group(out, 72, "5");
}

}  // namespace

void exportEntityDxf(textio::TextWriter& out, const model::Entity& e, bool materialNames)
{
    switch (e.typeCode()) {
    case model::type::Face:
    case model::type::Door:
        faceDxf(out, static_cast<const model::Face&>(e), materialNames);
        break;
    case model::type::Hole:
        holeDxf(out, static_cast<const model::Face&>(e));
        break;
    case model::type::Receiver:
        receiverDxf(out, static_cast<const model::Receiver&>(e));
        break;
    case model::type::Source:
        sourceDxf(out, static_cast<const model::Source&>(e));
        break;
    case model::type::Wall:
    case model::type::EntityList:
        for (const auto& child : static_cast<const model::EntityList&>(e).children()) {
            exportEntityDxf(out, *child, materialNames);
        }
        break;
    default:
        break;
    }
}

void exportDxf(textio::TextWriter& out, const model::EntityList& model, bool materialNames)
{
    out.setPrecision(12);
    for (const char* text : {"0", "SECTION", "2", "ENTITIES"}) {
        line(out, text);
    }
    for (const auto& child : model.children()) {
        exportEntityDxf(out, *child, materialNames);
    }
    for (const char* text : {"0", "ENDSEC", "0", "EOF"}) {
        line(out, text);
    }
}

}  // namespace exchange
