#pragma once
// A fresh directory for one test, removed with everything in it.

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file below the directory (creating its folders) and returns its path.
    std::filesystem::path write(const std::string& relative, const std::string& content) const;

private:
    std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);

}  // namespace testsupport
