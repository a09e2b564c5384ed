#include "form.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>

#include "program.h"
#include "test_program.h"

namespace {

struct Window : forms::Form {
    Window(forms::Program& program, forms::BorderStyle style) : Form(program, "Window") {
        setBorderStyle(style);
        setClientSizeTwips(4800, 2400);
    }
};

TEST(BorderStyle, AFixedWindowKeepsTheSizeItsCodeGivesIt) {
    forms::TestProgram app;
    auto* fixed = app.show<Window>(forms::Modeless, forms::BorderStyle::FixedSingle);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fixed));
    const QSize given(320, 160);
    EXPECT_EQ(fixed->size(), given);
    EXPECT_FALSE(fixed->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(fixed->windowFlags() & Qt::WindowCloseButtonHint);

    // The user's resize and the maximise box change nothing. The window
    // system's resize is undone a moment after it arrives: on a busy machine
    // that may be after the first wait.
    fixed->resize(900, 700);
    EXPECT_EQ(fixed->size(), given);
    fixed->windowHandle()->resize(900, 700);
    QTest::qWait(20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fixed->size() == given; }, 2000)) << fixed->width();
    fixed->showMaximized();
    QTest::qWait(20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fixed->size() == given; }, 2000)) << fixed->width();

    // Its code may still size it.
    fixed->setClientSizeTwips(6000, 3000);
    EXPECT_EQ(fixed->size(), QSize(400, 200));
}

TEST(BorderStyle, ASizableWindowFollowsTheUser) {
    forms::TestProgram app;
    auto* sizable = app.show<Window>(forms::Modeless, forms::BorderStyle::Sizable);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sizable));
    sizable->resize(500, 300);
    EXPECT_EQ(sizable->size(), QSize(500, 300));
}

}  // namespace
