// Entity dialogs.
#include "app/DialogEditor.h"

#include "app/MaterialDialogs.h"
#include "app/SourceDialog.h"
#include "ui/GetValueBox.h"

namespace app {

int DialogEditor::chooseMaterial(materials::Material& material, bool offerSameForAll)
{
    return app::chooseMaterial(material, offerSameForAll, lastChosenMaterial);
}

int DialogEditor::faceProperties(model::Face& face)
{
    FaceBox box(face, lastChosenMaterial);
    return box.runModal() == ui::DialogResult::Cancel ? 0 : 1;
}

int DialogEditor::sourceParameters(model::Source& source)
{
    return editSource(source);
}

int DialogEditor::editNotes(const std::string& title, std::string& text)
{
    // No length limit: notes are kept whole.
    return ui::editText(text, title, 0) ? 1 : 0;
}

}  // namespace app
