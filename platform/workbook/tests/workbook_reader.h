#pragma once
// Workbook files read back from disk, for tests: the parts of the zip
// package, the cells of a sheet with their values and styles, and what
// xlsx2csv makes of it.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace workbook_test {

struct CellRead {
    std::string type;   // the t attribute: "" for a number, "s", "inlineStr", ...
    std::string value;  // the number as written, or the text (shared strings resolved)
    int style = 0;      // the s attribute
};

struct StyleRead {
    std::string numberFormat;  // the format code ("General", "dd/mm/yy", "0.00%")
    bool bold = false;
    double fontSize = 0;
    std::string leftBorder, bottomBorder;  // line styles, "" for none
    std::string horizontal;                // alignment, "" for general
};

class WorkbookRead {
public:
    // Reads every part. Throws std::runtime_error when the file is no zip.
    explicit WorkbookRead(const std::filesystem::path& file);

    bool has(const std::string& part) const { return parts_.count(part) > 0; }
    const std::string& part(const std::string& name) const;  // throws when absent
    std::vector<std::string> partNames() const;
    // The part parsed; throws when it is not XML.
    pugi::xml_document xml(const std::string& name) const;

    // Sheets in the order of the workbook.
    std::vector<std::string> sheetNames() const;
    std::string sheetPart(int index) const;  // "xl/worksheets/sheet1.xml"

    // The cells of the sheet, by address ("B2").
    std::map<std::string, CellRead> cells(int sheet = 0) const;
    // The addresses of the rows and cells in the order they stand in the file.
    std::vector<int> rowOrder(int sheet = 0) const;
    std::vector<std::string> cellOrder(int sheet = 0) const;
    std::string dimension(int sheet = 0) const;

    StyleRead style(int index) const;

private:
    std::map<std::string, std::string> parts_;
    std::vector<std::string> partOrder_;
};

// A cell's stored text as a spreadsheet program shows it: each _xHHHH_
// escape read as the character it names, in UTF-8.
std::string spreadsheetText(const std::string& stored);

// The CSV text xlsx2csv writes for the file's first sheet.
std::string xlsx2csv(const std::filesystem::path& file);

// Replaces one part of a workbook file (for fixtures that no writer makes).
void replacePart(const std::filesystem::path& file, const std::string& part,
                 const std::string& content);

}  // namespace workbook_test
