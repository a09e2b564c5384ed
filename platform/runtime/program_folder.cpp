#include "program_folder.h"

#include <cstdlib>
#include <string>

namespace runtime {

std::filesystem::path program_folder() {
    const char* folder = std::getenv(kProgramFolderVariable);
    if (folder && *folder)
        return std::filesystem::path(folder);
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path();
    return executable.parent_path();
}

std::filesystem::path program_file(std::string_view name) {
    return program_folder() / std::filesystem::path(std::string(name));
}

}  // namespace runtime
