// The desktop clipboard mirrored for the procedure threads.
#include "system_clipboard.h"

#include <QtCore/QMetaObject>
#include <QtCore/QObject>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

#include <mutex>
#include <string>

#include "vorel/shell/clipboard.h"

namespace vorel::app {

struct SystemClipboard::State {
    std::mutex m;
    std::string text;           // UTF-8, as the shell keeps it
    QObject* gui = nullptr;     // lives on the GUI thread; null once the clipboard is gone
    QMetaObject::Connection watch;
};

SystemClipboard::SystemClipboard() : state_(std::make_shared<State>()) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    state_->gui = clipboard;
    state_->text = clipboard->text().toStdString();
    std::weak_ptr<State> weak = state_;
    state_->watch = QObject::connect(clipboard, &QClipboard::dataChanged, clipboard, [weak] {
        if (auto s = weak.lock()) {
            std::string now = QGuiApplication::clipboard()->text().toStdString();
            std::lock_guard lock(s->m);
            s->text = std::move(now);
        }
    });
    std::shared_ptr<State> s = state_;
    shell::InstalaAreaTransferencia(
        [s] {
            std::lock_guard lock(s->m);
            return s->text;
        },
        [s](const std::string& text) {
            std::lock_guard lock(s->m);
            s->text = text;
            if (!s->gui) return;
            // Queued to the GUI thread; the lock keeps the clipboard alive until it is queued.
            QMetaObject::invokeMethod(
                s->gui, [text] { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); },
                Qt::QueuedConnection);
        });
}

SystemClipboard::~SystemClipboard() {
    shell::InstalaAreaTransferencia({}, {});
    std::lock_guard lock(state_->m);
    QObject::disconnect(state_->watch);
    state_->gui = nullptr;
}

}  // namespace vorel::app
