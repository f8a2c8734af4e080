// A named block of free text: the project notes.
#pragma once

#include <string>

#include "model/Entity.h"

namespace model {

class Info : public Entity {
public:
    std::string name = "Notes";  // at most 31 characters

    Info() = default;
    explicit Info(std::string_view n);

    // Lines each ending with a line feed.
    const std::string& text() const { return text_; }
    // Takes any line ends (LF, CR LF, CR) and stores lines ending with LF.
    void setText(std::string_view t);
    // Whether the text has ever been given (a fresh Info has none, is not
    // valid and is not written).
    bool hasText() const { return hasBuffer_; }

    bool isEqual(const Entity&) const override { return false; }
    int typeCode() const override { return type::Info; }
    const char* className() const override { return "Info"; }

    // "Info", the name, a quote; the lines; an empty line and a closing quote.
    // Empty lines go out as one blank and lines starting with a quote get a
    // blank in front, so neither is lost nor ends the block early.
    void write(textio::TextWriter& out) const override;
    bool read(textio::TokenReader& in) override;

    bool extendBounds(X3DPoint&, X3DPoint&) const override { return false; }
    bool snapToVertex(const ViewMapping&, const ViewPoint&, X3DPoint&, double&) const override { return false; }
    Entity* pickToggle(const ViewMapping&, ui::PixelPoint, int) override { return nullptr; }
    bool selectInside(const Region&) override { return false; }
    void mirrorThroughPoint(const X3DPoint&) override {}
    void mirrorAcrossPlane(const X3DPlane&) override {}
    void translate(const X3DVector&) override {}
    void scale(double) override {}
    void rotate(const X3DLine&, const X3DAngle&) override {}

    // Notes are never copied: clone answers null.
    bool isValid() const override { return hasBuffer_; }
    int editProperties(EntityEditor& editor, bool moreFollow) override;

private:
    std::string text_;
    bool hasBuffer_ = false;
};

}  // namespace model
