#include "wait_cursor.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

namespace {

TEST(QtWaitCursor, IsSetAndClearedAbsolutely) {
    {
        forms::QtWaitCursor cursor;
        cursor.set(true);
        cursor.set(true);  // a second hourglass is the same one
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        cursor.set(false);  // one clear is enough
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        cursor.set(false);
        EXPECT_FALSE(cursor.isSet());
        cursor.set(true);
    }
    // A program that ends with the hourglass leaves the normal pointer.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
