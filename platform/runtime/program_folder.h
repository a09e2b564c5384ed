#pragma once
// The program folder: where a program finds its database, templates and
// other files, as the old App.Path did.

#include <filesystem>
#include <string_view>

namespace runtime {

// The environment variable that points a program at another folder: tests
// and the demo set it to a temporary folder holding the program's files.
inline constexpr const char* kProgramFolderVariable = "PROGRAM_FOLDER";

// The folder of the running executable, or the folder that PROGRAM_FOLDER
// names when it is set and not empty (read at every call).
std::filesystem::path program_folder();

// A file in the program folder: program_file("Ternova.mdb") for the old
// App.Path & "\Ternova.mdb".
std::filesystem::path program_file(std::string_view name);

}  // namespace runtime
