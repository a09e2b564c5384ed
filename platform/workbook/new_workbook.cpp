#include "new_workbook.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include "cell_reference.h"
#include "cell_text.h"

namespace workbook {

namespace {

constexpr int kMaxFooterCharacters = 255;
constexpr size_t kMaxSheetNameCharacters = 31;
constexpr size_t kMaxCellTextCharacters = 32767;
constexpr double kMaxColumnWidth = 255;
constexpr double kUsualFontSize = 11;

struct WorkbookFreer {
    void operator()(lxw_workbook* book) const noexcept { lxw_workbook_free(book); }
};
using Book = std::unique_ptr<lxw_workbook, WorkbookFreer>;

// What makes two formats the same format in the file.
using FormatKey = std::tuple<bool, double, bool, HorizontalAlignment>;

FormatKey keyOf(const CellFormat& format) {
    return {format.bold, format.fontSize.value_or(0), format.borders, format.alignment};
}

bool isPlain(const CellFormat& format) {
    return keyOf(format) == keyOf(CellFormat{});
}

// A row's own format laid over the format of every cell.
CellFormat laidOver(const CellFormat& base, const CellFormat& over) {
    CellFormat merged = base;
    merged.bold = base.bold || over.bold;
    if (over.fontSize)
        merged.fontSize = over.fontSize;
    merged.borders = base.borders || over.borders;
    if (over.alignment != HorizontalAlignment::general)
        merged.alignment = over.alignment;
    return merged;
}

uint8_t alignmentCode(HorizontalAlignment alignment) {
    switch (alignment) {
        case HorizontalAlignment::left:
            return LXW_ALIGN_LEFT;
        case HorizontalAlignment::center:
            return LXW_ALIGN_CENTER;
        case HorizontalAlignment::right:
            return LXW_ALIGN_RIGHT;
        case HorizontalAlignment::general:
            break;
    }
    return LXW_ALIGN_NONE;
}

// The width a value needs in its column, in the widths of a digit of the
// usual font, with a little room on both sides.
double neededWidth(std::string_view text, const CellFormat& format) {
    size_t longestLine = 0;
    for (size_t start = 0; start <= text.size();) {
        size_t end = std::min(text.find('\n', start), text.size());
        longestLine = std::max(longestLine, characterCount(text.substr(start, end - start)));
        start = end + 1;
    }
    double scale = format.fontSize.value_or(kUsualFontSize) / kUsualFontSize;
    if (format.bold)
        scale *= 1.1;
    return std::min(kMaxColumnWidth, longestLine * scale + 2);
}

std::string footerText(const PageLayout& layout) {
    std::string footer;
    if (!layout.leftFooter.empty())
        footer += "&L" + layout.leftFooter;
    if (!layout.centerFooter.empty())
        footer += "&C" + layout.centerFooter;
    if (!layout.rightFooter.empty())
        footer += "&R" + layout.rightFooter;
    return footer;
}

void checkSheetName(std::string_view name) {
    auto refuse = [&](const std::string& reason) {
        throw std::invalid_argument("\"" + std::string(name) + "\" can't name a sheet: " + reason);
    };
    checkCellText(name);
    if (name.empty())
        refuse("it is empty");
    if (characterCount(name) > kMaxSheetNameCharacters)
        refuse("it is longer than 31 characters");
    if (name.find_first_of(":\\/?*[]") != std::string_view::npos)
        refuse("it holds one of : \\ / ? * [ ]");
    if (name.front() == '\'' || name.back() == '\'')
        refuse("it starts or ends with an apostrophe");
}

[[noreturn]] void failToSave(const std::filesystem::path& file, const std::string& reason) {
    throw WorkbookError("cannot save the workbook \"" + file.string() + "\": " + reason);
}

// A file descriptor that closes itself.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Copies the finished workbook beside the target and renames it into place,
// so that the target is either the old file or the whole new one.
void replaceWithCopy(const std::filesystem::path& draft, const std::filesystem::path& target) {
    std::error_code status;
    if (std::filesystem::is_directory(target, status))
        failToSave(target, "a folder of that name is in the way");

    static std::atomic<unsigned> copies{0};
    std::filesystem::path partial =
        target.parent_path() / ("." + target.filename().string() + ".partial-" +
                                std::to_string(::getpid()) + "-" + std::to_string(++copies));
    Descriptor source{::open(draft.c_str(), O_RDONLY | O_CLOEXEC)};
    if (source.fd < 0)
        failToSave(target, std::string("the written workbook is gone: ") + std::strerror(errno));
    Descriptor copy{::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
    if (copy.fd < 0)
        failToSave(target, std::strerror(errno));

    auto failAndRemove = [&](int error) {
        std::filesystem::remove(partial, status);
        failToSave(target, std::strerror(error));
    };
    std::vector<char> buffer(1 << 16);
    for (;;) {
        ssize_t got = ::read(source.fd, buffer.data(), buffer.size());
        if (got < 0)
            failAndRemove(errno);
        if (got == 0)
            break;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = ::write(copy.fd, buffer.data() + done, got - done);
            if (put < 0)
                failAndRemove(errno);
            done += put;
        }
    }
    int closed = ::close(copy.fd);
    copy.fd = -1;
    if (closed != 0)
        failAndRemove(errno);
    if (std::rename(partial.c_str(), target.c_str()) != 0)
        failAndRemove(errno);
}

// A fresh, empty file in the temporary folder for the workbook to be written into.
std::filesystem::path newDraftFile() {
    std::string name = (std::filesystem::temp_directory_path() / "new-workbook-XXXXXX").string();
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        throw WorkbookError(std::string("cannot start a new workbook: ") + std::strerror(errno));
    ::close(fd);
    return name;
}

// A name as the file format compares names: blind to the case of ASCII letters.
std::string comparableName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

// The name the file format gives a sheet that was not named.
constexpr const char* kFirstSheetName = "Sheet1";

}  // namespace

struct NewWorkbook::State {
    struct Sheet {
        std::string name;  // "" for the first one when it was not named
        lxw_worksheet* worksheet = nullptr;
        std::vector<double> widths;  // by column, from column 1 at index 0
    };

    PageLayout layout;
    CellFormat everyCell;
    std::map<int, CellFormat> rowFormats;
    bool autoFit = false;
    std::vector<Sheet> sheets{Sheet{}};  // cells go into the last one

    std::filesystem::path draft;  // where the workbook is written before it is saved
    Book book;
    std::map<FormatKey, lxw_format*> formats;
    int lastRow = 0;           // the row of the last cell written in the last sheet
    bool written = false;      // the draft holds the finished workbook
    std::string writeFailure;  // why the draft could not be finished

    // The format of the row of the last cell, kept for the other cells of that row.
    int formattedRow = 0;
    CellFormat rowFormat;
    lxw_format* rowFileFormat = nullptr;
    std::string text;  // the last text written, as the cell stores it

    ~State() {
        book.reset();
        std::error_code status;
        if (!draft.empty())
            std::filesystem::remove(draft, status);
    }

    bool anyCellWritten() const { return lastRow > 0 || sheets.size() > 1; }

    lxw_worksheet* addWorksheet(const std::string& name) {
        lxw_worksheet* made =
            workbook_add_worksheet(book.get(), name.empty() ? nullptr : name.c_str());
        if (!made)
            throw WorkbookError("cannot add the sheet \"" + name + "\" to the workbook");
        return made;
    }

    void open() {
        if (book)
            return;
        draft = newDraftFile();
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;  // each finished row goes to disk
        book.reset(workbook_new_opt(draft.c_str(), &options));
        if (!book)
            throw WorkbookError("cannot start a new workbook: out of memory");
        sheets.front().worksheet = addWorksheet(sheets.front().name);
    }

    void addSheet(std::string_view name) {
        if (written)
            throw std::logic_error("the workbook is saved: no sheet can be added any more");
        checkSheetName(name);
        for (const Sheet& sheet : sheets)
            if (comparableName(sheet.name.empty() ? kFirstSheetName : sheet.name) ==
                comparableName(name))
                throw std::invalid_argument("\"" + std::string(name) +
                                            "\" can't name a sheet: another sheet has that name");
        open();
        Sheet sheet;
        sheet.name = name;
        sheet.worksheet = addWorksheet(sheet.name);
        sheets.push_back(std::move(sheet));
        lastRow = 0;
        formattedRow = 0;
    }

    // The format of the cells of a row, the workbook's and the file's.
    void formatFor(int row) {
        if (row == formattedRow)
            return;
        rowFormat = everyCell;
        if (auto own = rowFormats.find(row); own != rowFormats.end())
            rowFormat = laidOver(everyCell, own->second);
        rowFileFormat = isPlain(rowFormat) ? nullptr : fileFormat(rowFormat);
        formattedRow = row;
    }

    lxw_format* fileFormat(const CellFormat& format) {
        lxw_format*& made = formats[keyOf(format)];
        if (!made) {
            made = workbook_add_format(book.get());
            if (format.bold)
                format_set_bold(made);
            if (format.fontSize)
                format_set_font_size(made, *format.fontSize);
            if (format.borders)
                format_set_border(made, LXW_BORDER_THIN);
            if (format.alignment != HorizontalAlignment::general)
                format_set_align(made, alignmentCode(format.alignment));
        }
        return made;
    }

    // Checks that the cell may be written now and returns its format.
    lxw_format* beginCell(int row, int column) {
        checkCellPosition(row, column);
        if (written)
            throw std::logic_error("the workbook is saved: no cell can be set any more");
        if (row < lastRow)
            throw std::logic_error("row " + std::to_string(row) + " can't be written after row " +
                                   std::to_string(lastRow) + ": rows go from top to bottom");
        open();
        lastRow = row;
        formatFor(row);
        return rowFileFormat;
    }

    // After beginCell for the same cell.
    void measure(int column, std::string_view shown) {
        std::vector<double>& widths = sheets.back().widths;
        if (widths.size() < static_cast<size_t>(column))
            widths.resize(column, 0);
        widths[column - 1] = std::max(widths[column - 1], neededWidth(shown, rowFormat));
    }

    void check(lxw_error result) {
        if (result != LXW_NO_ERROR)
            throw WorkbookError(std::string("cannot write the cell: ") + lxw_strerror(result));
    }

    void applyPageLayout(lxw_worksheet* sheet) {
        if (layout.printTitleRows)
            check(worksheet_repeat_rows(sheet, layout.printTitleRows->first - 1,
                                        layout.printTitleRows->last - 1));
        if (layout.orientation == Orientation::landscape)
            worksheet_set_landscape(sheet);
        if (layout.centerHorizontally)
            worksheet_center_horizontally(sheet);
        if (layout.printHeadings)
            worksheet_print_row_col_headers(sheet);
        if (layout.leftMargin || layout.rightMargin || layout.topMargin || layout.bottomMargin) {
            auto inches = [](const std::optional<double>& points) {
                return points ? *points / 72.0 : -1.0;  // -1: the usual margin
            };
            worksheet_set_margins(sheet, inches(layout.leftMargin), inches(layout.rightMargin),
                                  inches(layout.topMargin), inches(layout.bottomMargin));
        }
        if (std::string footer = footerText(layout); !footer.empty())
            check(worksheet_set_footer(sheet, footer.c_str()));
        if (layout.fitToPages)
            worksheet_fit_to_pages(sheet, layout.fitToPages->wide, layout.fitToPages->tall);
    }

    // Writes the whole workbook into the draft, once.
    void finish() {
        if (!writeFailure.empty())
            throw WorkbookError(writeFailure);
        if (written)
            return;
        open();
        for (Sheet& sheet : sheets) {
            applyPageLayout(sheet.worksheet);
            if (autoFit)
                for (size_t column = 0; column < sheet.widths.size(); ++column)
                    if (sheet.widths[column] > 0)
                        worksheet_set_column(sheet.worksheet, column, column, sheet.widths[column],
                                             nullptr);
        }
        lxw_error result = workbook_close(book.release());  // frees the workbook
        written = true;
        if (result != LXW_NO_ERROR) {
            writeFailure = std::string("cannot write the workbook: ") + lxw_strerror(result);
            throw WorkbookError(writeFailure);
        }
    }
};

NewWorkbook::NewWorkbook() : state_(std::make_unique<State>()) {}
NewWorkbook::NewWorkbook(NewWorkbook&&) noexcept = default;
NewWorkbook& NewWorkbook::operator=(NewWorkbook&&) noexcept = default;
NewWorkbook::~NewWorkbook() = default;

NewWorkbook::State& NewWorkbook::state() {
    if (!state_)
        throw std::logic_error("the workbook is closed");
    return *state_;
}

void NewWorkbook::nameSheet(std::string_view name) {
    State& current = state();
    if (current.book || current.written)
        throw std::logic_error("the sheet is named before its cells are written");
    checkSheetName(name);
    current.sheets.front().name = name;
}

void NewWorkbook::addSheet(std::string_view name) {
    state().addSheet(name);
}

void NewWorkbook::setPageLayout(const PageLayout& layout) {
    State& current = state();
    if (characterCount(footerText(layout)) > kMaxFooterCharacters)
        throw std::invalid_argument("the footer is longer than 255 characters");
    checkCellText(footerText(layout));
    if (layout.printTitleRows) {
        checkCellPosition(layout.printTitleRows->first, 1);
        checkCellPosition(layout.printTitleRows->last, 1);
        if (layout.printTitleRows->last < layout.printTitleRows->first)
            throw std::invalid_argument("the print title rows end before they start");
    }
    if (layout.fitToPages && (layout.fitToPages->wide < 0 || layout.fitToPages->tall < 0))
        throw std::invalid_argument("a page count can't be negative");
    current.layout = layout;
}

void NewWorkbook::formatEveryCell(const CellFormat& format) {
    State& current = state();
    if (current.anyCellWritten() || current.written)
        throw std::logic_error("the format of every cell is declared before any cell is written");
    current.everyCell = format;
    current.formattedRow = 0;
}

void NewWorkbook::formatRow(int row, const CellFormat& format) {
    State& current = state();
    checkCellPosition(row, 1);
    if (row <= current.lastRow || current.sheets.size() > 1 || current.written)
        throw std::logic_error("row " + std::to_string(row) +
                               " is formatted before its cells are written");
    current.rowFormats[row] = format;
    current.formattedRow = 0;
}

void NewWorkbook::autoFitColumns() {
    state().autoFit = true;
}

void NewWorkbook::setValue(int row, int column, std::string_view text) {
    State& current = state();
    checkCellText(text);
    if (characterCount(text) > kMaxCellTextCharacters)
        throw std::invalid_argument("a cell holds at most 32767 characters");
    lxw_format* format = current.beginCell(row, column);
    // Escaped here, so that no character 0 cuts the text short.
    current.text.clear();
    appendEscapedCellText(current.text, text);
    current.check(worksheet_write_string(current.sheets.back().worksheet, row - 1, column - 1,
                                         current.text.c_str(), format));
    current.measure(column, text);
}

void NewWorkbook::setValue(int row, int column, double number) {
    State& current = state();
    if (!std::isfinite(number))
        throw std::invalid_argument("a cell can't hold a number that is not finite");
    lxw_format* format = current.beginCell(row, column);
    current.check(worksheet_write_number(current.sheets.back().worksheet, row - 1, column - 1,
                                         number, format));
    // General format shows at most eleven characters of a number.
    current.measure(column, numberText(number).substr(0, 11));
}

void NewWorkbook::clearValue(int row, int column) {
    State& current = state();
    if (lxw_format* format = current.beginCell(row, column))
        current.check(
            worksheet_write_blank(current.sheets.back().worksheet, row - 1, column - 1, format));
}

void NewWorkbook::saveAs(const std::filesystem::path& file) {
    State& current = state();
    current.finish();
    replaceWithCopy(current.draft, file);
}

void NewWorkbook::close() {
    state_.reset();
}

}  // namespace workbook
