// A QDialog built from a dialog template: each control becomes a widget
// (object name "control<ID>"), grouped in boxes as the template says; its
// signals become the dialog object's events.
#pragma once

#include <QDialog>
#include <map>

#include "ui/Dialog.h"

class QWidget;

namespace ui::qt {

class QtDialog final : public QDialog, public DialogControls {
    Q_OBJECT
public:
    QtDialog(Dialog& dialog, const DialogTemplate& t, QWidget* owner);

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
    // QDialog's own setVisible(bool) stays in reach beside the control's.
    using QDialog::setVisible;
    bool isVisible(int id) const override;
    void setTitle(const std::string& title) override;
    void end(int result) override;

    QWidget* control(int id) const;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();

    Dialog& dialog_;
    const DialogTemplate& template_;
    std::map<int, QWidget*> controls_;
    std::map<int, QWidget*> rows_;  // the label beside a control, hidden with it
    bool placed_ = false;
    bool ended_ = false;
};

}  // namespace ui::qt
