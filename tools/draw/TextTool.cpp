// Text note: a rectangle on the ground, and the note's text.
#include "model/Document.h"
#include "model/Text.h"
#include "tools/Construction.h"
#include "tools/PointInput.h"
#include "tools/draw/DrawTools.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

class TextTool final : public Tool {
public:
    ToolId id() const override { return ToolId::TextNote; }
    std::string prompt(int) const override { return ""; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Rectangle; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2, Gesture) override
    {
        if (sameViewPoint(p1, p2)) {
            return;
        }
        double z = depthAt(ctx.doc, view, p1, 0.0);
        auto note = std::make_unique<model::Text>(view.toWorld(p1, z), view.toWorld(p2, z), "");
        if (note->editProperties(ctx.editor, false) == 0) {
            return;
        }
        Construction build(ctx);
        build.add(std::move(note));
        build.commit();
    }
};

}  // namespace

std::unique_ptr<Tool> makeTextTool()
{
    return std::make_unique<TextTool>();
}

}  // namespace tools::draw
