// OBJ and MTL output.
#include "exchange/ObjExport.h"

#include <map>
#include <vector>

#include "materials/MaterialList.h"
#include "model/EntityList.h"
#include "model/Face.h"
#include "model/Source.h"
#include "textio/TextWriter.h"

namespace exchange {

namespace {

struct Gathered {
    // Faces by material number, in model order within each.
    std::map<std::uint32_t, std::vector<const model::Face*>> faces;
    std::vector<const model::Face*> openings;
    std::vector<const model::Receiver*> listeners;  // receivers and sources
};

void gather(const model::EntityList& list, Gathered& g)
{
    for (const auto& child : list.children()) {
        const model::Entity& e = *child;
        int type = e.typeCode();
        if (type == model::type::Face) {
            const auto& f = static_cast<const model::Face&>(e);
            if (f.vertices.size() >= 3) {
                g.faces[f.material.number].push_back(&f);
            }
        } else if (type == model::type::Door || type == model::type::Hole) {
            const auto& f = static_cast<const model::Face&>(e);
            if (f.vertices.size() >= 3) {
                g.openings.push_back(&f);
            }
        } else if (type == model::type::Receiver || type == model::type::Source) {
            g.listeners.push_back(static_cast<const model::Receiver*>(&e));
        } else if (const auto* inner = dynamic_cast<const model::EntityList*>(&e)) {
            gather(*inner, g);
        }
    }
}

void point(textio::TextWriter& out, const geometry::X3DPoint& p)
{
    out.putReal(p.x);
    out.put(' ');
    out.putReal(p.y);
    out.put(' ');
    out.putReal(p.z);
}

void faces(textio::TextWriter& out, const std::vector<const model::Face*>& list, long long& written)
{
    for (const model::Face* f : list) {
        for (const geometry::X3DPoint& p : f->vertices) {
            out.put("v ");
            point(out, p);
            out.put('\n');
        }
        out.put('f');
        auto n = static_cast<long long>(f->vertices.size());
        for (long long i = 0; i < n; ++i) {
            out.put(' ');
            out.putInt(written + i + 1);
        }
        out.put('\n');
        written += n;
    }
}

const std::string& nameOf(std::uint32_t number)
{
    return materials::materialList().at(number).name;
}

}  // namespace

void exportObj(textio::TextWriter& out, const model::EntityList& model, const std::string& mtlFile)
{
    Gathered g;
    gather(model, g);
    out.setPrecision(12);
    out.put("# Tolvane CAD acoustic model\n");
    out.put("mtllib ");
    out.put(mtlFile);
    out.put('\n');
    for (const model::Receiver* r : g.listeners) {
        bool source = r->typeCode() == model::type::Source;
        out.put(source ? "# Source " : "# Receiver ");
        out.putInt(r->number);
        out.put(" at ");
        point(out, r->position);
        out.put(" aiming at ");
        point(out, r->target);
        if (source) {
            const auto* s = static_cast<const model::Source*>(r);
            out.put(" roll ");
            out.putReal(s->roll);
            out.put(' ');
            out.put(s->directivity);
        }
        out.put('\n');
    }
    long long written = 0;
    for (const auto& [number, list] : g.faces) {
        out.put("g material");
        out.putInt(number);
        out.put("\nusemtl ");
        out.put(nameOf(number));
        out.put('\n');
        faces(out, list, written);
    }
    if (!g.openings.empty()) {
        out.put("g openings\n");
        std::uint32_t current = UINT32_MAX;
        for (const model::Face* f : g.openings) {
            if (f->material.number != current) {
                current = f->material.number;
                out.put("usemtl ");
                out.put(nameOf(current));
                out.put('\n');
            }
            faces(out, {f}, written);
        }
    }
}

void exportMtl(textio::TextWriter& out, const model::EntityList& model)
{
    Gathered g;
    gather(model, g);
    std::map<std::string, std::uint32_t> used;
    for (const auto& entry : g.faces) {
        used.emplace(nameOf(entry.first), entry.first);
    }
    for (const model::Face* f : g.openings) {
        used.emplace(nameOf(f->material.number), f->material.number);
    }
    out.setPrecision(4);
    out.put("# Tolvane CAD materials\n");
    for (const auto& [name, number] : used) {
        ui::Colour c = materials::materialList().at(number).colour;
        out.put("newmtl ");
        out.put(name);
        out.put("\nKd ");
        out.putReal(static_cast<double>(c & 0xFF) / 255.0);
        out.put(' ');
        out.putReal(static_cast<double>((c >> 8) & 0xFF) / 255.0);
        out.put(' ');
        out.putReal(static_cast<double>((c >> 16) & 0xFF) / 255.0);
        out.put("\nKa 0 0 0\nd 1\nillum 1\n\n");
    }
}

}  // namespace exchange
