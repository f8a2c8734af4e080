// Qt back end.
#include "ui/qt/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QProgressBar>
#include <QProgressDialog>
#include <QUrl>

#include "ui/Canvas.h"
#include "ui/FileChooser.h"
#include "ui/qt/QtDrawContext.h"
#include "ui/qt/QtDialog.h"
#include "ui/qt/QtFrame.h"
#include "ui/qt/QtHelpWindow.h"

namespace ui::qt {

// The window a box or dialog belongs to: the one in front, but never the
// manual read beside the program (boxes would open over it, and tool
// dialogs far from the point in the view they ask about).
QWidget* QtPlatform::ownerWidget() const
{
    if (QWidget* w = QApplication::activeModalWidget()) {
        return w;
    }
    QWidget* active = QApplication::activeWindow();
    if (frame_ && (!active || active == help_.get())) {
        return frame_.get();
    }
    return active;
}

QtPlatform::QtPlatform() : previous_(setPlatform(this))
{
    // Views keep a picture of their own size to paint what a pan uncovers.
    installCanvases();
}

QtPlatform::~QtPlatform()
{
    cancelDialog_.reset();
    setPlatform(previous_);
}

void QtPlatform::showError(const std::string& text)
{
    QMessageBox::warning(ownerWidget(), "ERROR", QString::fromStdString(text));
}

bool QtPlatform::askConfirm(const std::string& text)
{
    return QMessageBox::question(ownerWidget(), "Confirm", QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Platform::SaveAnswer QtPlatform::askSaveChanges(const std::string& text)
{
    QApplication::beep();
    QMessageBox box(QMessageBox::Question, "Tolvane CAD", QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, ownerWidget());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveAnswer::Yes;
    case QMessageBox::No:
        return SaveAnswer::No;
    default:
        return SaveAnswer::Cancel;
    }
}

void QtPlatform::pumpEvents()
{
    // Windows repaint and the progress bar moves; clicks and keys wait, so
    // nothing new can start in the middle of a long operation.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::progressStart(std::uint64_t maximum)
{
    progressMaximum_ = maximum;
    progressShown_ = -1;
    if (frame_) {
        frame_->progressBar()->setRange(0, 1000);
        frame_->progressBar()->setValue(0);
        frame_->progressBar()->setVisible(true);
    }
}

void QtPlatform::progressSet(std::uint64_t position)
{
    if (!frame_ || progressMaximum_ == 0) {
        return;
    }
    // Per mille: a million records move the bar a thousand times, not a million.
    int permille = static_cast<int>(std::min<std::uint64_t>(1000, position * 1000 / progressMaximum_));
    if (permille != progressShown_) {
        progressShown_ = permille;
        frame_->progressBar()->setValue(permille);
        if (cancelDialog_) {
            cancelDialog_->setValue(permille);
        }
    }
}

void QtPlatform::progressEnd()
{
    cancelDialog_.reset();
    if (frame_) {
        frame_->progressBar()->setVisible(false);
    }
}

void QtPlatform::progressStartCancellable(std::uint64_t maximum)
{
    progressStart(maximum);
    // Modal over the frame: while it shows, its Cancel button is the only
    // thing the user can press.
    cancelDialog_ = std::make_unique<QProgressDialog>("Building...", "Cancel", 0, 1000, frame_.get());
    cancelDialog_->setWindowModality(Qt::WindowModal);
    cancelDialog_->setMinimumDuration(300);
    cancelDialog_->setAutoClose(false);
    cancelDialog_->setAutoReset(false);
    cancelDialog_->setValue(0);
}

bool QtPlatform::progressCancelled()
{
    if (!cancelDialog_) {
        return false;
    }
    QApplication::processEvents();
    return cancelDialog_->wasCanceled();
}

void QtPlatform::showWaitCursor(bool on)
{
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

int QtPlatform::runDialog(Dialog& dialog)
{
    const DialogTemplate* t = findTemplate(dialog.templateName());
    if (!t) {
        return dialog.result;  // a template that cannot be loaded: as Cancel
    }
    QtDialog qd(dialog, *t, ownerWidget());
    qd.exec();
    return dialog.result;
}

std::optional<std::string> QtPlatform::chooseFile(const FileRequest& request)
{
    QFileDialog d(ownerWidget());
    QStringList filters;
    for (const FileFilter& f : request.filters) {
        filters << QString::fromStdString(f.label);
    }
    d.setNameFilters(filters);
    d.setDirectory(QString::fromStdString(request.folder));
    d.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setOption(QFileDialog::ReadOnly, false);
    if (!request.defaultExtension.empty()) {
        d.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    }
    if (!request.initialName.empty() && request.initialName.find('*') == std::string::npos) {
        d.selectFile(QString::fromStdString(request.initialName));
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return d.selectedFiles().front().toStdString();
}

void QtPlatform::showStatus(const std::string&)
{
    // The coordinate bar shows the status line; it listens to it.
}

std::uint32_t QtPlatform::systemColour(SystemColour which) const
{
    QPalette p = QApplication::palette();
    QColor c = which == SystemColour::ButtonText ? p.color(QPalette::ButtonText)
               : which == SystemColour::Menu     ? p.color(QPalette::Window)
                                                 : p.color(QPalette::Button);
    return rgb(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()), static_cast<unsigned>(c.blue()));
}

bool QtPlatform::loadImage(const std::string& path, Image& out)
{
    QImage q;
    if (!q.load(QString::fromStdString(path))) {
        return false;
    }
    out = fromQImage(q);
    return true;
}

std::string QtPlatform::toolkit() const
{
    return std::string("Qt ") + qVersion();
}

bool QtPlatform::showHelp(const std::string& path)
{
    if (!help_) {
        help_ = std::make_unique<QtHelpWindow>();
    }
    return help_->showPage(path);
}

FrameHost* QtPlatform::createFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands)
{
    frame_ = std::make_unique<QtFrame>(logic, commands);
    return frame_.get();
}

int QtPlatform::run()
{
    return QApplication::exec();
}

}  // namespace ui::qt
