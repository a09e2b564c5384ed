#pragma once
// A workbook file as the zip package it is: its parts (the XML files and
// whatever else it holds), read whole into memory and written back in the
// order they came.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

struct PackagePart {
    std::string name;     // its path inside the package, "xl/worksheets/sheet1.xml"
    std::string content;  // its bytes
};

class Package {
public:
    // Reads every part of the file. Throws WorkbookError naming the file when
    // it is missing, unreadable or not a zip package.
    static Package read(const std::filesystem::path& file);

    // The part of that name, or null.
    PackagePart* find(std::string_view name);
    const PackagePart* find(std::string_view name) const;

    const std::vector<PackagePart>& parts() const { return parts_; }

    // Writes every part into the file, replacing what was there only once the
    // whole package is written. Throws WorkbookError naming the file when it
    // can't be written.
    void write(const std::filesystem::path& file) const;

private:
    std::vector<PackagePart> parts_;
};

}  // namespace workbook
