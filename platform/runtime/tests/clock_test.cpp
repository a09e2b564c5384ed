#include "runtime/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/program_folder.h"

using namespace runtime;

TEST(Clock, AFixedClockReplacesTheSystemClockForItsScope) {
    FixedClock fixed(date_serial(2008, 6, 15) + time_serial(10, 30, 0));
    {
        ScopedClock scope(fixed);
        EXPECT_EQ(today(), date_serial(2008, 6, 15));
        EXPECT_NEAR(timer(), 10.5 * 3600, 1e-6);
        EXPECT_EQ(year_of(now()), 2008);
    }
    EXPECT_GT(year_of(now()), 2020);
}

TEST(ProgramFolder, TheVariableOverridesTheExecutablesFolder) {
    unsetenv(kProgramFolderVariable);
    EXPECT_EQ(program_folder().filename(), "tests");  // build/tests holds this test
    setenv(kProgramFolderVariable, "/tmp/demo", 1);
    EXPECT_EQ(program_file("Ternova.mdb"), std::filesystem::path("/tmp/demo/Ternova.mdb"));
    unsetenv(kProgramFolderVariable);
}
