#pragma once
// A template workbook being written: one sheet, the formats the weekly
// templates share, and the file written when it is closed.

#include <filesystem>
#include <memory>

#include <xlsxwriter.h>

namespace templates {

// The formats of a template's cells.
struct TemplateStyles {
    lxw_format* title;    // the sheet's title
    lxw_format* label;    // a caption beside a value
    lxw_format* heading;  // a column heading
    lxw_format* date;     // a date the weekly run fills, shown dd/mm/yy
    lxw_format* count;    // a number of tickets
    lxw_format* share;    // a share of the week's tickets, shown as a percentage
};

class TemplateBook {
public:
    // Starts the workbook with one sheet of that name. Throws
    // std::runtime_error when it can't.
    TemplateBook(const std::filesystem::path& file, const char* sheetName);
    TemplateBook(const TemplateBook&) = delete;
    TemplateBook& operator=(const TemplateBook&) = delete;
    ~TemplateBook();

    lxw_worksheet* sheet() const { return sheet_; }
    const TemplateStyles& styles() const { return styles_; }

    // Writes the file. Throws std::runtime_error naming it when it can't.
    void close();

private:
    std::filesystem::path file_;
    lxw_workbook* book_;
    lxw_worksheet* sheet_ = nullptr;
    TemplateStyles styles_{};
};

// The two templates of the weekly run, each written into the file.
void writeTicketsTecnicosTemplate(const std::filesystem::path& file);
void writeNumeroBoletasTemplate(const std::filesystem::path& file);

}  // namespace templates
