#include "controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace forms {

QString arrayName(const QString& name, int index) {
    return name + "(" + QString::number(index) + ")";
}

// Menus.

namespace {

QMenu* namedMenu(QMenu* menu, const QString& name) {
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

}  // namespace

QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& caption) {
    return namedMenu(bar->addMenu(caption), name);
}

QMenu* addMenu(QMenu* parent, const QString& name, const QString& caption) {
    return namedMenu(parent->addMenu(caption), name);
}

QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

QAction* addSeparator(QMenu* menu, const QString& name) {
    QAction* line = menu->addSeparator();
    line->setObjectName(name);
    return line;
}

// Destruction.

namespace {
const char kDestroying[] = "forms.destroying";
}

void markDestroying(QWidget* window) {
    window->setProperty(kDestroying, true);
}

bool isDestroying(const QWidget* control) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        if (w->property(kDestroying).toBool())
            return true;
    }
    return false;
}

// Clicks.

void onOptionClick(QAbstractButton* option, std::function<void()> handler) {
    QObject::connect(option, &QAbstractButton::toggled, option,
                     [handler = std::move(handler)](bool selected) {
                         if (selected)
                             handler();
                     });
}

void onCheckClick(QAbstractButton* box, std::function<void()> handler) {
    QObject::connect(box, &QAbstractButton::toggled, box,
                     [handler = std::move(handler)](bool) { handler(); });
}

// Focus.

namespace {

// Focus that moves because another window took or gave back the keyboard
// (a message box, a dialog, a menu, another window) is not the old controls'
// focus change.
bool movesWithinWindow(const QFocusEvent* event) {
    switch (event->reason()) {
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            return false;
        default:
            return true;
    }
}

class FocusHandler : public QObject {
public:
    FocusHandler(QWidget* control, QEvent::Type type, std::function<void()> handler)
        : QObject(control), type_(type), handler_(std::move(handler)) {
        control->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_ && movesWithinWindow(static_cast<QFocusEvent*>(event)) &&
            !isDestroying(static_cast<QWidget*>(watched)))
            handler_();
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> handler_;
};

// The old code of a key: Enter 13, Escape 27, Backspace 8, Tab 9, else the
// character typed; 0 for keys that type nothing (arrows, function keys).
int keyAsciiOf(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        default:
            break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return 0;
    const QString text = event->text();
    return text.size() == 1 && text[0].isPrint() ? text[0].unicode() : 0;
}

class KeyPressHandler : public QObject {
public:
    KeyPressHandler(QWidget* control, std::function<void(int&)> handler)
        : QObject(control), handler_(std::move(handler)) {
        control->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || retyping_)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const int typed = keyAsciiOf(key);
        if (typed == 0)
            return false;
        int keyAscii = typed;
        handler_(keyAscii);
        if (keyAscii == typed)
            return false;
        if (keyAscii != 0) {
            // The handler typed another character instead.
            const QString text(QChar(static_cast<char16_t>(keyAscii)));
            QKeyEvent replaced(QEvent::KeyPress, 0, key->modifiers(), text);
            retyping_ = true;
            QCoreApplication::sendEvent(watched, &replaced);
            retyping_ = false;
        }
        return true;
    }

private:
    std::function<void(int&)> handler_;
    bool retyping_ = false;
};

}  // namespace

void onGotFocus(QWidget* control, std::function<void()> handler) {
    new FocusHandler(control, QEvent::FocusIn, std::move(handler));
}

void onLostFocus(QWidget* control, std::function<void()> handler) {
    new FocusHandler(control, QEvent::FocusOut, std::move(handler));
}

void onKeyPress(QWidget* control, std::function<void(int& keyAscii)> handler) {
    new KeyPressHandler(control, std::move(handler));
}

}  // namespace forms
