#include "help_viewer.h"

#include <gtest/gtest.h>

#include <QTextBrowser>

#include "temp_dir.h"

namespace {

using testsupport::TempDir;

TEST(HelpWindow, ShowsTheDocumentTitledWithItsTitle) {
    TempDir dir;
    const auto first = dir.write("Ternova.html",
                                 "<html><head><title>Ayuda de Ternova</title></head>"
                                 "<body><p>Boletas resueltas</p></body></html>");
    const auto second = dir.write("Otro.html", "<html><body><p>Segunda ayuda</p></body></html>");
    sys::HelpWindow help;
    ASSERT_TRUE(help.showHelp(QString::fromStdString(first.string())));
    QTextBrowser* window = help.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->objectName(), "HelpViewer");
    EXPECT_EQ(window->windowTitle(), "Ayuda de Ternova");
    EXPECT_TRUE(window->toPlainText().contains("Boletas resueltas"));

    // A second document reuses the one window; without a title it is named
    // after its file.
    ASSERT_TRUE(help.showHelp(QString::fromStdString(second.string())));
    EXPECT_EQ(help.window(), window);
    EXPECT_EQ(window->windowTitle(), "Otro");
    EXPECT_TRUE(window->toPlainText().contains("Segunda ayuda"));
}

TEST(HelpWindow, MissingDocumentShowsNothing) {
    TempDir dir;
    sys::HelpWindow help;
    EXPECT_FALSE(help.showHelp(QString::fromStdString((dir.path() / "Ternova.html").string())));
    EXPECT_EQ(help.window(), nullptr);
}

}  // namespace
