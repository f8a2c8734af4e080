// A sound source: position, aim point, roll about the aim and a directivity file.
#pragma once

#include <string>

#include "model/Receiver.h"

namespace model {

class Source : public Receiver {
public:
    double roll = 0.0;  // degrees
    std::string directivity = "omni.spk";

    Source() = default;
    Source(const X3DPoint& p, const X3DPoint& t, double rollDegrees, std::string file);

    // Same place, same aim, exactly the same roll and the same file (ignoring case).
    bool isEqual(const Entity& other) const override;
    int typeCode() const override { return type::Source; }
    const char* className() const override { return "Source"; }

    // The file name is one token of the record: blanks in it go out as
    // underscores, and an empty name as the default file.
    void write(textio::TextWriter& out) const override;
    bool read(textio::TokenReader& in) override;

    std::unique_ptr<Entity> clone() const override;
    int editProperties(EntityEditor& editor, bool moreFollow) override;

    // Keeps the name within 255 characters and never empty.
    void setDirectivity(std::string_view file);
};

}  // namespace model
