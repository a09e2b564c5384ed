#pragma once
// The old masked edit box: a line box whose text always holds its mask's
// literal characters and the prompt character "_" in every digit position
// not yet typed. With the mask "##/##/##" an empty box reads "__/__/__",
// never an empty text; "1_/__/__" is a partly typed date.
//
// - Typing fills the digit positions ("#") only, in order, and steps over the
//   literals; other characters are refused. Backspace and Delete put the
//   prompt back into the digit positions they take (the literals stay).
//   Pasting types the clipboard's characters one by one. Typing overwrites;
//   entering the box with Tab puts the cursor at its start, selecting
//   nothing, so that what code set is typed over position by position.
// - Code sets the text with setText: a value that fits the mask (its
//   literals in place, a digit or the prompt in each digit position) is shown
//   as it stands, "15/03/97" or "__/__/__"; any other value, the empty text
//   included, leaves the box showing its empty mask.
// - changed runs for every change of the text, typed or set by code, as the
//   text boxes' does. GotFocus and LostFocus: forms::onGotFocus/onLostFocus.

#include <QLineEdit>
#include <QString>

namespace forms {

class MaskedBox : public QLineEdit {
    Q_OBJECT

public:
    static constexpr QChar kPrompt = u'_';

    explicit MaskedBox(QWidget* parent = nullptr);

    // The mask: "#" a digit position, every other character a literal. A new
    // mask empties the box.
    void setMask(const QString& mask);
    QString mask() const { return mask_; }

    // The text shown, literals and prompts included. Hides QLineEdit::setText
    // so that code always goes through the mask; text set past it through a
    // QLineEdit pointer is mended to the empty mask when it does not fit.
    void setText(const QString& text);

    // What the box reads when nothing is typed ("__/__/__").
    QString emptyText() const;
    // A box is filled when it does not show its empty mask (a partly typed
    // box is filled).
    bool isFilled() const { return text() != emptyText(); }

    // Whether `text` fits the mask: as long as the mask, its literals in
    // place, a digit or the prompt in every digit position.
    bool fits(const QString& text) const;

signals:
    // Every change of the text, typed or set by code (the old Change event).
    void changed(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool isDigitPosition(int position) const;
    void typeCharacter(QChar c);
    void typeText(const QString& text);
    void erase(bool backwards);
    void clearSelection(QString& text, int& cursor);
    void show(const QString& text, int cursor);
    void mendForeignText();

    QString mask_;
};

}  // namespace forms
