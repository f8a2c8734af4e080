// In-memory dialogs.
#include "ui/headless/HeadlessDialog.h"

#include <algorithm>

namespace ui::headless {

HeadlessControls::HeadlessControls(const DialogTemplate& t) : title(t.title), template_(t)
{
    for (const ControlTemplate& c : t.controls) {
        if (c.id >= 0) {
            State& s = controls_[c.id];
            if (c.kind == ControlKind::Static || c.kind == ControlKind::PushButton || c.kind == ControlKind::CheckBox ||
                c.kind == ControlKind::RadioButton) {
                s.text = c.text;
            }
        }
    }
}

void HeadlessControls::check(int id) const
{
    if (!template_.control(id)) {
        problems.push_back("dialog " + template_.name + " has no control " + std::to_string(id));
    }
}

HeadlessControls::State& HeadlessControls::state(int id)
{
    check(id);
    return controls_[id];
}

const HeadlessControls::State* HeadlessControls::find(int id) const
{
    check(id);
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
}

std::string HeadlessControls::text(int id) const
{
    const State* s = find(id);
    return s ? s->text : std::string();
}

void HeadlessControls::setText(int id, const std::string& t)
{
    state(id).text = t;
}

bool HeadlessControls::isChecked(int id) const
{
    const State* s = find(id);
    return s && s->checked;
}

void HeadlessControls::setChecked(int id, bool on)
{
    state(id).checked = on;
}

void HeadlessControls::setItems(int id, const std::vector<std::string>& items)
{
    State& s = state(id);
    s.items = items;
    s.current = -1;
    s.chosen.clear();
}

std::vector<std::string> HeadlessControls::items(int id) const
{
    const State* s = find(id);
    return s ? s->items : std::vector<std::string>();
}

int HeadlessControls::currentIndex(int id) const
{
    const State* s = find(id);
    return s ? s->current : -1;
}

void HeadlessControls::setCurrentIndex(int id, int index)
{
    State& s = state(id);
    s.current = (index >= 0 && index < static_cast<int>(s.items.size())) ? index : -1;
}

std::vector<int> HeadlessControls::selectedIndices(int id) const
{
    const State* s = find(id);
    if (!s) {
        return {};
    }
    if (kind(id) == ControlKind::MultiListBox) {
        return s->chosen;
    }
    if (s->current < 0) {
        return {};
    }
    return {s->current};
}

void HeadlessControls::setChosen(int id, std::vector<int> rows)
{
    state(id).chosen = std::move(rows);
}

void HeadlessControls::setPicture(int id, const Image& image)
{
    state(id).picture = image;
}

Image HeadlessControls::picture(int id) const
{
    const State* s = find(id);
    return s ? s->picture : Image();
}

void HeadlessControls::setVisible(int id, bool visible)
{
    state(id).visible = visible;
}

bool HeadlessControls::isVisible(int id) const
{
    const State* s = find(id);
    return !s || s->visible;
}

void HeadlessControls::end(int result)
{
    if (!ended) {
        ended = true;
        endResult = result;
    }
}

std::string playDialog(Dialog& dialog, const DialogTemplate& t, const DialogAnswer& answer, HeadlessControls& c)
{
    dialog.onInit(c);
    for (const auto& [id, wanted] : answer.shown) {
        const ControlTemplate* ct = t.control(id);
        if (!ct) {
            return "dialog " + t.name + " has no control " + std::to_string(id);
        }
        bool box = ct->kind == ControlKind::CheckBox || ct->kind == ControlKind::RadioButton;
        bool list = ct->kind == ControlKind::ComboBox || ct->kind == ControlKind::ListBox ||
                    ct->kind == ControlKind::MultiListBox;
        std::string actual = box ? (c.isChecked(id) ? "1" : "0") : c.text(id);
        if (list) {
            std::vector<std::string> rows = c.items(id);
            int row = c.currentIndex(id);
            actual = row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)]
                                                                     : std::string();
        }
        if (actual != wanted) {
            c.end(0);
            dialog.result = 0;
            return "control " + std::to_string(id) + " of dialog " + t.name + " shows \"" + actual + "\", expected \"" +
                   wanted + "\"";
        }
    }
    for (const auto& [id, value] : answer.values) {
        if (c.ended) {
            break;
        }
        const ControlTemplate* ct = t.control(id);
        if (!ct) {
            return "dialog " + t.name + " has no control " + std::to_string(id);
        }
        if (!c.isVisible(id)) {
            return "control " + std::to_string(id) + " of dialog " + t.name + " is hidden";
        }
        switch (ct->kind) {
        case ControlKind::Edit:
        case ControlKind::MultiLineEdit:
            c.setText(id, value);
            dialog.onChange(c, id);
            dialog.onFocusLost(c, id);
            break;
        case ControlKind::CheckBox: {
            bool on = value != "0";
            if (c.isChecked(id) != on) {
                // A click toggles the box, then tells the dialog.
                c.setChecked(id, on);
                dialog.onCommand(c, id);
            }
            break;
        }
        case ControlKind::RadioButton:
            if (value != "0" && !c.isChecked(id)) {
                for (const ControlTemplate& other : t.controls) {
                    if (other.kind == ControlKind::RadioButton && other.group == ct->group) {
                        c.setChecked(other.id, false);
                    }
                }
                c.setChecked(id, true);
                dialog.onCommand(c, id);
            }
            break;
        case ControlKind::MultiListBox: {
            // The rows chosen, by their text or their leading word, separated
            // by '|'; an empty value chooses none.
            std::vector<std::string> entries = c.items(id);
            std::vector<int> rows;
            std::size_t from = 0;
            while (!value.empty() && from <= value.size()) {
                std::size_t bar = value.find('|', from);
                std::string wanted = value.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
                int row = -1;
                for (std::size_t k = 0; k < entries.size() && row < 0; ++k) {
                    std::size_t b = entries[k].find_first_not_of(' ');
                    std::string first = b == std::string::npos ? "" : entries[k].substr(b, entries[k].find(' ', b) - b);
                    if (entries[k] == wanted || first == wanted) {
                        row = static_cast<int>(k);
                    }
                }
                if (row < 0) {
                    return "control " + std::to_string(id) + " of dialog " + t.name + " has no entry \"" + wanted +
                           "\"";
                }
                rows.push_back(row);
                if (bar == std::string::npos) {
                    break;
                }
                from = bar + 1;
            }
            c.setChosen(id, rows);
            dialog.onChange(c, id);
            break;
        }
        case ControlKind::ComboBox:
        case ControlKind::ListBox: {
            std::vector<std::string> entries = c.items(id);
            auto it = std::find(entries.begin(), entries.end(), value);
            if (it == entries.end()) {
                return "control " + std::to_string(id) + " of dialog " + t.name + " has no entry \"" + value + "\"";
            }
            c.setCurrentIndex(id, static_cast<int>(it - entries.begin()));
            dialog.onChange(c, id);
            break;
        }
        case ControlKind::PushButton:
            dialog.onCommand(c, id);
            break;
        default:
            return "control " + std::to_string(id) + " of dialog " + t.name + " takes no value";
        }
    }
    if (!c.ended) {
        dialog.onCommand(c, answer.ok ? idOk : idCancel);
    }
    if (!c.ended) {
        c.end(0);
        return "dialog " + t.name + " did not close";
    }
    return {};
}

}  // namespace ui::headless
