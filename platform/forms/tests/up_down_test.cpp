#include "up_down.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QToolButton>

#include "controls.h"
#include "form.h"
#include "masked_box.h"
#include "placement.h"
#include "qt_printers.h"
#include "test_program.h"

namespace {

// An acknowledgement column: a date box, a time box and the arrows beside
// them, the arrows handing the focus back to the box used last, as the
// evaluation window does.
struct Acknowledgement : forms::Form {
    explicit Acknowledgement(forms::Program& p) : Form(p, "Acknowledgement") {
        date = forms::control<forms::MaskedBox>("txtrec1fe", client());
        date->setMask("##/##/##");
        forms::placeTwips(date, 120, 120, 855, 255);
        time = forms::control<forms::MaskedBox>("txtrec1ho", client());
        time->setMask("##:##");
        forms::placeTwips(time, 120, 360, 855, 255);
        arrows = forms::control<forms::UpDown>("flechitas1", client());
        forms::placeTwips(arrows, 990, 120, 255, 495);
        setClientSizeTwips(2000, 1000);

        forms::onGotFocus(date, [this] { log("txtrec1fe_GotFocus"), active = 1; });
        forms::onGotFocus(time, [this] { log("txtrec1ho_GotFocus"), active = 2; });
        forms::onLostFocus(date, [this] { log("txtrec1fe_LostFocus"); });
        forms::onLostFocus(time, [this] { log("txtrec1ho_LostFocus"); });
        forms::onGotFocus(arrows, [this] {
            log("flechitas1_GotFocus");
            if (active == 1)
                date->setFocus();
            else if (active == 2)
                time->setFocus();
        });
        connect(arrows, &forms::UpDown::upClick, this, [this] { log("flechitas1_UpClick"); });
        connect(arrows, &forms::UpDown::downClick, this, [this] { log("flechitas1_DownClick"); });
    }
    void log(const QString& event) { events << event; }

    forms::MaskedBox* date;
    forms::MaskedBox* time;
    forms::UpDown* arrows;
    int active = 0;
    QStringList events;
};

Acknowledgement* shownAndActive(forms::TestProgram& app) {
    Acknowledgement* window = app.show<Acknowledgement>(forms::Modeless);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    return window;
}

TEST(UpDown, PressingAnArrowTakesTheFocusFirstThenClicks) {
    forms::TestProgram app;
    Acknowledgement* window = shownAndActive(app);
    window->time->setFocus();
    window->events.clear();

    QTest::mouseClick(window->arrows->upArrow(), Qt::LeftButton);
    EXPECT_EQ(window->events, QStringList({"txtrec1ho_LostFocus", "flechitas1_GotFocus",
                                           "txtrec1ho_GotFocus", "flechitas1_UpClick"}));
    EXPECT_TRUE(window->time->hasFocus());

    window->events.clear();
    QTest::mouseClick(window->arrows->downArrow(), Qt::LeftButton);
    EXPECT_EQ(window->events.last(), "flechitas1_DownClick");
    EXPECT_TRUE(window->time->hasFocus());
}

TEST(UpDown, BeforeAnyBoxHadTheFocusTheArrowsKeepIt) {
    forms::TestProgram app;
    Acknowledgement* window = shownAndActive(app);
    window->arrows->setFocus();
    window->events.clear();
    QTest::mouseClick(window->arrows->downArrow(), Qt::LeftButton);
    EXPECT_EQ(window->events, QStringList({"flechitas1_DownClick"}));
    EXPECT_TRUE(window->arrows->hasFocus());
}

TEST(UpDown, DisabledArrowsTakeNoClickAndNoFocus) {
    forms::TestProgram app;
    Acknowledgement* window = shownAndActive(app);
    window->date->setFocus();
    window->arrows->setEnabled(false);
    window->events.clear();
    QTest::mouseClick(window->arrows->upArrow(), Qt::LeftButton);
    EXPECT_TRUE(window->events.isEmpty()) << window->events.join(", ").toStdString();
    EXPECT_TRUE(window->date->hasFocus());
}

TEST(UpDown, TabMovesBetweenTheBoxesWhichAreTypedOverFromTheirStart) {
    forms::TestProgram app;
    Acknowledgement* window = shownAndActive(app);
    window->date->setFocus();
    window->events.clear();
    QTest::keyClick(window->date, Qt::Key_Tab);
    EXPECT_TRUE(window->time->hasFocus());
    QTest::keyClicks(window->time, "0930");
    EXPECT_EQ(window->time->text(), "09:30");
    EXPECT_EQ(window->events, QStringList({"txtrec1fe_LostFocus", "txtrec1ho_GotFocus"}));

    // Entering a box that shows a value types over it from its start.
    window->date->setText("15/03/97");
    QTest::keyClick(window->time, Qt::Key_Backtab);
    ASSERT_TRUE(window->date->hasFocus());
    QTest::keyClicks(window->date, "2");
    EXPECT_EQ(window->date->text(), "25/03/97");
}

TEST(UpDown, ABoxThatTakesTheFocusBackWhenLeftKeepsIt) {
    // A refused entry: the time box's LostFocus empties it and takes the
    // focus back, while the focus was going to the arrows.
    forms::TestProgram app;
    Acknowledgement* window = shownAndActive(app);
    forms::onLostFocus(window->time, [window] {
        window->time->setText("__:__");
        window->time->setFocus();
    });
    window->time->setFocus();
    QTest::keyClicks(window->time, "1260");
    window->events.clear();
    QTest::mouseClick(window->arrows->upArrow(), Qt::LeftButton);
    EXPECT_TRUE(window->time->hasFocus());
    EXPECT_EQ(window->time->text(), "__:__");
    EXPECT_TRUE(window->events.contains("txtrec1ho_LostFocus"));
    EXPECT_EQ(window->events.last(), "flechitas1_UpClick");  // on the emptied box
    EXPECT_EQ(window->active, 2);
}

}  // namespace
