#include "long_job.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include "controls.h"
#include "logging_form.h"
#include "qt_printers.h"
#include "runtime/still_working.h"
#include "test_program.h"
#include "text_box.h"

namespace {

using formstest::Log;
using formstest::WindowA;
using formstest::WindowB;

// A window with a button, a box, a menu entry with its shortcut and a
// running timer, each counting what reaches its handler.
struct Busy : formstest::LoggingForm {
    Busy(forms::Program& program, Log& log) : LoggingForm(program, "Busy", log) {
        setClientSizeTwips(4800, 2400);
        Command1 = forms::control<QPushButton>("Command1", client());
        Command1->setText("&Uno");
        forms::placeTwips(Command1, 120, 120, 1500, 495);
        Text1 = forms::control<forms::TextBox>("Text1", client());
        forms::placeTwips(Text1, 120, 840, 2400, 315);
        QMenu* menu = forms::addMenu(menuBar(), "mnuArchivo", "&Archivo");
        mnuBorra = forms::addMenuItem(menu, "mnuBorra", "&Borra");
        mnuBorra->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
        Timer1 = forms::control<QTimer>("Timer1", this);
        Timer1->setInterval(1);
        connect(Command1, &QPushButton::clicked, this, [this] { handlers.add("Command1_Click"); });
        connect(Text1, &forms::TextBox::changed, this, [this] { handlers.add("Text1_Change"); });
        connect(mnuBorra, &QAction::triggered, this, [this] { handlers.add("mnuBorra_Click"); });
        connect(Timer1, &QTimer::timeout, this, [this] { ++ticks; });
    }
    QPushButton* Command1;
    forms::TextBox* Text1;
    QAction* mnuBorra;
    QTimer* Timer1;
    Log handlers;
    int ticks = 0;
};

// Lets the job answer: every refresh after 50 ms processes the window events.
void workFor(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QThread::msleep(5);
        runtime::still_working();
    }
}

// The user's mouse and keyboard on the window, delivered as the window
// system delivers them: to the window, and straight to the widgets.
void userActsOn(Busy& busy, bool thenCloseBox) {
    const QPoint button = busy.Command1->mapTo(&busy, busy.Command1->rect().center());
    QTest::mouseClick(busy.windowHandle(), Qt::LeftButton, {}, button);
    QTest::mouseClick(busy.Command1, Qt::LeftButton);
    busy.Text1->setFocus();
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C})
        QTest::keyClick(busy.windowHandle(), key);
    QTest::keyClicks(busy.Text1, "def");
    QTest::keyClick(busy.windowHandle(), Qt::Key_B, Qt::ControlModifier);
    if (thenCloseBox)
        busy.windowHandle()->close();
}

TEST(LongJob, NoUserInputReachesAHandlerWhileItRuns) {
    forms::TestProgram app;
    Log log;
    auto* busy = app.show<Busy>(forms::Modeless, log);
    ASSERT_TRUE(QTest::qWaitForWindowActive(busy));
    busy->Timer1->start();
    log.entries.clear();
    int ticksInTheJob = 0;
    {
        forms::LongJob job;
        const int ticksBefore = busy->ticks;
        userActsOn(*busy, false);
        workFor(150);
        userActsOn(*busy, true);
        ticksInTheJob = busy->ticks - ticksBefore;
    }
    QTest::qWait(30);
    EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join(", ").toStdString();
    ASSERT_TRUE(app.isLoaded(busy)) << "the close box reached the window";
    EXPECT_EQ(ticksInTheJob, 0);
    EXPECT_GT(busy->ticks, 0) << "the timer ticks again after the job";
    EXPECT_TRUE(busy->handlers.entries.isEmpty())
        << busy->handlers.entries.join(", ").toStdString();
    EXPECT_EQ(busy->Text1->text(), "");

    // The same input after the job reaches every handler.
    busy->Timer1->stop();
    userActsOn(*busy, true);
    EXPECT_TRUE(busy->handlers.entries.contains("Command1_Click"));
    EXPECT_TRUE(busy->handlers.entries.contains("Text1_Change"));
    EXPECT_TRUE(busy->handlers.entries.contains("mnuBorra_Click"));
    EXPECT_TRUE(log.entries.contains("Busy.QueryUnload(close box)"));
}

TEST(LongJob, AWindowThatIsNotTheProgramsTakesInputDuringTheJob) {
    forms::TestProgram app;
    Log log;
    app.show<WindowA>(forms::Modeless, log);
    // A message box the job opens is a window of Qt's own.
    QWidget box;
    auto* ok = new QPushButton("Aceptar", &box);
    int pressed = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++pressed; });
    box.show();
    forms::LongJob job;
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(pressed, 1);
}

TEST(LongJob, RefreshLetsTheWindowSystemInOnlyDuringAJob) {
    forms::TestProgram app;
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    bool delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    forms::refresh(a);
    runtime::still_working();
    EXPECT_FALSE(delivered) << "outside a job a refresh only paints";
    {
        forms::LongJob job;
        forms::refresh(a);  // the job's first refresh answers at once
        EXPECT_TRUE(delivered);
    }
    delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    {
        forms::LongJob job;
        runtime::still_working();
        EXPECT_TRUE(delivered);
    }
}

TEST(LongJob, ActivationsAndQueuedWorkWaitForTheEndOfTheJob) {
    forms::TestProgram app;
    Log log;
    WindowA* a = app.show<WindowA>(forms::Modeless, log);
    WindowB* b = app.show<WindowB>(forms::Modeless, log);
    ASSERT_TRUE(QTest::qWaitForWindowActive(b));
    QApplication::processEvents();
    log.entries.clear();
    {
        forms::LongJob job;
        // The user comes back to A during the job.
        a->activateWindow();
        workFor(120);
        EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join(", ").toStdString();
    }
    QTest::qWait(30);
    EXPECT_EQ(log.entries, QStringList({"A.Activate"}));

    // The window that takes over from a progress window the job unloads is
    // activated once the job has ended.
    log.entries.clear();
    auto* progress = app.show<formstest::WindowC>(forms::Modeless, log);
    {
        forms::LongJob job;
        progress->unloadMe();
        workFor(120);
        EXPECT_EQ(log.entries, QStringList({"C.Load", "C.Activate", "C.QueryUnload", "C.Unload"}));
    }
    QTest::qWait(30);
    EXPECT_EQ(log.entries.mid(4), QStringList({"B.Activate"}));
}

}  // namespace
