// The main frame in the Qt back end: menus and shortcuts built from the
// command table, the views in an MDI area, a status line and a progress bar
// at the bottom, and drops of files.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <vector>

#include "ui/Frame.h"

class QAction;
class QLabel;
class QMdiArea;
class QProgressBar;

namespace ui::qt {

class QtFrame final : public QMainWindow, public FrameHost {
    Q_OBJECT
public:
    QtFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands);

    void setTitle(const std::string& title) override;
    std::string title() const override;
    void setMenuChecked(int id, bool checked) override;
    void setMenuEnabled(int id, bool enabled) override;
    bool isMenuChecked(int id) const override;
    bool isMenuEnabled(int id) const override;
    int viewAreaWidth() const override;
    int viewAreaHeight() const override;
    int cascadeStep() const override;
    NativeWindow* createView(Window& logic, const std::string& title) override;
    NativeWindow* createGlView(Window& logic, const std::string& title) override;
    NativeWindow* createBar(Window& logic, BarPlace place, int width, int height) override;
    int fontHeight() const override;
    void showMaximized() override;
    void processPendingEvents() override;
    void requestClose() override { close(); }

    QAction* action(int id) const;
    QProgressBar* progressBar() const { return progress_; }
    QMdiArea* viewArea() const { return area_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FrameLogic& logic_;
    QMdiArea* area_;
    std::vector<std::unique_ptr<NativeWindow>> bars_;
    QProgressBar* progress_;
    std::map<int, QAction*> actions_;
};

}  // namespace ui::qt
