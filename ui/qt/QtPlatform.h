// The Qt back end of the platform layer: message boxes, modal dialogs built
// from the templates, file dialogs, the progress bar and wait cursor, the
// main frame and the event loop. Needs a QApplication.
#pragma once

#include <memory>

#include "ui/Platform.h"

class QProgressDialog;
class QWidget;

namespace ui::qt {

class QtFrame;
class QtHelpWindow;

class QtPlatform final : public Platform {
public:
    // Installs itself as the current back end for its lifetime.
    QtPlatform();
    ~QtPlatform() override;

    void showError(const std::string& text) override;
    bool askConfirm(const std::string& text) override;
    void pumpEvents() override;
    void progressStart(std::uint64_t maximum) override;
    void progressSet(std::uint64_t position) override;
    void progressEnd() override;
    // A progress dialog with Cancel over the frame, for operations the user may stop.
    void progressStartCancellable(std::uint64_t maximum) override;
    bool progressCancelled() override;
    void showWaitCursor(bool on) override;
    int runDialog(Dialog& dialog) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    SaveAnswer askSaveChanges(const std::string& text) override;
    void showStatus(const std::string& text) override;
    std::uint32_t systemColour(SystemColour which) const override;
    std::string toolkit() const override;
    bool loadImage(const std::string& path, Image& out) override;
    bool showHelp(const std::string& path) override;
    FrameHost* createFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands) override;
    int run() override;

    QtFrame* frame() const { return frame_.get(); }
    QtHelpWindow* helpWindow() const { return help_.get(); }

private:
    QWidget* ownerWidget() const;

    Platform* previous_;
    std::unique_ptr<QtFrame> frame_;
    std::unique_ptr<QtHelpWindow> help_;
    std::uint64_t progressMaximum_ = 0;
    int progressShown_ = -1;
    std::unique_ptr<QProgressDialog> cancelDialog_;
};

}  // namespace ui::qt
