// Text notes.
#include "model/Text.h"

#include <algorithm>

#include "model/EntityEditor.h"
#include "model/PointPair.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"

namespace model {

Entity* Text::pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter)
{
    if (typeFilter != 0 && typeFilter != typeCode()) {
        return nullptr;
    }
    ui::PixelPoint a = view.toPixel(start);
    ui::PixelPoint b = view.toPixel(end);
    if (p.x < std::min(a.x, b.x) || p.x > std::max(a.x, b.x) || p.y < std::min(a.y, b.y) || p.y > std::max(a.y, b.y)) {
        return nullptr;
    }
    return pointPair::toggle(*this);
}

bool Text::isEqual(const Entity& other) const
{
    return other.typeCode() == typeCode() && start == static_cast<const Text&>(other).start;
}

void Text::write(textio::TextWriter& out) const
{
    writePoints(out);
    out.put(" \"");
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;  // CR LF makes one blank
        }
        out.put(c == '\n' || c == '\r' ? ' ' : c);
    }
    out.put('"');
}

bool Text::read(textio::TokenReader& in)
{
    if (!Segment::read(in)) {
        return false;
    }
    // The whole rest of the line: a long note cut short would leave its tail
    // to be read as records.
    std::string_view line;
    if (!in.readLine(line)) {
        text.clear();
        return true;
    }
    std::size_t first = line.find('"');
    if (first == std::string_view::npos) {
        text.clear();
        return true;
    }
    std::size_t last = line.rfind('"');
    if (last == first) {
        text.assign(line.substr(first + 1));
    } else {
        text.assign(line.substr(first + 1, last - first - 1));
    }
    return true;
}

std::unique_ptr<Entity> Text::clone() const
{
    return std::make_unique<Text>(start, end, text);
}

int Text::editProperties(EntityEditor& editor, bool)
{
    return editor.editNotes("Notes", text);
}

}  // namespace model
