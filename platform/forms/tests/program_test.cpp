#include "program.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "logging_form.h"
#include "qt_printers.h"
#include "test_program.h"

namespace {

using formstest::Log;
using formstest::WindowA;
using formstest::WindowB;
using formstest::WindowC;

TEST(Program, LoadsOneInstancePerFormAndRunsLoadOnce) {
    forms::TestProgram app;
    Log log;
    WindowA* first = app.load<WindowA>(log);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(app.load<WindowA>(log), first);
    EXPECT_EQ(app.show<WindowA>(forms::Modeless, log), first);
    EXPECT_EQ(log.entries, QStringList({"A.Load", "A.Activate"}));
    EXPECT_FALSE(first->isHidden());
    EXPECT_EQ(app.find<WindowB>(), nullptr);
    EXPECT_EQ(app.count(), 1);
}

TEST(Program, UnloadRunsTheHandlersAndTheNextLoadMakesAFreshWindow) {
    forms::TestProgram app;
    Log log;
    QPointer<WindowA> first = app.show<WindowA>(forms::Modeless, log);
    first->findChild<QWidget*>("A.client")->setProperty("typed", "something");

    EXPECT_TRUE(app.unload(*first));
    EXPECT_FALSE(app.isLoaded(first));
    EXPECT_TRUE(first->isHidden());
    // The object outlives its unload until the event loop is back.
    ASSERT_FALSE(first.isNull());
    forms::deleteUnloadedWindows();
    EXPECT_TRUE(first.isNull());

    WindowA* second = app.show<WindowA>(forms::Modeless, log);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->findChild<QWidget*>("A.client")->property("typed").isValid());
    EXPECT_EQ(log.entries, QStringList({"A.Load", "A.Activate", "A.QueryUnload", "A.Unload",
                                        "A.Load", "A.Activate"}));
}

TEST(Program, EitherUnloadHandlerCanKeepTheWindow) {
    forms::TestProgram app;
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    a->cancelQueryUnload = true;
    EXPECT_FALSE(app.unload(*a));
    a->cancelQueryUnload = false;
    a->cancelUnload = true;
    EXPECT_FALSE(app.unload(*a));
    EXPECT_TRUE(app.isLoaded(a));
    EXPECT_FALSE(a->isHidden());
    EXPECT_EQ(log.entries,
              QStringList({"A.Load", "A.Activate", "A.QueryUnload", "A.QueryUnload", "A.Unload"}));
}

TEST(Program, TheCloseBoxUnloadsThroughTheHandlers) {
    forms::TestProgram app;
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    a->cancelQueryUnload = true;
    a->close();
    EXPECT_TRUE(app.isLoaded(a));
    a->cancelQueryUnload = false;
    a->close();
    EXPECT_FALSE(app.isLoaded(a));
    EXPECT_EQ(log.entries.mid(2),
              QStringList({"A.QueryUnload(close box)", "A.QueryUnload(close box)", "A.Unload"}));
}

TEST(Program, UnloadsEveryOtherWindowLastLoadedFirst) {
    forms::TestProgram app;
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    app.show<WindowB>(forms::Modeless, log);
    app.show<WindowC>(forms::Modeless, log);
    log.entries.clear();
    // The main window's unload unloads the others while it is itself loaded.
    a->onUnload = [&](formstest::LoggingForm& self) { app.unloadOthers(self); };
    EXPECT_TRUE(app.unload(*a));
    EXPECT_EQ(log.entries, QStringList({"A.QueryUnload", "A.Unload", "C.QueryUnload", "C.Unload",
                                        "B.QueryUnload", "B.Unload"}));
    EXPECT_EQ(app.count(), 0);
}

TEST(Program, EndClosesEveryWindowWithoutUnloadHandlers) {
    forms::TestProgram app;
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    WindowB* b = app.show<WindowB>(forms::Modeless, log);
    log.entries.clear();
    app.end();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.count(), 0);
    EXPECT_TRUE(a->isHidden());
    EXPECT_TRUE(b->isHidden());
    EXPECT_TRUE(log.entries.isEmpty());
    // Code that still runs after the end opens nothing.
    EXPECT_EQ(app.show<WindowC>(forms::Modeless, log), nullptr);
    EXPECT_TRUE(log.entries.isEmpty());
    EXPECT_EQ(app.run(), 0);
}

TEST(Program, ModalShowReturnsOnlyAfterTheWindowClosed) {
    forms::TestProgram app;
    Log log;
    QStringList seenInside;
    app.modal.whenShown([&](forms::Form& shown) {
        seenInside << shown.objectName();
        seenInside << (shown.windowModality() == Qt::ApplicationModal ? "modal" : "modeless");
        shown.unloadMe();
    });
    // A login window shown modally while the main window starts: the rest of
    // the main window's start waits for it.
    WindowA* a = app.load<WindowA>(log);
    a->onActivate = [&](formstest::LoggingForm&) {
        EXPECT_EQ(app.show<WindowB>(forms::Modal, log), nullptr);
        log.add("after the modal window");
    };
    app.show(*a);
    EXPECT_EQ(seenInside, QStringList({"B", "modal"}));
    EXPECT_EQ(app.modal.shown, QStringList({"B"}));
    EXPECT_EQ(log.entries, QStringList({"A.Load", "A.Activate", "B.Load", "B.Activate",
                                        "B.QueryUnload", "B.Unload", "after the modal window"}));
}

TEST(Program, HidingAWindowAndShowingItAgainActivatesItAgain) {
    forms::TestProgram app;
    Log log;
    WindowA* caller = app.show<WindowA>(forms::Modeless, log);
    // The caller hides itself and shows the next window, which shows the
    // caller again when it unloads.
    caller->hide();
    WindowB* next = app.show<WindowB>(forms::Modeless, log);
    next->onUnload = [&](formstest::LoggingForm&) { app.show(*caller); };
    EXPECT_TRUE(caller->isHidden());
    next->unloadMe();
    EXPECT_FALSE(caller->isHidden());
    EXPECT_EQ(log.entries, QStringList({"A.Load", "A.Activate", "B.Load", "B.Activate",
                                        "B.QueryUnload", "B.Unload", "A.Activate"}));
}

TEST(Program, ActivateRunsWhenTheUserComesBackToAWindow) {
    forms::TestProgram app;
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    WindowB* b = app.show<WindowB>(forms::Modeless, log);
    // The window system confirms both activations later: no Activate again.
    ASSERT_TRUE(QTest::qWaitForWindowActive(b));
    QApplication::processEvents();
    EXPECT_EQ(log.entries, QStringList({"A.Load", "A.Activate", "B.Load", "B.Activate"}));

    a->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(a));
    b->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(b));
    EXPECT_EQ(log.entries.mid(4), QStringList({"A.Activate", "B.Activate"}));
    EXPECT_EQ(app.activeForm(), b);
}

TEST(Program, WhenTheActiveWindowGoesTheOneBeforeItIsActivated) {
    forms::TestProgram app;
    Log log;
    app.show<WindowA>(forms::Modeless, log);
    app.show<WindowB>(forms::Modeless, log)->unloadMe();
    QApplication::processEvents();
    EXPECT_EQ(log.entries.mid(2),
              QStringList({"B.Load", "B.Activate", "B.QueryUnload", "B.Unload", "A.Activate"}));

    // A window that hides itself and shows the next one hands over to that one.
    WindowB* b = app.show<WindowB>(forms::Modeless, log);
    log.entries.clear();
    b->hide();
    app.show<WindowC>(forms::Modeless, log);
    QApplication::processEvents();
    EXPECT_EQ(log.entries, QStringList({"C.Load", "C.Activate"}));
    EXPECT_EQ(app.activeForm(), app.find<WindowC>());
}

TEST(Program, ShowingTheActiveWindowAgainDoesNotActivateIt) {
    forms::TestProgram app;
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    app.show(*a);
    EXPECT_EQ(log.entries, QStringList({"A.Load", "A.Activate"}));
}

TEST(Program, AWindowThatUnloadsItselfWhileShownIsNotReturned) {
    forms::TestProgram app;
    Log log;
    app.load<WindowA>(log)->onActivate = [](formstest::LoggingForm& self) { self.unloadMe(); };
    EXPECT_EQ(app.show<WindowA>(forms::Modeless, log), nullptr);
    EXPECT_EQ(app.find<WindowA>(), nullptr);
}

TEST(Program, EndsWhenTheLastWindowIsUnloadedOnceTheHandlerFinished) {
    forms::TestProgram app;
    Log log;
    WindowA* splash = app.show<WindowA>(forms::Modeless, log);
    // A splash window unloads itself and then shows the main window.
    splash->unloadMe();
    app.show<WindowB>(forms::Modeless, log);
    QApplication::processEvents();
    EXPECT_FALSE(app.ended());

    app.unload<WindowB>();
    EXPECT_FALSE(app.ended());
    QApplication::processEvents();
    EXPECT_TRUE(app.ended());
}

TEST(Program, AWindowUnloadedUnderAModalWindowLivesUntilTheModalWindowCloses) {
    forms::TestProgram app;
    Log log;
    QPointer<WindowA> a = app.show<WindowA>(forms::Modeless, log);
    app.modal.whenShown([&](forms::Form& b) {
        app.unload(*a);
        forms::deleteUnloadedWindows();
        EXPECT_FALSE(a.isNull());  // its handler below the modal window still runs
        b.unloadMe();
    });
    app.show<WindowB>(forms::Modal, log);
    EXPECT_FALSE(a.isNull());
    forms::deleteUnloadedWindows();
    EXPECT_TRUE(a.isNull());
}

// The real modal loop: a nested event loop that ends when the window goes.
TEST(QtModalLoop, ReturnsWhenTheModalWindowIsUnloaded) {
    forms::TestProgram app;
    app.services().modalLoop = std::make_unique<forms::QtModalLoop>();
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    auto* button = new QPushButton("&Aceptar", a->client());
    QObject::connect(button, &QPushButton::clicked, a, [a] { a->unloadMe(); });
    // What the user does while the window is open; the guard ends a hung test.
    QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] { app.end(1); });
    guard.start(20000);

    a->hide();
    EXPECT_EQ(app.show(*a, forms::Modal), false);
    EXPECT_FALSE(app.ended());
    EXPECT_EQ(log.entries.mid(2), QStringList({"A.Activate", "A.QueryUnload", "A.Unload"}));
}

TEST(QtModalLoop, ReturnsWhenTheModalWindowIsHidden) {
    forms::TestProgram app;
    app.services().modalLoop = std::make_unique<forms::QtModalLoop>();
    Log log;
    WindowA* a = app.load<WindowA>(log);
    QTimer::singleShot(0, a, [a] { a->hide(); });
    EXPECT_TRUE(app.show(*a, forms::Modal));
    EXPECT_TRUE(a->isHidden());
    EXPECT_EQ(a->windowModality(), Qt::NonModal);
}

}  // namespace
