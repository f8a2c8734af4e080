// Help window.
#include "ui/qt/QtHelpWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ui::qt {

QtHelpWindow::QtHelpWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle("Tolvane CAD Help");
    resize(760, 640);
    // The manual never keeps the program running once its window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("manual");
    // Links within the manual stay here; links to the web go to the
    // desktop's browser where there is one.
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    auto* back = new QPushButton("&Back", this);
    auto* forward = new QPushButton("&Forward", this);
    auto* home = new QPushButton("&Contents", this);
    auto* close = new QPushButton("C&lose", this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Closed like other windows of its kind: Esc, or Ctrl+W.
    for (QKeySequence key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
}

bool QtHelpWindow::showPage(const std::string& path)
{
    QFileInfo info(QString::fromStdString(path));
    if (!info.isFile() || !info.isReadable()) {
        return false;
    }
    browser_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    if (browser_->document()->isEmpty()) {
        return false;
    }
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace ui::qt
