// Small conversions between the window model and Qt: texts, colours, keys, sizes, icons.
//
// The model's texts are UTF-8; its colours are Windows RGB values (red in the low byte, -1 the
// default); its key codes are virtual-key codes plus 0x100 Shift, 0x200 Ctrl, 0x400 Alt; its
// positions and widths are dialog units (a quarter of the average character width across, an
// eighth of the character height down).
#pragma once

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QIcon>
#include <QtGui/QKeyEvent>
#include <QtGui/QKeySequence>
#include <QtCore/QString>

#include <string>

namespace vorel::qt {

inline QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
inline std::string S(const QString& s) { return s.toUtf8().toStdString(); }

// An invalid QColor for the default colour (-1 or any negative value).
QColor ColourOf(long rgb);

// The runtime's key code of a key event (0 when the key has none). The keypad's decimal key is
// 110, the comma key 188.
int KeyCodeOf(const QKeyEvent& e);
inline constexpr int kKeypadDecimal = 110;
inline constexpr int kCommaKey = 188;

// "Ctrl + Alt + E", "Ctrl + 5", "Alt + F", "F2": the shortcut text of a menu item as a key sequence.
QKeySequence ShortcutOf(const std::string& text);

// Dialog units to pixels, for the application's font.
int DluX(int units);
int DluY(int units);

// `base` in the typeface and size a control names ("" and 0 keep base's). A fixed-pitch face
// that is not installed ("Courier New" on Linux) becomes the system's fixed-pitch face, so that
// columns of characters still line up.
QFont FontOf(const std::string& typeface, int points, const QFont& base);

// An icon named by a control: a file (as given, or in the icon folder), a well-known name
// ("ok", "cancel", "exit", "help", "print", "computer", ...), or a small drawn badge.
QIcon IconOf(const std::string& name, const std::string& iconFolder);

}  // namespace vorel::qt

namespace vorel::qt {
// The key sequence of a runtime key code (F-keys, letters and digits with Ctrl or Alt); empty
// for codes that have none.
QKeySequence SequenceOf(int keyCode);

// The width in characters of what a picture shows, and whether it shows a number (right-aligned).
struct PictureShape {
    int width = 0;
    bool number = false;
};
PictureShape ShapeOf(const std::string& picture);
}  // namespace vorel::qt
