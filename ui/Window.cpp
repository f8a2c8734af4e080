// What a window's back end does when it has no way of its own: pop-up
// menus go through the platform.
#include "ui/Window.h"

#include "ui/Platform.h"

namespace ui {

int NativeWindow::popupMenu(const PopupMenu& menu, int, int)
{
    return platform().popupMenu(menu);
}

}  // namespace ui
