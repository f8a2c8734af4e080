// The program's own help window: the bundled HTML manual in a text browser,
// so Help works on a desktop with no web browser registered.
#pragma once

#include <QWidget>
#include <string>

class QTextBrowser;

namespace ui::qt {

class QtHelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit QtHelpWindow(QWidget* owner = nullptr);

    // Shows the page (raised if the window is open already); false when it
    // is not a readable HTML file.
    bool showPage(const std::string& path);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace ui::qt
