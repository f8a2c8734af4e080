// The model check dialog.
#include "tools/CheckModelBox.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "analysis/ModelGeometry.h"
#include "materials/MaterialList.h"
#include "textio/RealFormat.h"
#include "ui/Platform.h"

namespace tools {

namespace {

// Problems beyond these rows are counted in the summary but not listed:
// a list of a million rows helps nobody and costs the dialog seconds.
constexpr std::size_t listedProblems = 5000;

std::string formatted(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

}  // namespace

std::vector<std::string> CheckModelBox::rows(const analysis::CheckReport& report)
{
    std::vector<std::string> out;
    std::size_t n = std::min(report.problems.size(), listedProblems);
    for (std::size_t i = 0; i < n; ++i) {
        const analysis::Problem& p = report.problems[i];
        char head[64];
        std::snprintf(head, sizeof head, "%4zu  %-7s  %-16s  ", i + 1, p.levelName(), analysis::kindName(p.kind));
        out.push_back(head + p.message);
    }
    return out;
}

std::string CheckModelBox::summary(const analysis::CheckReport& report)
{
    int errors = report.errors();
    int warnings = report.warnings();
    std::string s;
    if (report.problems.empty()) {
        s = "No problems";
    } else {
        s = std::to_string(errors) + (errors == 1 ? " error and " : " errors and ") + std::to_string(warnings) +
            (warnings == 1 ? " warning" : " warnings");
    }
    s += " in " + std::to_string(report.faces) + (report.faces == 1 ? " face" : " faces");
    if (report.faces == 0) {
        s += "; no room to measure.";
    } else if (report.volume) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.2f", *report.volume);
        s += std::string("; the room is closed: ") + buf + " m3.";
    } else {
        s += "; the room is not closed.";
    }
    if (report.problems.size() > listedProblems) {
        s += " The first " + std::to_string(listedProblems) + " problems are listed.";
    }
    return s;
}

void CheckModelBox::runCheck(ui::DialogControls& c)
{
    ui::WaitCursor wait;
    report_ = analysis::checkModel(doc_, materials::materialList(), options_);
    c.setItems(listId, rows(report_));
    c.setText(summaryId, summary(report_));
}

void CheckModelBox::onInit(ui::DialogControls& c)
{
    c.setText(toleranceId, formatted(options_.tolerance));
    c.setText(nearId, formatted(options_.nearDistance));
    runCheck(c);
}

void CheckModelBox::onCommand(ui::DialogControls& c, int id)
{
    if (id != againId) {
        Dialog::onCommand(c, id);
        return;
    }
    analysis::CheckOptions wanted = options_;
    std::string message;
    if (!textio::parseReal(c.text(toleranceId), wanted.tolerance) ||
        !textio::parseReal(c.text(nearId), wanted.nearDistance) || !analysis::validOptions(wanted, message)) {
        ui::errorBox("Can't check with these values: %s",
                     message.empty() ? "the tolerance and the distance are numbers in metres" : message.c_str());
        return;
    }
    options_ = wanted;
    runCheck(c);
}

void CheckModelBox::onChange(ui::DialogControls& c, int id)
{
    if (id != listId) {
        return;
    }
    std::vector<std::string> shown = c.items(listId);
    std::vector<int> chosen;
    for (int row : c.selectedIndices(listId)) {
        if (row >= 0 && row < static_cast<int>(shown.size())) {
            long number = std::strtol(shown[row].c_str(), nullptr, 10);
            if (number >= 1 && number <= static_cast<long>(report_.problems.size())) {
                chosen.push_back(static_cast<int>(number - 1));
            }
        }
    }
    choose(chosen);
}

void CheckModelBox::choose(const std::vector<int>& problems)
{
    std::vector<model::Entity*> entities = analysis::entitiesInFileOrder(doc_);
    doc_.setSelected(false);
    analysis::Box box;
    for (int i : problems) {
        const analysis::Problem& p = report_.problems[i];
        box.extend(p.at);
        for (long index : p.entities) {
            if (index < 0 || index >= static_cast<long>(entities.size())) {
                continue;
            }
            model::Entity* e = entities[index];
            e->setSelected(true);
            geometry::X3DPoint min(1e9, 1e9, 1e9);
            geometry::X3DPoint max(-1e9, -1e9, -1e9);
            if (e->extendBounds(min, max)) {
                box.extend(min);
                box.extend(max);
            }
        }
    }
    if (!box.empty()) {
        zoomViewsTo(views_, box.min, box.max);
    }
    views_.repaintAll();
}

void zoomViewsTo(views::ViewSet& views, geometry::X3DPoint min, geometry::X3DPoint max)
{
    // Some room around what is shown, and never less than a metre across,
    // so that a single point or a short edge is seen in its surroundings.
    for (double* lo : {&min.x, &min.y, &min.z}) {
        double* hi = lo == &min.x ? &max.x : lo == &min.y ? &max.y : &max.z;
        double margin = std::max(0.5, (*hi - *lo) * 0.15);
        *lo -= margin;
        *hi += margin;
    }
    for (const auto& view : views.all()) {
        if (view->is(views::viewId::View3D)) {
            continue;
        }
        model::ViewPoint lo{1e300, 1e300};
        model::ViewPoint hi{-1e300, -1e300};
        for (int k = 0; k < 8; ++k) {
            geometry::X3DPoint corner(k & 1 ? max.x : min.x, k & 2 ? max.y : min.y, k & 4 ? max.z : min.z);
            model::ViewPoint q = view->projection().toView(corner);
            lo = {std::min(lo.u, q.u), std::min(lo.v, q.v)};
            hi = {std::max(hi.u, q.u), std::max(hi.v, q.v)};
        }
        view->zoomToRect(lo, hi);
    }
}

void showModelCheck(model::Document& doc, views::ViewSet& views, analysis::CheckOptions& options)
{
    CheckModelBox box(doc, views, options);
    box.runModal();
    views.repaintAll();
}

}  // namespace tools
