#include "text_box.h"

#include <QProxyStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextOption>

namespace forms {

namespace {

// The application's style with one password character of our choosing.
class PasswordCharStyle : public QProxyStyle {
public:
    explicit PasswordCharStyle(QChar c) : c_(c) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return c_.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar c_;
};

// What the box shows for a text: every line end (CR LF, LF CR, LF, CR) one
// line break.
QString shownText(QString text) {
    text.replace("\r\n", "\n");
    text.replace("\n\r", "\n");
    text.replace('\r', '\n');
    return text;
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TextBox::changed);
    // Text set by code shows its start, as the old boxes did (a long name
    // reads "CENTRAL SUR - INST", not its end); typing leaves the cursor be.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!isModified())
            setCursorPosition(0);
    });
}

void TextBox::setPasswordChar(QChar c) {
    passwordChar_ = c;
    if (c.isNull()) {
        setEchoMode(QLineEdit::Normal);
        setStyle(nullptr);
        return;
    }
    auto* style = new PasswordCharStyle(c);
    style->setParent(this);
    setStyle(style);
    setEchoMode(QLineEdit::Password);
}

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineTextBox::documentEdited);
}

void MultiLineTextBox::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    settingText_ = true;
    const Qt::Alignment alignment = document()->defaultTextOption().alignment();
    setPlainText(shownText(text));
    setAlignment(alignment);
    settingText_ = false;
    emit changed(text_);
}

void MultiLineTextBox::setAlignment(Qt::Alignment alignment) {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(alignment);
    document()->setDefaultTextOption(option);
    // Lines already in the box follow too.
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment);
    const bool wasSetting = settingText_;
    settingText_ = true;
    cursor.mergeBlockFormat(format);
    settingText_ = wasSetting;
}

void MultiLineTextBox::documentEdited() {
    if (settingText_)
        return;
    QString typed = toPlainText();
    typed.replace("\n", "\r\n");
    if (typed == text_)
        return;
    text_ = typed;
    emit changed(text_);
}

}  // namespace forms
