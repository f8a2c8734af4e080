// Help window.
#include "ui/qt/QtHelpWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ui::qt {

QtHelpWindow::QtHelpWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle("Tolvane CAD Help");
    resize(760, 640);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("manual");
    // Links within the manual stay here; links to the web go to the
    // desktop's browser where there is one.
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    auto* back = new QPushButton("&Back", this);
    auto* forward = new QPushButton("&Forward", this);
    auto* home = new QPushButton("&Contents", this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();
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
