// A text note placed in the drawing; its two points span the note's rectangle.
#pragma once

#include <string>

#include "model/Segment.h"

namespace model {

class Text : public Segment {
public:
    std::string text;

    Text() = default;
    Text(const X3DPoint& s, const X3DPoint& e, std::string t) : Segment(s, e), text(std::move(t)) {}

    // Notes at the same place are the same note.
    bool isEqual(const Entity& other) const override;
    int typeCode() const override { return type::Text; }
    const char* className() const override { return "Text"; }

    // The record is one line, so line breaks in the text go out as blanks;
    // double quotes inside need nothing, as the reader takes the text up to
    // the last quote of the line.
    void write(textio::TextWriter& out) const override;
    bool read(textio::TokenReader& in) override;

    std::unique_ptr<Entity> clone() const override;
    // Picked anywhere inside the rectangle of its two points.
    Entity* pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter) override;
    int editProperties(EntityEditor& editor, bool moreFollow) override;
};

}  // namespace model
