#pragma once
// Making the controls of a window, and the old controls' event semantics
// that the windows rely on.
//
// - A change handler runs whenever a box's text changes, typed or set by
//   code: connect to TextBox::changed (QLineEdit::textChanged does the same).
// - An option button runs its click when it becomes selected, by a click or
//   from code (onOptionClick); a check box whenever its value changes.
// - A box's GotFocus and LostFocus run only when the focus moves between
//   controls of the same window: not because a message box, a dialog or
//   another window took the keyboard, nor when it comes back from there.
// - KeyPress sees the character typed as its old code (Enter 13, Escape 27,
//   Backspace 8); setting it to 0 swallows the key, another code types that
//   character instead.
// - Accelerators: "&" in a caption ("&Aceptar") is Alt + that letter; a
//   label's accelerator moves to its buddy control (QLabel::setBuddy).

#include <QString>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QAction;
class QMenu;
class QMenuBar;

namespace forms {

// A control named as in the old form, owned by its parent.
template <class T>
T* control(const QString& name, QWidget* parent) {
    T* made = new T(parent);
    made->setObjectName(name);
    return made;
}

// The name of one member of a control array: arrayName("Option1", 2) is
// "Option1(2)", which is also its objectName.
QString arrayName(const QString& name, int index);

// Menus: a menu of the menu bar or a submenu, and an entry of a menu. Every
// menu and entry is found as a QAction under its old name ("mnucompac"); a
// submenu's QAction enables and disables the whole submenu.
QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& caption);
QMenu* addMenu(QMenu* parent, const QString& name, const QString& caption);
QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption);
QAction* addSeparator(QMenu* menu, const QString& name);

// Runs `handler` each time the option becomes selected, by the user or by code.
void onOptionClick(QAbstractButton* option, std::function<void()> handler);
// Runs `handler` each time the check box's value changes, by the user or by code.
void onCheckClick(QAbstractButton* box, std::function<void()> handler);

// Runs `handler` when the focus moves to or away from `control` within its window.
void onGotFocus(QWidget* control, std::function<void()> handler);
void onLostFocus(QWidget* control, std::function<void()> handler);

// Runs `handler` with the old code of each character typed into `control`.
void onKeyPress(QWidget* control, std::function<void(int& keyAscii)> handler);

// A window being destroyed runs no more event procedures: its focused box
// loses the focus then, and its handlers must not run on a half-destroyed
// window. Form's destructor marks itself.
void markDestroying(QWidget* window);
bool isDestroying(const QWidget* control);

}  // namespace forms
