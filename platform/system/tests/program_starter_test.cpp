#include "program_starter.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <filesystem>

#include "temp_dir.h"

namespace {

using testsupport::TempDir;

// Waits for a detached program to leave its mark, a file with a line in it
// (the shell makes the file before it writes the line); gives up after a
// while.
bool appears(const std::filesystem::path& file) {
    QDeadlineTimer deadline(20000);
    auto written = [&] { return testsupport::read_file(file).ends_with('\n'); };
    while (!written() && !deadline.hasExpired())
        QThread::msleep(20);
    return written();
}

TEST(DetachedProgramStarter, StartsACommandLineWithItsArguments) {
    TempDir dir;
    const auto mark = dir.path() / "started";
    sys::DetachedProgramStarter starter;
    EXPECT_TRUE(starter.start(
        QString("/bin/sh -c \"echo started > '%1'\"").arg(QString::fromStdString(mark.string()))));
    ASSERT_TRUE(appears(mark));
    EXPECT_EQ(testsupport::read_file(mark), "started\n");
}

TEST(DetachedProgramStarter, StartsAProgramWhosePathHoldsBlanks) {
    TempDir dir;
    const auto mark = dir.path() / "ran";
    const auto tool =
        dir.write("system tools/sys info", "#!/bin/sh\necho ran > '" + mark.string() + "'\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    sys::DetachedProgramStarter starter;
    EXPECT_TRUE(starter.start(QString::fromStdString(tool.string())));
    EXPECT_TRUE(appears(mark));
}

TEST(DetachedProgramStarter, ReportsAProgramThatCannotStart) {
    TempDir dir;
    sys::DetachedProgramStarter starter;
    EXPECT_FALSE(starter.start(QString::fromStdString((dir.path() / "missing").string())));
    EXPECT_FALSE(starter.start(""));
    const auto notExecutable = dir.write("plain.txt", "text\n");
    EXPECT_FALSE(starter.start(QString::fromStdString(notExecutable.string())));
}

}  // namespace
