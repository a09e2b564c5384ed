#pragma once
// What the workbook reports of stored records share: one row a record under a
// row of headers, printed landscape with the headers on every page.

#include <string>

#include "new_workbook.h"
#include "runtime/value.h"

namespace workbook {

// Landscape, centred, one page wide and 15 tall at most, the header row on
// every page; the foot names the department, the file and sheet, and the page.
PageLayout recordListLayout(const std::string& department);

// A field as the cell shows it: a number as a number, a null as an empty cell,
// anything else as its text.
void setRecordValue(NewWorkbook& book, int row, int column, const runtime::Value& value);

}  // namespace workbook
