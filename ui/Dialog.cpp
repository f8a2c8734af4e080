// Dialog base: default buttons, modal run and placement.
#include "ui/Dialog.h"

#include "ui/Platform.h"

namespace ui {

ControlKind DialogControls::kind(int id) const
{
    const ControlTemplate* ct = dialogTemplate().control(id);
    return ct ? ct->kind : ControlKind::Static;
}

void Dialog::onCommand(DialogControls& c, int id)
{
    if (id == idOk) {
        result = 1;
        c.end(1);
    } else if (id == idCancel) {
        result = 0;
        c.end(0);
    }
}

DialogResult Dialog::runModal()
{
    int r = platform().runDialog(*this);
    return r <= 0 ? DialogResult::Cancel : r == 1 ? DialogResult::Ok : DialogResult::OkForAll;
}

PixelPoint placeDialog(int anchorX, int anchorY, int ownerWidth, int ownerHeight, int width, int height)
{
    if (anchorX < 0 || anchorY < 0) {
        return {(ownerWidth - width) / 2, (ownerHeight - height) / 2};
    }
    int x = anchorX <= ownerWidth / 2 ? anchorX + 8 : anchorX - width - 8;
    int y = anchorY <= ownerHeight / 2 ? anchorY + 8 : anchorY - height - 8;
    return {x, y};
}

}  // namespace ui
