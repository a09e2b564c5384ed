#include "record_list.h"

namespace workbook {

PageLayout recordListLayout(const std::string& department) {
    PageLayout layout;
    layout.printTitleRows = PrintTitleRows{1, 1};  // the headers on every page
    layout.orientation = Orientation::landscape;
    layout.centerHorizontally = true;
    layout.printHeadings = false;
    layout.bottomMargin = centimetersToPoints(0.8);
    layout.leftFooter = "&08 &B " + department;
    layout.centerFooter = "&08 &B &F (&A) ";
    layout.rightFooter = "&08 &B Página: &p de: &N";
    layout.fitToPages = FitToPages{1, 15};  // one page wide, 15 tall at most
    return layout;
}

void setRecordValue(NewWorkbook& book, int row, int column, const runtime::Value& value) {
    if (value.is_null())
        book.clearValue(row, column);
    else if (value.is_number())
        book.setValue(row, column, value.to_number());
    else
        book.setValue(row, column, value.to_text());
}

}  // namespace workbook
