// Conversions between the window model and Qt.
#include "qt_convert.h"

#include <QtCore/QFileInfo>
#include <QtCore/QDir>
#include <QtGui/QFontDatabase>
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>

#include <cctype>
#include <map>

#include "vorel/core/picture.h"
#include "vorel/ui/types.h"

namespace vorel::qt {

QColor ColourOf(long rgb) {
    if (rgb < 0) return QColor();
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
}

int KeyCodeOf(const QKeyEvent& e) {
    namespace k = ui::key;
    int key = e.key();
    int code = 0;
    bool keypad = e.modifiers() & Qt::KeypadModifier;
    if (keypad && (key == Qt::Key_Period || key == Qt::Key_Comma || key == Qt::Key_Delete)) {
        // The decimal key of the keypad (Delete when Num Lock is off keeps its own meaning).
        if (key != Qt::Key_Delete) code = kKeypadDecimal;
    }
    if (code == 0 && keypad) {
        // The keypad's digits and operators have keys of their own (96..111).
        if (key >= Qt::Key_0 && key <= Qt::Key_9) code = 96 + (key - Qt::Key_0);
        else if (key == Qt::Key_Asterisk) code = 106;
        else if (key == Qt::Key_Plus) code = 107;
        else if (key == Qt::Key_Minus) code = 109;
        else if (key == Qt::Key_Slash) code = 111;
    }
    if (code == 0) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) code = 'A' + (key - Qt::Key_A);
        else if (key >= Qt::Key_0 && key <= Qt::Key_9) code = '0' + (key - Qt::Key_0);
        else if (key >= Qt::Key_F1 && key <= Qt::Key_F24) code = k::F1 + (key - Qt::Key_F1);
        else {
            switch (key) {
                case Qt::Key_Return: case Qt::Key_Enter: code = k::Enter; break;
                case Qt::Key_Tab: code = k::Tab; break;
                case Qt::Key_Backtab: code = k::ShiftTab; break;
                case Qt::Key_Escape: code = k::Esc; break;
                case Qt::Key_Space: code = k::Space; break;
                case Qt::Key_PageUp: code = k::PageUp; break;
                case Qt::Key_PageDown: code = k::PageDown; break;
                case Qt::Key_End: code = k::End; break;
                case Qt::Key_Home: code = k::Home; break;
                case Qt::Key_Left: code = k::Left; break;
                case Qt::Key_Up: code = k::Up; break;
                case Qt::Key_Right: code = k::Right; break;
                case Qt::Key_Down: code = k::Down; break;
                case Qt::Key_Insert: code = k::Insert; break;
                case Qt::Key_Delete: code = k::Delete; break;
                case Qt::Key_Backspace: code = 8; break;
                case Qt::Key_Comma: code = kCommaKey; break;
                case Qt::Key_Period: code = 190; break;
                case Qt::Key_Minus: code = 189; break;
                case Qt::Key_Underscore: code = 189; break;  // Shift comes with the modifiers
                case Qt::Key_Equal: case Qt::Key_Plus: code = 187; break;
                case Qt::Key_Slash: code = 191; break;
                // Symbols typed with Shift on a digit: the digit's key, Shift from the modifiers.
                case Qt::Key_Asterisk: code = '8'; break;
                case Qt::Key_Percent: code = '5'; break;
                case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: code = 0xDE; break;
                case Qt::Key_Shift: code = 16; break;
                default: return 0;
            }
        }
    }
    if (code == k::ShiftTab) return code;
    Qt::KeyboardModifiers m = e.modifiers();
    if (m & Qt::ShiftModifier) code |= k::Shift;
    if (m & Qt::ControlModifier) code |= k::Ctrl;
    if (m & Qt::AltModifier) code |= k::Alt;
    return code;
}

QKeySequence ShortcutOf(const std::string& text) {
    QString t = Q(text);
    t.remove(' ');
    if (t.isEmpty()) return {};
    return QKeySequence::fromString(t, QKeySequence::PortableText);
}

namespace {
QSize CharSize() {
    QFontMetrics fm(QApplication::font());
    return {fm.averageCharWidth(), fm.height()};
}
}  // namespace

namespace {
// Faces that programs name for text in columns of characters.
bool FixedFace(const QString& family) {
    for (const char* f : {"courier", "lucida console", "consolas", "fixedsys", "terminal", "mono"})
        if (family.contains(QLatin1String(f), Qt::CaseInsensitive)) return true;
    return false;
}
}  // namespace

QFont FontOf(const std::string& typeface, int points, const QFont& base) {
    QFont f = base;
    if (!typeface.empty()) {
        f.setFamily(Q(typeface));
        if (FixedFace(f.family())) {
            f.setStyleHint(QFont::TypeWriter);
            f.setFixedPitch(true);
            if (!QFontInfo(f).fixedPitch()) {
                QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
                fixed.setPointSizeF(base.pointSizeF());
                fixed.setBold(base.bold());
                f = fixed;
            }
        }
    }
    if (points > 0) f.setPointSize(points);
    return f;
}

int DluX(int units) { return (units * CharSize().width() + 2) / 4; }
int DluY(int units) { return (units * CharSize().height() + 4) / 8; }

QIcon IconOf(const std::string& name, const std::string& iconFolder) {
    if (name.empty()) return {};
    QString n = Q(name);
    n.replace('\\', '/');
    if (QFileInfo(n).isFile()) return QIcon(n);
    if (!iconFolder.empty()) {
        QDir dir(Q(iconFolder));
        // Names compare without regard to case.
        const QStringList files = dir.entryList(QDir::Files);
        for (const QString& f : files)
            if (f.compare(QFileInfo(n).fileName(), Qt::CaseInsensitive) == 0) return QIcon(dir.filePath(f));
    }
    QString key = QFileInfo(n).completeBaseName().toLower();
    static const std::map<QString, QStyle::StandardPixmap> known = {
        {"ok", QStyle::SP_DialogOkButton},        {"cancel", QStyle::SP_DialogCancelButton},
        {"help", QStyle::SP_DialogHelpButton},    {"exit", QStyle::SP_DialogCloseButton},
        {"close", QStyle::SP_DialogCloseButton},  {"save", QStyle::SP_DialogSaveButton},
        {"computer", QStyle::SP_ComputerIcon},    {"folder", QStyle::SP_DirIcon},
        {"file", QStyle::SP_FileIcon},            {"delete", QStyle::SP_TrashIcon},
        {"insert", QStyle::SP_FileDialogNewFolder}, {"print", QStyle::SP_FileDialogDetailedView},
        {"matric", QStyle::SP_FileDialogListView}, {"information", QStyle::SP_MessageBoxInformation},
        {"warning", QStyle::SP_MessageBoxWarning}, {"question", QStyle::SP_MessageBoxQuestion},
        {"up", QStyle::SP_ArrowUp},               {"down", QStyle::SP_ArrowDown},
        {"first", QStyle::SP_MediaSkipBackward},  {"last", QStyle::SP_MediaSkipForward},
        // The folder picker's drives and folders.
        {"~smdsket", QStyle::SP_DriveFDIcon},     {"~smdisk", QStyle::SP_DriveHDIcon},
        {"~smnetwrk", QStyle::SP_DriveNetIcon},   {"~smcd", QStyle::SP_DriveCDIcon},
        {"~smram", QStyle::SP_DriveHDIcon},       {"~smopen", QStyle::SP_DirOpenIcon},
        {"~smclose", QStyle::SP_DirClosedIcon},
    };
    if (auto it = known.find(key); it != known.end()) return QApplication::style()->standardIcon(it->second);
    // A badge with the name's first letter, in a colour of its own.
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    uint h = qHash(key);
    QColor fill = QColor::fromHsv(static_cast<int>(h % 360), 150, 190);
    p.setBrush(fill);
    p.setPen(fill.darker(150));
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    p.setPen(Qt::white);
    QFont f = QApplication::font();
    f.setBold(true);
    f.setPixelSize(18);
    p.setFont(f);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, key.isEmpty() ? QString("?") : key.left(1).toUpper());
    p.end();
    return QIcon(pm);
}

}  // namespace vorel::qt

namespace vorel::qt {

QKeySequence SequenceOf(int code) {
    namespace k = ui::key;
    int base = code & 0xFF;
    int key = 0;
    if (base >= 'A' && base <= 'Z') key = Qt::Key_A + (base - 'A');
    else if (base >= '0' && base <= '9') key = Qt::Key_0 + (base - '0');
    else if (base >= k::F1 && base < k::F1 + 24) key = Qt::Key_F1 + (base - k::F1);
    else return {};
    bool fkey = base >= k::F1 && base < k::F1 + 24;
    if (!fkey && !(code & (k::Ctrl | k::Alt))) return {};  // a plain letter is typing
    int mods = 0;
    if (code & k::Shift) mods |= Qt::SHIFT;
    if (code & k::Ctrl) mods |= Qt::CTRL;
    if (code & k::Alt) mods |= Qt::ALT;
    return QKeySequence(key | mods);
}

PictureShape ShapeOf(const std::string& picture) {
    PictureShape r;
    if (picture.empty()) return r;
    auto p = picture::Picture::compile(picture);
    if (!p) return r;
    r.width = p->width();
    r.number = p->kind() == picture::Kind::Number;
    return r;
}

}  // namespace vorel::qt
