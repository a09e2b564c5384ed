#pragma once
// A Ternova.mdb made from the real schema in a temporary program folder.

#include <cstdlib>

#include "MdlTtlQuality.h"
#include "database/TernovaDatabase.h"
#include "runtime/program_folder.h"
#include "temp_dir.h"

struct TernovaFolder {
    testsupport::TempDir folder;
    std::filesystem::path file;

    TernovaFolder() : file(quality::create_ternova_database(folder.path(), "clave")) {
        setenv(runtime::kProgramFolderVariable, folder.path().c_str(), 1);
    }
    ~TernovaFolder() { unsetenv(runtime::kProgramFolderVariable); }
};
