// A dialog's controls kept in memory, and the scripted user that fills them
// in and presses OK or Cancel.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/Canvas.h"
#include "ui/Dialog.h"

namespace ui::headless {

// The answer queued for the next dialog: values to enter, then OK or Cancel.
struct DialogAnswer {
    std::string templateName;
    // Control ID and value: a number or text for fields, 0/1 for boxes and
    // radio buttons, an entry's text for combo boxes and lists, "click" for
    // other buttons.
    std::vector<std::pair<int, std::string>> values;
    bool ok = true;
    // What controls must show when the dialog opens, before any value is
    // entered: the text of a field, 0/1 for boxes and radio buttons.
    std::vector<std::pair<int, std::string>> shown{};
};

// A check of what a control shows when the next dialog of its template
// opens (for lists, the text of the selected row).
struct DialogExpectation {
    std::string templateName;
    int id = 0;
    std::string text;
};

class HeadlessControls final : public DialogControls {
public:
    explicit HeadlessControls(const DialogTemplate& t);

    const DialogTemplate& dialogTemplate() const override { return template_; }
    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    bool isChecked(int id) const override;
    void setChecked(int id, bool on) override;
    void setItems(int id, const std::vector<std::string>& items) override;
    std::vector<std::string> items(int id) const override;
    int currentIndex(int id) const override;
    void setCurrentIndex(int id, int index) override;
    std::vector<int> selectedIndices(int id) const override;
    void setPicture(int id, const Image& image) override;
    void setVisible(int id, bool visible) override;
    bool isVisible(int id) const override;
    // What a picture control shows (empty when nothing was set).
    Image picture(int id) const;
    void setTitle(const std::string& t) override { title = t; }
    void end(int result) override;
    // The chosen rows of a multiple-selection list.
    void setChosen(int id, std::vector<int> rows);

    std::string title;
    bool ended = false;
    int endResult = 0;
    // Controls the dialog asked for that its template does not have: the
    // code and the catalogue disagree.
    mutable std::vector<std::string> problems;

private:
    struct State {
        std::string text;
        bool checked = false;
        std::vector<std::string> items;
        int current = -1;
        std::vector<int> chosen;  // rows of a multiple-selection list
        bool visible = true;
        Image picture;
    };
    State& state(int id);
    const State* find(int id) const;
    void check(int id) const;

    const DialogTemplate& template_;
    std::map<int, State> controls_;
};

// Runs a dialog as a user following the answer would: the dialog
// initialises, each value is entered (with the events typing, clicking or
// choosing causes), then OK or Cancel is pressed. Answers an error text when
// the answer does not fit the dialog, or empty.
std::string playDialog(Dialog& dialog, const DialogTemplate& t, const DialogAnswer& answer, HeadlessControls& controls);

}  // namespace ui::headless
