// Sources.
#include "model/Source.h"

#include "model/EntityEditor.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"

namespace model {

Source::Source(const X3DPoint& p, const X3DPoint& t, double rollDegrees, std::string file)
    : Receiver(p, t), roll(rollDegrees)
{
    setDirectivity(file);
}

void Source::setDirectivity(std::string_view file)
{
    directivity.assign(file.substr(0, 255));
    if (directivity.empty()) {
        directivity = "omni.spk";
    }
}

bool Source::isEqual(const Entity& other) const
{
    if (other.typeCode() != typeCode()) {
        return false;
    }
    const auto& o = static_cast<const Source&>(other);
    return position == o.position && target == o.target && roll == o.roll &&
           equalIgnoringCase(directivity, o.directivity);
}

void Source::write(textio::TextWriter& out) const
{
    writePoints(out);
    out.put(' ');
    out.putReal(roll);
    out.put(' ');
    if (directivity.empty()) {
        out.put("omni.spk");
        return;
    }
    for (char c : directivity) {
        out.put(textio::isBlank(c) ? '_' : c);
    }
}

bool Source::read(textio::TokenReader& in)
{
    if (!Receiver::read(in) || !in.readReal(roll)) {
        return false;
    }
    if (!isSaneCoordinate(roll)) {
        in.setFailed();
        return false;
    }
    std::string_view file = in.token();
    if (file.empty()) {
        in.setFailed();
        return false;
    }
    setDirectivity(file);
    return true;
}

std::unique_ptr<Entity> Source::clone() const
{
    auto copy = std::make_unique<Source>(position, target, roll, directivity);
    copy->number = number;
    return copy;
}

int Source::editProperties(EntityEditor& editor, bool)
{
    return editor.sourceParameters(*this);
}

}  // namespace model
