// The splash window's three ways out: the button, a key, the timer.

#include "frmSplash.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "qt_printers.h"
#include "test_program.h"

namespace {

using shell::frmSplash;

struct Splash : ::testing::Test {
    forms::TestProgram app{"riruzoz"};
    int mainWindowShown = 0;
    bool splashLoadedThen = true;
    frmSplash* splash = app.show<frmSplash>(forms::Modeless, shell::dovraneTexts(), [this] {
        ++mainWindowShown;
        splashLoadedThen = app.find<frmSplash>() != nullptr;
    });

    void expectHandedOverOnce() {
        EXPECT_EQ(mainWindowShown, 1);
        EXPECT_FALSE(splashLoadedThen) << "the splash unloads before the main window shows";
        EXPECT_EQ(app.find<frmSplash>(), nullptr);
    }
};

TEST_F(Splash, ShowsTheProductsNameAndWaitsFiveSeconds) {
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->windowTitle(), "Dovrane");
    EXPECT_EQ(splash->findChild<QLabel*>("lblProductName")->text(), "Dovrane");
    auto* timer = splash->findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_EQ(mainWindowShown, 0);
}

TEST_F(Splash, TheButtonHandsOverToTheMainWindow) {
    splash->findChild<QPushButton*>("Command1")->click();
    expectHandedOverOnce();
}

TEST_F(Splash, AnyKeyHandsOverToTheMainWindow) {
    // The key reaches the button, which holds the focus; the window takes it.
    QTest::keyClick(splash->findChild<QPushButton*>("Command1"), Qt::Key_X);
    expectHandedOverOnce();
}

TEST_F(Splash, AKeyOnTheWindowItselfHandsOverToo) {
    QTest::keyClick(splash, Qt::Key_F5);
    expectHandedOverOnce();
}

TEST_F(Splash, TheTimersTickHandsOverAndLaterWaysOutDoNothingMore) {
    auto* timer = splash->findChild<QTimer*>("Timer1");
    QMetaObject::invokeMethod(timer, "timeout");
    expectHandedOverOnce();
    EXPECT_FALSE(timer->isActive());
    splash->Command1_Click();
    EXPECT_EQ(mainWindowShown, 1);
}

TEST(SplashTexts, ZovavidevirsSplashIsSalvients) {
    forms::TestProgram app{"Zovavidevir"};
    auto* splash = app.show<frmSplash>(forms::Modeless, shell::salvientTexts(), [] {});
    EXPECT_EQ(splash->windowTitle(), "Salvient");
    EXPECT_EQ(splash->findChild<QLabel*>("lblProductName")->text(), "Salvient");
}

}  // namespace
