// A pop-up menu's entries, as a window shows it at the pointer.
#pragma once

#include <string>
#include <vector>

namespace ui {

struct PopupItem {
    std::string text;  // empty for a separator
    bool checked = false;

    bool separator() const { return text.empty(); }
};

using PopupMenu = std::vector<PopupItem>;

}  // namespace ui
