#pragma once
// A workbook opened from a template, filled cell by cell and saved under a new
// name: what the programs did by opening a template in the spreadsheet
// program, setting Cells(row, col).Value on its active sheet, saving it with
// SaveAs and closing its window. Everything of the template is kept (styles,
// number formats, column widths, titles); only the cells that are set change,
// and each of them keeps the style the template gave it.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "workbook_error.h"

namespace workbook {

// A date as the old runtime holds it: days since 30 December 1899, the
// fraction being the time of day. Written as that number, so that the cell's
// date format shows it as a date.
struct DateSerial {
    double days = 0;
};

struct SaveOptions {
    // Whoever opens the saved workbook is advised to open it read-only.
    bool readOnlyRecommended = false;
};

class TemplateWorkbook {
public:
    // Opening and closing.

    // Opens the workbook file; the cells that are set are those of its active
    // sheet. Throws WorkbookError naming the file when it is missing or not a
    // workbook.
    static TemplateWorkbook open(const std::filesystem::path& file);

    TemplateWorkbook(TemplateWorkbook&&) noexcept;
    TemplateWorkbook& operator=(TemplateWorkbook&&) noexcept;
    ~TemplateWorkbook();

    // The name of its window: the file name it was opened or last saved under.
    std::string name() const;

    // Ends the work on it; changes made since the last saveAs are dropped.
    // Any later call but close throws std::logic_error.
    void close();

    // Setting cells of the active sheet (rows and columns count from 1).
    // A cell outside the sheet throws std::out_of_range; a number that is
    // not finite and a text that is not UTF-8 throw std::invalid_argument.

    void setValue(int row, int column, std::string_view text);
    void setValue(int row, int column, double number);
    void setValue(int row, int column, DateSerial date);
    // The cell loses its value, as when an empty value is set, and keeps its style.
    void clearValue(int row, int column);

    // Saving.

    // Writes the workbook as it now stands into the file, replacing a file of
    // that name once the new one is complete; the workbook then goes by that
    // name. Throws WorkbookError naming the file when it can't be written.
    void saveAs(const std::filesystem::path& file, const SaveOptions& options = {});

private:
    struct State;
    explicit TemplateWorkbook(std::unique_ptr<State> state);
    State& state() const;

    std::unique_ptr<State> state_;
};

}  // namespace workbook
