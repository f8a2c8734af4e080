// Modal dialogs: a template from the catalogue plus a behaviour class that
// reacts to the dialog's events and reads and writes its controls by ID.
// Back ends build the dialog and hand the events to the behaviour.
#pragma once

#include <string>
#include <vector>

#include "ui/DialogTemplates.h"
#include "ui/PixelRect.h"

namespace ui {

struct Image;

// A dialog's controls, as the back end holds them.
class DialogControls {
public:
    virtual ~DialogControls() = default;

    virtual const DialogTemplate& dialogTemplate() const = 0;

    virtual std::string text(int id) const = 0;
    virtual void setText(int id, const std::string& text) = 0;
    virtual bool isChecked(int id) const = 0;
    virtual void setChecked(int id, bool on) = 0;
    // Entries of combo boxes and lists.
    virtual void setItems(int id, const std::vector<std::string>& items) = 0;
    virtual std::vector<std::string> items(int id) const = 0;
    virtual int currentIndex(int id) const = 0;  // -1: none
    virtual void setCurrentIndex(int id, int index) = 0;
    // The chosen rows of a multiple-selection list.
    virtual std::vector<int> selectedIndices(int id) const = 0;
    // A picture control shows the image (drawn on a canvas by the dialog).
    virtual void setPicture(int id, const Image& image) = 0;
    virtual void setVisible(int id, bool visible) = 0;
    virtual bool isVisible(int id) const = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Closes the dialog; runModal answers the dialog's result.
    virtual void end(int result) = 0;

    // The kind of control id, from the template (Static when unknown).
    ControlKind kind(int id) const;
};

// How a modal dialog ended: Cancel (or the close box), OK, or OK with the
// choice to be used for every item that follows.
enum class DialogResult : int {
    Cancel = 0,
    Ok = 1,
    OkForAll = 2,
};

class Dialog {
public:
    virtual ~Dialog() = default;

    // The class name, which names the template (ignoring case).
    virtual const char* templateName() const = 0;

    // Events, as the back end delivers them.
    virtual void onInit(DialogControls&) {}
    // A button. OK ends with result 1, Cancel with result 0, unless a
    // dialog says otherwise.
    virtual void onCommand(DialogControls& c, int id);
    // An edit field's text, a box's check or a list's choice changed.
    virtual void onChange(DialogControls&, int id) {}
    // An edit field lost the focus.
    virtual void onFocusLost(DialogControls&, int id) {}

    // Shows the dialog modally; answers how it ended (from `result`).
    DialogResult runModal();

    int result = 0;
    // A point in the owner's client area to open beside; -1 for centred.
    int anchorX = -1;
    int anchorY = -1;
    // Set while the dialog writes its own fields, so that the change events
    // this causes are not taken for the user's typing.
    bool updating = false;
};

// Where a dialog of the given size opens in its owner's client area: beside
// the anchor on the side with more room, or centred without an anchor.
PixelPoint placeDialog(int anchorX, int anchorY, int ownerWidth, int ownerHeight, int width, int height);

}  // namespace ui
