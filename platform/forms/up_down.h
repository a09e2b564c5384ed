#pragma once
// The old up-down arrows: a pair of arrow buttons bound to no box, with its
// own focus. Pressing an arrow takes the focus to the pair first (so the box
// the user was in loses it, and the pair's GotFocus may hand it back), then
// runs the arrow's click; an arrow held down repeats its click.
//
// Events: upClick and downClick; GotFocus through forms::onGotFocus. A
// disabled pair takes no clicks and no focus.

#include <QWidget>

class QToolButton;

namespace forms {

class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    // The two arrows, for tests that press them.
    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

signals:
    // The upper arrow pressed (the old UpClick).
    void upClick();
    // The lower arrow pressed (the old DownClick).
    void downClick();

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace forms
