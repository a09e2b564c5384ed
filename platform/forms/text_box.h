#pragma once
// The old text boxes: the text with a change event for every change, typed
// or set by code; Locked (shown, focusable, not editable); the password
// character; the longest text (QLineEdit::setMaxLength). Text set by code
// shows from its start.

#include <QChar>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

namespace forms {

class TextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

    // A locked box shows its text and takes the focus, but the user cannot
    // change it; code still can.
    void setLocked(bool locked) { setReadOnly(locked); }
    bool locked() const { return isReadOnly(); }

    // Shows every character as `c` ("*"); a null character shows the text.
    void setPasswordChar(QChar c);
    QChar passwordChar() const { return passwordChar_; }

signals:
    // Every change of the text, typed or set by code (the old Change event).
    void changed(const QString& text);

private:
    QChar passwordChar_;
};

// A multi-line box. Its text is what code set, line ends as the code wrote
// them (the comments keep LF CR pairs), until the user edits it; from then on
// it is what the user sees, each line break read as CR LF, as the old box
// typed it.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    void setLocked(bool locked) { setReadOnly(locked); }
    bool locked() const { return isReadOnly(); }

    // Centres or aligns every line of the box (Qt::AlignHCenter ...).
    void setAlignment(Qt::Alignment alignment);

signals:
    // Every change of the text, typed or set by code.
    void changed(const QString& text);

private:
    void documentEdited();

    QString text_;
    bool settingText_ = false;
};

}  // namespace forms
