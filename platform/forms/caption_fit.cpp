#include "caption_fit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace forms {

namespace {

// The text as drawn: "&" marks the accelerator, "&&" stands for "&".
QString withoutAccelerator(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

// A label's own measure: frame, margin and indent included; a label that
// wraps needs the height of its lines at its width.
CaptionRoom labelRoom(const QLabel& label) {
    if (label.text().isEmpty() || !label.pixmap().isNull())
        return {};
    if (label.wordWrap())
        return {{0, label.heightForWidth(label.width())}, label.size()};
    return {label.sizeHint(), label.size()};
}

// The room a button's style leaves for its caption, and what the caption
// (and its icon) takes there.
CaptionRoom buttonRoom(const QAbstractButton& button, QStyle::SubElement contents) {
    if (button.text().isEmpty())
        return {};
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    const QFontMetrics metrics = button.fontMetrics();
    QSize needs(metrics.horizontalAdvance(withoutAccelerator(button.text())), metrics.height());
    if (!button.icon().isNull() && contents == QStyle::SE_PushButtonContents)
        needs.rwidth() += button.iconSize().width() + 4;
    return {needs, room.size()};
}

QString captionOf(const QWidget& control) {
    if (auto* label = qobject_cast<const QLabel*>(&control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(&control))
        return withoutAccelerator(button->text());
    return {};
}

}  // namespace

CaptionRoom captionRoom(const QWidget& control) {
    if (auto* label = qobject_cast<const QLabel*>(&control))
        return labelRoom(*label);
    if (auto* option = qobject_cast<const QRadioButton*>(&control))
        return buttonRoom(*option, QStyle::SE_RadioButtonContents);
    if (auto* box = qobject_cast<const QCheckBox*>(&control))
        return buttonRoom(*box, QStyle::SE_CheckBoxContents);
    if (auto* button = qobject_cast<const QPushButton*>(&control))
        return buttonRoom(*button, QStyle::SE_PushButtonContents);
    return {};
}

bool shrinkToFit(QWidget* control, double smallestPointSize) {
    if (captionRoom(*control).fits())
        return true;
    const QFont original = control->font();
    QFont font = original;
    while (font.pointSizeF() - 0.5 >= smallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        control->setFont(font);
        if (captionRoom(*control).fits())
            return true;
    }
    control->setFont(original);
    return false;
}

QStringList captionsCut(const QWidget& window) {
    QStringList found;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const CaptionRoom room = captionRoom(*control);
        if (room.fits())
            continue;
        found << QString("%1.%2 \"%3\" needs %4 x %5 px, has %6 x %7")
                     .arg(window.objectName(), control->objectName(), captionOf(*control))
                     .arg(room.needs.width())
                     .arg(room.needs.height())
                     .arg(room.has.width())
                     .arg(room.has.height());
    }
    return found;
}

}  // namespace forms
