// The about window: its texts, its close button, and the three outcomes of
// "Información...": the tool by its path, the tool in its folder, no tool.

#include "frmAbout.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "qt_printers.h"
#include "temp_dir.h"
#include "test_program.h"

namespace {

using shell::frmAbout;
using testsupport::TempDir;

// A main window for the about window to stand beside.
struct MainWindow : forms::Form {
    explicit MainWindow(forms::Program& program) : Form(program, "Importadat") {}
};

const QString kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QString kLocation = "SOFTWARE\\Microsoft\\Shared Tools Location";

struct About : ::testing::Test {
    forms::TestProgram app{"riruzoz"};
    frmAbout* about = app.show<frmAbout>(forms::Modeless, shell::dovraneTexts());

    void pressInformation() { about->findChild<QPushButton*>("cmdSysInfo")->click(); }
    void expectUnavailableAndStillOpen() {
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown[0].text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(app.messages.shown[0].style, forms::msg::OkOnly);
        EXPECT_EQ(app.messages.shown[0].title, "riruzoz");
        EXPECT_NE(app.find<frmAbout>(), nullptr);
    }
};

TEST_F(About, ShowsTheProductsTitleAndVersion) {
    EXPECT_EQ(about->windowTitle(), "Acerca de Dovrane");
    EXPECT_EQ(about->findChild<QLabel*>("lblTitle")->text(), " Dovrane");
    EXPECT_EQ(about->findChild<QLabel*>("Label1")->text(), "Versión 2.0.0");
    EXPECT_EQ(about->findChild<QLabel*>("lblDisclaimer")->text(), "");
    EXPECT_EQ(about->findChild<QPushButton*>("cmdSysInfo")->text(), "&Información...");
}

TEST_F(About, AceptarUnloadsIt) {
    about->findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(app.find<frmAbout>(), nullptr);
}

TEST_F(About, StartsTheToolAtThePathItsKeyGives) {
    app.settings.setMachineValue(kMsinfo, "PATH", "/opt/tools/sysinfo");
    app.settings.setMachineValue(kLocation, "MSINFO", "/opt/elsewhere");
    pressInformation();
    EXPECT_EQ(app.programs.started, QStringList{"/opt/tools/sysinfo"});
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(About, StartsTheToolFoundInTheSharedToolsFolder) {
    TempDir folder;
    folder.write("MSINFO32.EXE", "");
    const QString dir = QString::fromStdString(folder.path().string());
    app.settings.setMachineValue(kLocation, "MSINFO", dir);
    pressInformation();
    EXPECT_EQ(app.programs.started, QStringList{dir + "/MSINFO32.EXE"});
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(About, WithNeitherKeyTheToolIsUnavailable) {
    pressInformation();
    EXPECT_TRUE(app.programs.started.isEmpty());
    expectUnavailableAndStillOpen();
}

TEST_F(About, ASharedToolsFolderWithoutTheToolIsUnavailable) {
    TempDir folder;
    app.settings.setMachineValue(kLocation, "MSINFO",
                                 QString::fromStdString(folder.path().string()));
    pressInformation();
    EXPECT_TRUE(app.programs.started.isEmpty());
    expectUnavailableAndStillOpen();
}

TEST_F(About, AToolThatWontStartIsUnavailable) {
    app.settings.setMachineValue(kMsinfo, "PATH", "/opt/tools/sysinfo");
    app.programs.succeeds = false;
    pressInformation();
    expectUnavailableAndStillOpen();
}

TEST_F(About, GetKeyValueEmptiesTheValueWhenTheKeyIsAbsent) {
    QString value = "old";
    EXPECT_FALSE(about->GetKeyValue(shell::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", value));
    EXPECT_EQ(value, "");
    app.settings.setMachineValue(kMsinfo, "PATH", QString("/bin/tool") + QChar(0));
    EXPECT_TRUE(about->GetKeyValue(shell::HKEY_LOCAL_MACHINE, kMsinfo, "PATH", value));
    EXPECT_EQ(value, "/bin/tool");
    EXPECT_FALSE(about->GetKeyValue("HKEY_CURRENT_USER", kMsinfo, "PATH", value));
}

TEST(AboutBeside, ZovavidevirsAboutIsSalvientsAndStandsBesideTheMainWindow) {
    forms::TestProgram app{"Zovavidevir"};
    auto* main = app.show<MainWindow>(forms::Modeless);
    main->setPlacement({1500, 1200, 6000, 4500});
    auto* about = frmAbout::showBeside(app, shell::salvientTexts(), *main);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "Acerca de Salvient");
    EXPECT_EQ(about->findChild<QLabel*>("Label1")->text(), "Versión 1.0.0");
    EXPECT_EQ(about->placement().left, 7500);
    EXPECT_EQ(about->placement().top, 1200);
    EXPECT_TRUE(main->isVisible());
}

}  // namespace
