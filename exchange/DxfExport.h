// "DXF out": faces, holes, receivers and sources as a DXF drawing with one
// ENTITIES section, for other CAD programs.
#pragma once

namespace model {
class Entity;
class EntityList;
}  // namespace model
namespace textio {
class TextWriter;
}

namespace exchange {

// The section framing around every top-level entity of the model, CR LF line
// ends, 12 significant digits. A face's layer is its material's name when
// materialNames is set, else its material number.
void exportDxf(textio::TextWriter& out, const model::EntityList& model, bool materialNames);
// One entity: faces and doors as 3DFACEs, holes as POLYLINEs on HOLES,
// receivers as LINEs on RECEIVERS, sources as ATTDEFs on SOURCES, lists as
// their children; anything else writes nothing.
void exportEntityDxf(textio::TextWriter& out, const model::Entity& entity, bool materialNames);

}  // namespace exchange
