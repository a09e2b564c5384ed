#include "template_book.h"

#include <stdexcept>
#include <string>

namespace templates {

namespace {

lxw_format* newFormat(lxw_workbook* book) {
    lxw_format* format = workbook_add_format(book);
    if (!format)
        throw std::runtime_error("out of memory");
    return format;
}

}  // namespace

TemplateBook::TemplateBook(const std::filesystem::path& file, const char* sheetName)
    : file_(file), book_(workbook_new(file.c_str())) {
    if (book_)
        sheet_ = workbook_add_worksheet(book_, sheetName);
    if (!sheet_) {
        if (book_)
            lxw_workbook_free(book_);
        throw std::runtime_error("cannot start the template " + file.string());
    }

    styles_.title = newFormat(book_);
    format_set_bold(styles_.title);
    format_set_font_size(styles_.title, 14);

    styles_.label = newFormat(book_);
    format_set_bold(styles_.label);
    format_set_align(styles_.label, LXW_ALIGN_RIGHT);

    styles_.heading = newFormat(book_);
    format_set_bold(styles_.heading);
    format_set_align(styles_.heading, LXW_ALIGN_CENTER);
    format_set_bottom(styles_.heading, LXW_BORDER_THIN);

    styles_.date = newFormat(book_);
    format_set_num_format(styles_.date, "dd/mm/yy");
    format_set_align(styles_.date, LXW_ALIGN_LEFT);

    styles_.count = newFormat(book_);
    format_set_num_format(styles_.count, "0");

    styles_.share = newFormat(book_);
    format_set_num_format(styles_.share, "0.00%");
}

TemplateBook::~TemplateBook() {
    if (book_)
        lxw_workbook_free(book_);
}

void TemplateBook::close() {
    lxw_error result = workbook_close(book_);
    book_ = nullptr;
    if (result != LXW_NO_ERROR)
        throw std::runtime_error("cannot write the template " + file_.string() + ": " +
                                 lxw_strerror(result));
}

}  // namespace templates
