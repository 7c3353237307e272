// Message boxes, popup menus and file dialogs without nested event loops.
#include "dialogs.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QCursor>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

#include <memory>

#include "qt_convert.h"

namespace vorel::qt {

namespace {

class MessageDialog : public QDialog {
public:
    MessageDialog(QWidget* parent, const ui::MessageBoxAsked& box, std::function<void(int)> answer)
        : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), answer_(std::move(answer)) {
        setAttribute(Qt::WA_DeleteOnClose);
        setModal(false);
        setObjectName(QString("messagebox-%1").arg(box.dialog));
        setWindowTitle(Q(box.title));
        auto* v = new QVBoxLayout(this);
        auto* h = new QHBoxLayout;
        QStyle::StandardPixmap sp = QStyle::SP_CustomBase;
        switch (box.icon) {
            case ui::Icon::Information: case ui::Icon::Asterisk: sp = QStyle::SP_MessageBoxInformation; break;
            case ui::Icon::Exclamation: sp = QStyle::SP_MessageBoxWarning; break;
            case ui::Icon::Question: sp = QStyle::SP_MessageBoxQuestion; break;
            case ui::Icon::Hand: sp = QStyle::SP_MessageBoxCritical; break;
            case ui::Icon::None: break;
        }
        if (sp != QStyle::SP_CustomBase) {
            auto* icon = new QLabel;
            icon->setPixmap(style()->standardIcon(sp).pixmap(32, 32));
            icon->setAlignment(Qt::AlignTop);
            h->addWidget(icon);
        }
        QString text = Q(box.text);
        text.replace('|', '\n');
        auto* label = new QLabel(text);
        label->setObjectName("text");
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(false);
        h->addWidget(label, 1);
        v->addLayout(h);
        auto* row = new QHBoxLayout;
        row->addStretch();
        for (std::size_t i = 0; i < box.buttons.size(); ++i) {
            auto* b = new QPushButton(Q(box.buttons[i]));
            int n = static_cast<int>(i) + 1;
            b->setAutoDefault(true);
            if (n == box.defaultButton) b->setDefault(true);
            connect(b, &QPushButton::clicked, this, [this, n] { Choose(n); });
            row->addWidget(b);
            buttons_.push_back(b);
        }
        row->addStretch();
        v->addLayout(row);
        single_ = box.buttons.size() == 1;
        if (box.defaultButton >= 1 && box.defaultButton <= static_cast<int>(buttons_.size()))
            buttons_[static_cast<std::size_t>(box.defaultButton - 1)]->setFocus();
    }

protected:
    void reject() override {
        if (single_) Choose(1);
    }
    void closeEvent(QCloseEvent* e) override {
        if (answered_ || property("vorelWithdrawn").toBool()) return e->accept();
        if (single_) {
            Choose(1);
            return e->accept();
        }
        e->ignore();
    }

private:
    void Choose(int n) {
        if (answered_) return;
        answered_ = true;
        auto answer = answer_;
        close();
        answer(n);
    }
    std::function<void(int)> answer_;
    std::vector<QPushButton*> buttons_;
    bool answered_ = false;
    bool single_ = false;
};

}  // namespace

QWidget* ShowMessageBox(QWidget* parent, const ui::MessageBoxAsked& box, std::function<void(int)> answer) {
    auto* d = new MessageDialog(parent, box, std::move(answer));
    d->show();
    d->raise();
    d->activateWindow();
    return d;
}

QWidget* ShowPopupMenu(QWidget* parent, const ui::MessageBoxAsked& box, std::function<void(int)> answer) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString("popup-%1").arg(box.dialog));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto chosen = std::make_shared<bool>(false);
    for (std::size_t i = 0; i < box.buttons.size(); ++i) {
        if (box.buttons[i] == "-" || box.buttons[i].empty()) {
            menu->addSeparator();
            continue;
        }
        int n = static_cast<int>(i) + 1;
        QAction* a = menu->addAction(Q(box.buttons[i]));
        QObject::connect(a, &QAction::triggered, menu, [answer, chosen, n] {
            *chosen = true;
            answer(n);
        });
    }
    QObject::connect(menu, &QMenu::aboutToHide, menu, [menu, answer, chosen] {
        // triggered comes after aboutToHide: decide once the event loop turns.
        bool withdrawn = menu->property("vorelWithdrawn").toBool();
        QMetaObject::invokeMethod(menu, [answer, chosen, withdrawn] {
            if (!*chosen && !withdrawn) { *chosen = true; answer(0); }
        }, Qt::QueuedConnection);
    });
    menu->popup(QCursor::pos());
    return menu;
}

void WithdrawDialog(QWidget* dialog) {
    if (!dialog) return;
    dialog->setProperty("vorelWithdrawn", true);
    dialog->close();
}

QStringList NameFilters(const std::string& filter) {
    QStringList parts = Q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(';', ' ');
        out << QString("%1 (%2)").arg(name, patterns.simplified());
    }
    if (out.isEmpty() && !filter.empty()) out << Q(filter);
    return out;
}

QWidget* ShowFileDialog(QWidget* parent, const ui::FileDialogAsked& req,
                        std::function<void(bool, const std::string&)> answer) {
    auto* d = new QFileDialog(parent, Q(req.title));
    d->setObjectName(QString("filedialog-%1").arg(req.dialog));
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setOption(QFileDialog::DontUseNativeDialog, true);
    d->setModal(false);
    if (req.chooseFolder) {
        d->setFileMode(QFileDialog::Directory);
        d->setOption(QFileDialog::ShowDirsOnly, true);
    } else if (req.save) {
        d->setAcceptMode(QFileDialog::AcceptSave);
        d->setFileMode(QFileDialog::AnyFile);
    } else {
        d->setFileMode(QFileDialog::ExistingFile);
    }
    QStringList filters = NameFilters(req.filter);
    if (!filters.isEmpty()) d->setNameFilters(filters);
    if (!req.folder.empty()) d->setDirectory(Q(req.folder));
    if (!req.initial.empty()) d->selectFile(Q(req.initial));
    auto done = std::make_shared<bool>(false);
    QObject::connect(d, &QFileDialog::finished, d, [d, answer, done](int result) {
        if (*done || d->property("vorelWithdrawn").toBool()) return;
        *done = true;
        QStringList files = d->selectedFiles();
        if (result == QDialog::Accepted && !files.isEmpty()) answer(true, S(files.front()));
        else answer(false, {});
    });
    d->show();
    return d;
}

}  // namespace vorel::qt
