#pragma once
// Whether a caption shows whole: a label's, button's, option button's or
// check box's text at the control's own font against the room the control
// gives it. The twip layouts were made for the old font; where a caption is
// longer at ours, the window widens the control into the room its layout
// leaves free and, if that is not enough, shrinks that control's font:
//
//     forms::placeTwips(Label1, 240, 1200, 1920, 255);   // up to its box
//     forms::shrinkToFit(Label1);
//
// The windows' tests walk every window with captionsCut().

#include <QSize>
#include <QStringList>

class QWidget;

namespace forms {

struct CaptionRoom {
    QSize needs;  // what the text takes, frame and margins included
    QSize has;    // what the control gives it
    bool fits() const { return needs.width() <= has.width() && needs.height() <= has.height(); }
};

// The room of a label, button, option button or check box with a text; an
// empty room (fits) for any other control.
CaptionRoom captionRoom(const QWidget& control);

// Shrinks the control's font by half points until its caption fits, not
// below `smallestPointSize`; true when it fits then. A caption that does not
// fit even so keeps the font it had.
bool shrinkToFit(QWidget* control, double smallestPointSize = 7.0);

// The captions of `window` that do not fit, one line each:
// "FrmTecnico.Label1 \"Ubicación del Técnico:\" needs 133 x 14 px, has 120 x 17".
QStringList captionsCut(const QWidget& window);

}  // namespace forms
