// The about window: its caption and texts, and the three ways of the
// system-information button.

#include "frmacerca.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include <fstream>

#include "qt_printers.h"
#include "temp_dir.h"
#include "test_program.h"

namespace {

using quality::frmacerca;

struct AboutWindow : ::testing::Test {
    testsupport::TempDir tools;
    forms::TestProgram app{"Ternova"};
    frmacerca* window = app.show<frmacerca>(forms::Modeless);

    QString tool(const char* name) {
        const auto file = tools.path() / name;
        std::ofstream(file) << "#!/bin/sh\n";
        return QString::fromStdString(file.string());
    }
    QString folder() { return QString::fromStdString(tools.path().string()); }
    void sistema() { window->findChild<QPushButton*>("cmdSysInfo")->click(); }
    void expectUnavailable() {
        EXPECT_TRUE(app.programs.started.isEmpty());
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown[0].text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(app.messages.shown[0].style, 0);
        EXPECT_EQ(app.messages.shown[0].title, "Ternova");
    }
};

TEST_F(AboutWindow, ShowsTheProgramsTitleAndCredits) {
    EXPECT_EQ(window->windowTitle(), "Acerca Ternova");
    EXPECT_EQ(window->findChild<QLabel*>("lblTitle")->text(), "Ternova");
    EXPECT_EQ(window->findChild<QLabel*>("lblDescription")->text(), "Elaborado por:");
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
        EXPECT_FALSE(window->findChild<QLabel*>(name)->text().isEmpty()) << name;
    EXPECT_EQ(window->findChild<QPushButton*>("cmdSysInfo")->text(), "&Sistema..");
    window->findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(app.isLoaded(window));
}

TEST_F(AboutWindow, StartsTheToolItsOwnKeyNames) {
    const QString path = tool("sysinfo tool");
    app.settings.setMachineValue(quality::kMsinfoKey, "PATH", path);
    app.settings.setMachineValue(quality::kSharedToolsKey, "MSINFO", folder());
    sistema();
    EXPECT_EQ(app.programs.started, QStringList{path});
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(AboutWindow, StartsTheToolInTheSharedToolsFolder) {
    const QString path = tool("MSINFO32.EXE");
    app.settings.setMachineValue(quality::kSharedToolsKey, "MSINFO", folder());
    sistema();
    EXPECT_EQ(app.programs.started, QStringList{path});
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(AboutWindow, WithoutTheToolSaysItIsUnavailable) {
    sistema();  // no key at all
    expectUnavailable();
}

TEST_F(AboutWindow, AFolderWithoutTheToolOrAMissingPathIsUnavailable) {
    app.settings.setMachineValue(quality::kSharedToolsKey, "MSINFO", folder());
    sistema();
    expectUnavailable();

    app.messages.shown.clear();
    app.settings.setMachineValue(quality::kMsinfoKey, "PATH", folder() + "/gone");
    sistema();
    expectUnavailable();
}

TEST_F(AboutWindow, AToolThatDoesNotStartIsUnavailable) {
    app.settings.setMachineValue(quality::kMsinfoKey, "PATH", tool("sysinfo"));
    app.programs.succeeds = false;
    sistema();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "System Information Is Unavailable At This Time");
}

}  // namespace
