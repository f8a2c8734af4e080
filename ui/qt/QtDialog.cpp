// Dialogs from templates.
#include "ui/qt/QtDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/qt/QtDrawContext.h"

namespace ui::qt {

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

// A label text as the template gives it, '&' kept as the mnemonic.
QString label(const std::string& s)
{
    return QString::fromStdString(s);
}

}  // namespace

QtDialog::QtDialog(Dialog& dialog, const DialogTemplate& t, QWidget* owner)
    : QDialog(owner), dialog_(dialog), template_(t)
{
    setWindowTitle(q(t.title));
    setObjectName(q(t.name));
    build();
    dialog_.onInit(*this);
}

void QtDialog::build()
{
    auto* outer = new QVBoxLayout(this);
    auto* main = new QFormLayout;
    outer->addLayout(main);
    std::map<std::string, QFormLayout*> groups;
    auto layoutFor = [&](const ControlTemplate& c) -> QFormLayout* {
        if (c.group.empty()) {
            return main;
        }
        QFormLayout*& g = groups[c.group];
        if (!g) {
            auto* box = new QGroupBox(q(c.group), this);
            g = new QFormLayout(box);
            main->addRow(box);
        }
        return g;
    };
    auto* buttons = new QDialogButtonBox(this);
    const auto& list = template_.controls;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ControlTemplate& c = list[i];
        QFormLayout* form = layoutFor(c);
        QWidget* w = nullptr;
        switch (c.kind) {
        case ControlKind::Static: {
            // A prompt followed by an unlabelled field becomes that field's label.
            if (i + 1 < list.size() && list[i + 1].kind == ControlKind::Edit && list[i + 1].text.empty()) {
                auto* prompt = new QLabel(label(c.text), this);
                const ControlTemplate& next = list[++i];
                auto* edit = new QLineEdit(this);
                edit->setObjectName(QString("control%1").arg(next.id));
                form->addRow(prompt, edit);
                controls_[c.id] = prompt;
                controls_[next.id] = edit;
                int id = next.id;
                connect(edit, &QLineEdit::textEdited, this, [this, id] { dialog_.onChange(*this, id); });
                edit->installEventFilter(this);
                continue;
            }
            w = new QLabel(label(c.text), this);
            form->addRow(w);
            break;
        }
        case ControlKind::Edit:
        case ControlKind::ReadOnlyEdit: {
            auto* edit = new QLineEdit(this);
            edit->setReadOnly(c.kind == ControlKind::ReadOnlyEdit);
            edit->setMinimumWidth(c.kind == ControlKind::ReadOnlyEdit ? 320 : 120);
            int id = c.id;
            connect(edit, &QLineEdit::textEdited, this, [this, id] { dialog_.onChange(*this, id); });
            edit->installEventFilter(this);
            w = edit;
            if (c.text.empty()) {
                form->addRow(w);
            } else {
                auto* l = new QLabel(label(c.text), this);
                l->setBuddy(w);
                form->addRow(l, w);
                rows_[c.id] = l;
            }
            break;
        }
        case ControlKind::MultiLineEdit: {
            auto* edit = new QPlainTextEdit(this);
            edit->setMinimumSize(420, 260);
            int id = c.id;
            connect(edit, &QPlainTextEdit::textChanged, this, [this, id] { dialog_.onChange(*this, id); });
            w = edit;
            form->addRow(w);
            break;
        }
        case ControlKind::PushButton:
            if (c.id == idOk || c.id == idCancel) {
                auto* b = buttons->addButton(
                    label(c.text), c.id == idOk ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
                b->setObjectName(QString("control%1").arg(c.id));
                int id = c.id;
                connect(b, &QPushButton::clicked, this, [this, id] { dialog_.onCommand(*this, id); });
                if (c.id == idOk) {
                    b->setDefault(true);
                }
                controls_[c.id] = b;
                continue;
            } else {
                auto* b = new QPushButton(label(c.text), this);
                b->setAutoDefault(false);
                int id = c.id;
                connect(b, &QPushButton::clicked, this, [this, id] { dialog_.onCommand(*this, id); });
                w = b;
                form->addRow(w);
            }
            break;
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(label(c.text), this);
            int id = c.id;
            connect(box, &QCheckBox::clicked, this, [this, id] { dialog_.onCommand(*this, id); });
            w = box;
            form->addRow(w);
            break;
        }
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(label(c.text), this);
            int id = c.id;
            connect(radio, &QRadioButton::clicked, this, [this, id] { dialog_.onCommand(*this, id); });
            w = radio;
            form->addRow(w);
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(this);
            int id = c.id;
            connect(combo, &QComboBox::activated, this, [this, id] { dialog_.onChange(*this, id); });
            w = combo;
            form->addRow(label(c.text), w);
            break;
        }
        case ControlKind::ListBox: {
            // Rows of tab-separated columns (the band table) as a grid.
            auto* table = new QTableWidget(this);
            table->horizontalHeader()->hide();
            table->verticalHeader()->hide();
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            table->setSelectionMode(QAbstractItemView::NoSelection);
            table->setMinimumSize(560, 140);
            w = table;
            form->addRow(w);
            break;
        }
        case ControlKind::MultiListBox: {
            auto* listBox = new QListWidget(this);
            listBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
            listBox->setMinimumSize(420, 300);
            QFont mono("DejaVu Sans Mono");
            listBox->setFont(mono);
            int id = c.id;
            connect(listBox, &QListWidget::itemSelectionChanged, this, [this, id] { dialog_.onChange(*this, id); });
            w = listBox;
            form->addRow(w);
            break;
        }
        case ControlKind::Picture: {
            auto* picture = new QLabel(this);
            // Door and window pictures are placeholders; others get their
            // picture from the dialog (setPicture).
            if (c.text == "door" || c.text == "window") {
                picture->setText(c.text == "door" ? "[ door ]" : "[ window ]");
            }
            picture->setAlignment(Qt::AlignCenter);
            picture->setFrameShape(QFrame::Box);
            picture->setMinimumSize(120, 80);
            w = picture;
            form->addRow(w);
            break;
        }
        }
        if (w && c.id >= 0) {
            w->setObjectName(QString("control%1").arg(c.id));
            controls_[c.id] = w;
        }
    }
    outer->addWidget(buttons);
}

QWidget* QtDialog::control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

std::string QtDialog::text(int id) const
{
    QWidget* w = control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->text().toStdString();
    }
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        return p->toPlainText().toStdString();
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        return l->text().toStdString();
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        return b->text().toStdString();
    }
    return {};
}

void QtDialog::setText(int id, const std::string& text)
{
    QWidget* w = control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(q(text));
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(q(text));
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(q(text));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(q(text));
    }
}

bool QtDialog::isChecked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(control(id));
    return b && b->isChecked();
}

void QtDialog::setChecked(int id, bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(control(id))) {
        b->setChecked(on);
    }
}

void QtDialog::setItems(int id, const std::vector<std::string>& items)
{
    QWidget* w = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->clear();
        for (const std::string& s : items) {
            combo->addItem(q(s));
        }
        combo->setCurrentIndex(-1);
    } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
        table->clear();
        table->setRowCount(static_cast<int>(items.size()));
        int columns = 0;
        for (std::size_t r = 0; r < items.size(); ++r) {
            QStringList cells = q(items[r]).split('\t');
            columns = std::max(columns, static_cast<int>(cells.size()));
            table->setColumnCount(columns);
            for (int col = 0; col < cells.size(); ++col) {
                auto* item = new QTableWidgetItem(cells[col].trimmed());
                item->setTextAlignment(col == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
                table->setItem(static_cast<int>(r), col, item);
            }
        }
        table->resizeColumnsToContents();
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->clear();
        for (const std::string& s : items) {
            list->addItem(q(s));
        }
    }
}

std::vector<std::string> QtDialog::items(int id) const
{
    std::vector<std::string> out;
    QWidget* w = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i) {
            out.push_back(combo->itemText(i).toStdString());
        }
    } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c) {
                cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
            }
            out.push_back(cells.join('\t').toStdString());
        }
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        for (int i = 0; i < list->count(); ++i) {
            out.push_back(list->item(i)->text().toStdString());
        }
    }
    return out;
}

int QtDialog::currentIndex(int id) const
{
    QWidget* w = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        return combo->currentIndex();
    }
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        return list->currentRow();
    }
    return -1;
}

void QtDialog::setCurrentIndex(int id, int index)
{
    QWidget* w = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(index);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->setCurrentRow(index);
    }
}

std::vector<int> QtDialog::selectedIndices(int id) const
{
    std::vector<int> out;
    if (auto* list = qobject_cast<QListWidget*>(control(id))) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->isSelected()) {
                out.push_back(i);
            }
        }
    }
    return out;
}

void QtDialog::setPicture(int id, const Image& image)
{
    if (auto* l = qobject_cast<QLabel*>(control(id))) {
        l->setPixmap(QPixmap::fromImage(toQImage(image)));
        l->setMinimumSize(image.width + 2, image.height + 2);
    }
}

void QtDialog::setVisible(int id, bool visible)
{
    if (QWidget* w = control(id)) {
        w->setVisible(visible);
    }
    auto row = rows_.find(id);
    if (row != rows_.end()) {
        row->second->setVisible(visible);
    }
}

bool QtDialog::isVisible(int id) const
{
    QWidget* w = control(id);
    return w && !w->isHidden();
}

void QtDialog::setTitle(const std::string& title)
{
    setWindowTitle(q(title));
}

void QtDialog::end(int result)
{
    ended_ = true;
    done(result);
}

void QtDialog::reject()
{
    // Esc and the close box act as Cancel, through the dialog object.
    if (!ended_) {
        dialog_.onCommand(*this, idCancel);
    }
    if (!ended_) {
        QDialog::reject();
    }
}

bool QtDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        for (const auto& [id, w] : controls_) {
            if (w == watched) {
                dialog_.onFocusLost(*this, id);
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void QtDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (placed_) {
        return;
    }
    placed_ = true;
    QWidget* owner = parentWidget();
    if (!owner) {
        return;
    }
    adjustSize();
    PixelPoint at = placeDialog(dialog_.anchorX, dialog_.anchorY, owner->width(), owner->height(), width(), height());
    move(owner->mapToGlobal(QPoint(at.x, at.y)));
}

}  // namespace ui::qt
