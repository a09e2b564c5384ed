#pragma once
// A new workbook, written from scratch: what the reports did by adding a
// workbook in the spreadsheet program, reducing it to one sheet, naming it,
// setting its page layout, filling Cells(row, col).Value, formatting the
// header row and saving it with SaveAs (alerts off, so that an earlier file
// of that name is replaced). A table longer than a sheet goes on in further
// sheets, added one after the other.
//
// Rows stream to disk as they are finished, so a report of a million rows
// takes little memory. Hence the order: the sheet is named and the formats
// are declared before the cells they reach are written, and rows are
// written from top to bottom (the cells of a row in any order), one sheet
// after the other.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cell_reference.h"
#include "workbook_error.h"

namespace workbook {

// Page layout.

enum class Orientation { portrait, landscape };

// Margins are given in points, as the spreadsheet program takes them.
constexpr double centimetersToPoints(double centimeters) {
    return centimeters * 72.0 / 2.54;
}

struct FitToPages {
    int wide = 1;  // 0: as many pages as it takes
    int tall = 0;
};

struct PrintTitleRows {
    int first = 1;
    int last = 1;
};

struct PageLayout {
    std::optional<PrintTitleRows> printTitleRows;  // repeated at the top of every page
    Orientation orientation = Orientation::portrait;
    bool centerHorizontally = false;
    bool printHeadings = false;  // row numbers and column letters on the print
    // In points; those left out keep the usual margins.
    std::optional<double> leftMargin, rightMargin, topMargin, bottomMargin;
    // With the spreadsheet program's codes (&B bold, &08 size 8, &F file,
    // &A sheet, &P page, &N pages); 255 characters at most together.
    std::string leftFooter, centerFooter, rightFooter;
    std::optional<FitToPages> fitToPages;  // else printed at full size
};

// Cell formats.

enum class HorizontalAlignment { general, left, center, right };

struct CellFormat {
    bool bold = false;
    std::optional<double> fontSize = std::nullopt;  // points; else the workbook's usual size
    bool borders = false;                           // a continuous thin line on every side
    HorizontalAlignment alignment = HorizontalAlignment::general;
};

class NewWorkbook {
public:
    // Adds the workbook; nothing reaches the disk before saveAs.
    NewWorkbook();
    NewWorkbook(NewWorkbook&&) noexcept;
    NewWorkbook& operator=(NewWorkbook&&) noexcept;
    ~NewWorkbook();

    // The sheets.

    // Names the first sheet (before any cell is written: else
    // std::logic_error). A name that the file format can't take (empty,
    // longer than 31 characters, with one of : \ / ? * [ ], or starting or
    // ending with ') throws std::invalid_argument.
    void nameSheet(std::string_view name);

    // Adds a sheet after the last one; the cells written from now on go into
    // it, its rows counting from 1 again, and none can be written into the
    // sheets before it any more. It prints with the same page layout and its
    // cells take the same formats (a row's format by the row's number). A
    // name refused by nameSheet, or one that another sheet has (whatever the
    // case of its letters), throws std::invalid_argument.
    void addSheet(std::string_view name);

    // Takes the page layout every sheet prints with. A footer too long or
    // title rows outside the sheet throw std::invalid_argument.
    void setPageLayout(const PageLayout& layout);

    // Formats, each declared before the cells it reaches are written (else
    // std::logic_error).

    // The format of every cell written (borders, alignment of a table).
    void formatEveryCell(const CellFormat& format);
    // The format of the cells of one row (the header row), laid over the one
    // of every cell.
    void formatRow(int row, const CellFormat& format);
    // Every column gets the width its longest value needs, when it is saved
    // (each sheet its own widths).
    void autoFitColumns();

    // Cells of the last sheet added (rows and columns count from 1). A row
    // above one already written throws std::logic_error, a cell outside the
    // sheet (a row past kMaxRows) std::out_of_range, a number that is not
    // finite or a text that is not UTF-8 std::invalid_argument. Texts keep
    // every character, character 0 and the other control characters
    // included (see escapeCellText).

    void setValue(int row, int column, std::string_view text);
    void setValue(int row, int column, double number);
    // An empty value: the cell gets only its format (its borders, say).
    void clearValue(int row, int column);

    // Saving and closing.

    // Writes the workbook into the file, replacing a file of that name once
    // the new one is complete. After it no cell can be set any more; the same
    // workbook can be saved again. Throws WorkbookError naming the file when it
    // can't be written.
    void saveAs(const std::filesystem::path& file);

    // Ends the work on it; what was not saved is dropped. Any later call but
    // close throws std::logic_error.
    void close();

private:
    struct State;
    State& state();

    std::unique_ptr<State> state_;
};

}  // namespace workbook
