#include "masked_box.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace forms {

namespace {
constexpr QChar kDigit = u'#';
}

MaskedBox::MaskedBox(QWidget* parent) : QLineEdit(parent) {
    // Every edit goes through the mask: no input method composing, no
    // dropped text, no undo back to a text the mask never showed.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (fits(text))
            emit changed(text);
        else
            mendForeignText();
    });
}

// The mask.

void MaskedBox::setMask(const QString& mask) {
    mask_ = mask;
    show(emptyText(), 0);
}

QString MaskedBox::emptyText() const {
    QString empty = mask_;
    empty.replace(kDigit, kPrompt);
    return empty;
}

bool MaskedBox::isDigitPosition(int position) const {
    return position >= 0 && position < mask_.size() && mask_[position] == kDigit;
}

bool MaskedBox::fits(const QString& text) const {
    if (text.size() != mask_.size())
        return false;
    for (int i = 0; i < text.size(); ++i) {
        if (isDigitPosition(i)
                ? !(text[i].isDigit() && text[i].unicode() < 128) && text[i] != kPrompt
                : text[i] != mask_[i])
            return false;
    }
    return true;
}

// Text set by code.

void MaskedBox::setText(const QString& text) {
    show(fits(text) ? text : emptyText(), 0);
}

void MaskedBox::mendForeignText() {
    QLineEdit::setText(emptyText());
}

void MaskedBox::show(const QString& text, int cursor) {
    if (text != QLineEdit::text())
        QLineEdit::setText(text);
    setCursorPosition(cursor);
}

// Typing.

void MaskedBox::clearSelection(QString& text, int& cursor) {
    if (!hasSelectedText())
        return;
    const int start = selectionStart();
    const int end = start + selectedText().size();
    for (int i = start; i < end; ++i) {
        if (isDigitPosition(i))
            text[i] = kPrompt;
    }
    cursor = start;
}

void MaskedBox::typeCharacter(QChar c) {
    QString text = QLineEdit::text();
    int cursor = cursorPosition();
    const bool digit = c.isDigit() && c.unicode() < 128;
    if (!digit) {
        // A literal typed where the mask has it steps over it; right after a
        // literal the box stepped over already, it is taken as typed.
        if (c == kDigit || !mask_.contains(c))
            return;
        if (cursor > 0 && !isDigitPosition(cursor - 1) && mask_[cursor - 1] == c)
            return;
        const int literal = mask_.indexOf(c, cursor);
        if (literal < 0)
            return;
        cursor = literal + 1;
        while (cursor < mask_.size() && !isDigitPosition(cursor))
            ++cursor;
        show(text, cursor);
        return;
    }
    clearSelection(text, cursor);
    while (cursor < mask_.size() && !isDigitPosition(cursor))
        ++cursor;
    if (cursor >= mask_.size())
        return;
    text[cursor] = c;
    ++cursor;
    while (cursor < mask_.size() && !isDigitPosition(cursor))
        ++cursor;
    show(text, cursor);
}

void MaskedBox::typeText(const QString& text) {
    for (const QChar c : text)
        typeCharacter(c);
}

void MaskedBox::erase(bool backwards) {
    QString text = QLineEdit::text();
    int cursor = cursorPosition();
    if (hasSelectedText()) {
        clearSelection(text, cursor);
        show(text, cursor);
        return;
    }
    int position = backwards ? cursor - 1 : cursor;
    const int step = backwards ? -1 : 1;
    while (position >= 0 && position < mask_.size() && !isDigitPosition(position))
        position += step;
    if (!isDigitPosition(position))
        return;
    text[position] = kPrompt;
    show(text, position);
}

void MaskedBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            deselect();
            setCursorPosition(0);
            break;
        default:
            break;
    }
}

void MaskedBox::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly() || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        typeText(QGuiApplication::clipboard()->text());
    } else if (event->matches(QKeySequence::Cut)) {
        if (hasSelectedText()) {
            copy();
            erase(true);
        }
    } else if (event->key() == Qt::Key_Backspace) {
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::ShiftModifier)
            erase(true);
    } else if (event->key() == Qt::Key_Delete) {
        if (event->modifiers() == Qt::NoModifier)
            erase(false);
    } else if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
               event->matches(QKeySequence::DeleteEndOfLine) ||
               event->matches(QKeySequence::DeleteStartOfWord) ||
               event->matches(QKeySequence::DeleteEndOfWord) ||
               event->matches(QKeySequence::DeleteCompleteLine)) {
        // Edits the mask has no place for.
    } else if (!event->text().isEmpty() && event->text()[0].isPrint() &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        typeText(event->text());
    } else {
        // Moving the cursor, selecting, Enter, Escape, Tab.
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MaskedBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        // The selection paste types through the mask as well.
        if (!isReadOnly() && QGuiApplication::clipboard()->supportsSelection())
            typeText(QGuiApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void MaskedBox::contextMenuEvent(QContextMenuEvent* event) {
    // The standard menu, with its edits going through the mask.
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        const QString name = action->objectName();
        if (name == "edit-undo" || name == "edit-redo") {
            action->setVisible(false);
        } else if (name == "edit-paste") {
            action->disconnect();
            connect(action, &QAction::triggered, this,
                    [this] { typeText(QGuiApplication::clipboard()->text()); });
        } else if (name == "edit-cut") {
            action->disconnect();
            connect(action, &QAction::triggered, this, [this] {
                copy();
                erase(true);
            });
        } else if (name == "edit-delete") {
            action->disconnect();
            connect(action, &QAction::triggered, this, [this] { erase(true); });
        }
    }
    menu->popup(event->globalPos());
}

}  // namespace forms
