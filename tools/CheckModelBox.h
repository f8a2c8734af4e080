// "Check model...": the problems the model check finds, in a list; choosing
// problems selects their entities and zooms the views to them. The
// tolerance and the distance from faces can be changed and the check run again.
#pragma once

#include <string>
#include <vector>

#include "analysis/ModelCheck.h"
#include "model/Document.h"
#include "ui/Dialog.h"
#include "views/ViewSet.h"

namespace tools {

class CheckModelBox final : public ui::Dialog {
public:
    static constexpr int listId = 112;
    static constexpr int againId = 113;
    static constexpr int summaryId = 115;
    static constexpr int toleranceId = 120;
    static constexpr int nearId = 121;

    // `options` are the program's, kept from one use to the next.
    CheckModelBox(model::Document& doc, views::ViewSet& views, analysis::CheckOptions& options)
        : doc_(doc), views_(views), options_(options)
    {
    }
    const char* templateName() const override { return "CheckModelBox"; }
    void onInit(ui::DialogControls& c) override;
    void onCommand(ui::DialogControls& c, int id) override;
    void onChange(ui::DialogControls& c, int id) override;

    const analysis::CheckReport& report() const { return report_; }

    // One row per problem: its number from 1, level, kind and message.
    static std::vector<std::string> rows(const analysis::CheckReport& report);
    // "2 errors and 1 warning in 14 faces; the room is closed: 480 m3."
    static std::string summary(const analysis::CheckReport& report);

private:
    void runCheck(ui::DialogControls& c);
    // Selects the entities of the chosen problems (and nothing else) and
    // zooms every 2-D view to them.
    void choose(const std::vector<int>& problems);

    model::Document& doc_;
    views::ViewSet& views_;
    analysis::CheckOptions& options_;
    analysis::CheckReport report_;
};

// Zooms every 2-D view of the set so that the box (grown by a margin) fills it.
void zoomViewsTo(views::ViewSet& views, geometry::X3DPoint min, geometry::X3DPoint max);

// Runs the check and shows its problems; the views repaint when it closes.
void showModelCheck(model::Document& doc, views::ViewSet& views, analysis::CheckOptions& options);

}  // namespace tools
