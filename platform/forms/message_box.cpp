#include "message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace forms {

Buttons buttonsOf(int style) {
    switch (style & 7) {
        case msg::OkCancel:
            return {{msg::Ok, msg::Cancel, 0}, 2};
        case msg::AbortRetryIgnore:
            return {{msg::Abort, msg::Retry, msg::Ignore}, 3};
        case msg::YesNoCancel:
            return {{msg::Yes, msg::No, msg::Cancel}, 3};
        case msg::YesNo:
            return {{msg::Yes, msg::No, 0}, 2};
        case msg::RetryCancel:
            return {{msg::Retry, msg::Cancel, 0}, 2};
        default:
            return {};
    }
}

int defaultAnswer(int style) {
    const Buttons buttons = buttonsOf(style);
    int index = 0;
    if (style & msg::DefaultButton3)
        index = 2;
    else if (style & msg::DefaultButton2)
        index = 1;
    return buttons.answers[index < buttons.count ? index : 0];
}

namespace {

QMessageBox::StandardButton standardButton(int answer) {
    switch (answer) {
        case msg::Cancel:
            return QMessageBox::Cancel;
        case msg::Abort:
            return QMessageBox::Abort;
        case msg::Retry:
            return QMessageBox::Retry;
        case msg::Ignore:
            return QMessageBox::Ignore;
        case msg::Yes:
            return QMessageBox::Yes;
        case msg::No:
            return QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
        case msg::Critical:
            return QMessageBox::Critical;
        case msg::Question:
            return QMessageBox::Question;
        case msg::Exclamation:
            return QMessageBox::Warning;
        case msg::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QString withLineBreaks(QString text) {
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}

}  // namespace

int QtMessageBox::show(const QString& text, int style, const QString& title) {
    QMessageBox box(iconOf(style), title, withLineBreaks(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    const Buttons buttons = buttonsOf(style);
    QPushButton* pressedByDefault = nullptr;
    for (int i = 0; i < buttons.count; ++i) {
        QPushButton* button = box.addButton(standardButton(buttons.answers[i]));
        if (buttons.answers[i] == defaultAnswer(style))
            pressedByDefault = button;
    }
    box.setDefaultButton(pressedByDefault);
    box.exec();
    for (int i = 0; i < buttons.count; ++i) {
        if (box.clickedButton() == box.button(standardButton(buttons.answers[i])))
            return buttons.answers[i];
    }
    return defaultAnswer(style);
}

}  // namespace forms
