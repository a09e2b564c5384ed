#include "settings.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace {

using testsupport::TempDir;

QString qpath(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

TEST(FileSettings, KeepsEachProgramsValuesUnderItsTitleSectionAndKey) {
    TempDir dir;
    const QString userDir = qpath(dir.path() / "config");
    {
        sys::FileSettings settings(userDir, qpath(dir.path() / "machine.ini"));
        settings.saveSetting("Ternova", "Settings", "MainLeft", "1200");
        settings.saveSetting("Ternova", "Settings", "MainTop", "450");
        settings.saveSetting("riruzoz", "Settings", "MainLeft", "15");
        settings.saveSetting("Ternova", "Settings", "MainLeft", "1215");
    }
    // A later run of the program finds what the earlier one saved.
    sys::FileSettings later(userDir, qpath(dir.path() / "machine.ini"));
    EXPECT_EQ(later.getSetting("Ternova", "Settings", "MainLeft"), "1215");
    EXPECT_EQ(later.getSetting("Ternova", "Settings", "MainTop"), "450");
    EXPECT_EQ(later.getSetting("riruzoz", "Settings", "MainLeft"), "15");
    EXPECT_EQ(later.getSetting("Ternova", "Settings", "MainWidth", "none"), "none");
    EXPECT_EQ(later.getSetting("Ternova", "Other", "MainLeft"), "");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "config" / "Ternova.ini"));
}

TEST(FileSettings, FindsMachineValuesByKeyPathAndNameBlindToCase) {
    TempDir dir;
    dir.write("machine.ini",
              "; installed tools\n"
              "[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
              "  PATH = /opt/tools/sys info  \n"
              "\n"
              "[SOFTWARE\\Microsoft\\Shared Tools Location]\n"
              "# the folder of the tool\n"
              "MSINFO=/opt/tools\n");
    sys::FileSettings settings(qpath(dir.path() / "config"), qpath(dir.path() / "machine.ini"));

    EXPECT_EQ(settings.machineValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"),
              "/opt/tools/sys info");
    EXPECT_EQ(settings.machineValue("software\\microsoft\\shared tools\\msinfo", "path"),
              "/opt/tools/sys info");
    EXPECT_EQ(settings.machineValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"),
              "/opt/tools");
    // A name is looked for only under its own key.
    EXPECT_EQ(settings.machineValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "MSINFO"),
              std::nullopt);
    EXPECT_EQ(settings.machineValue("SOFTWARE\\Microsoft", "PATH"), std::nullopt);
}

TEST(FileSettings, MissingMachineFileHoldsNoValues) {
    TempDir dir;
    sys::FileSettings settings(qpath(dir.path() / "config"), qpath(dir.path() / "absent.ini"));
    EXPECT_EQ(settings.machineValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"),
              std::nullopt);
}

}  // namespace
