#include "sheet_part.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <stdexcept>

#include "cell_reference.h"
#include "cell_text.h"
#include "xml_part.h"

namespace workbook {

namespace {

int parseNumber(const char* text) {
    int number = 0;
    std::string_view view(text);
    auto [stop, error] = std::from_chars(view.data(), view.data() + view.size(), number);
    return error == std::errc() && stop == view.data() + view.size() ? number : 0;
}

int columnOf(pugi::xml_node cell) {
    auto position = parseCellReference(cell.attribute("r").value());
    return position ? position->column : 0;
}

bool isTrue(pugi::xml_attribute flag) {
    return std::string_view(flag.value()) == "1" || std::string_view(flag.value()) == "true";
}

// A cell's value lives in its formula, value and inline-string children and in
// its type; the style and the rest of the cell stay.
void removeValue(pugi::xml_node cell) {
    cell.remove_attribute("t");
    for (const char* name : {"f", "v", "is"})
        while (pugi::xml_node child = cell.child(name))
            cell.remove_child(child);
}

pugi::xml_node addValueChild(pugi::xml_node cell, const char* name) {
    pugi::xml_node extensions = cell.child("extLst");
    return extensions ? cell.insert_child_before(name, extensions) : cell.append_child(name);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The worksheet's children come in a fixed order; the dimension follows sheetPr.
pugi::xml_node dimensionNode(pugi::xml_node worksheet) {
    if (pugi::xml_node dimension = worksheet.child("dimension"))
        return dimension;
    pugi::xml_node properties = worksheet.child("sheetPr");
    return properties ? worksheet.insert_child_after("dimension", properties)
                      : worksheet.prepend_child("dimension");
}

}  // namespace

SheetPart::SheetPart(std::string_view xml, std::string_view partName) {
    parseXmlPart(document_, xml, partName);
    pugi::xml_node worksheet = document_.child("worksheet");
    sheetData_ = worksheet.child("sheetData");
    if (!sheetData_)
        throw std::runtime_error("the part " + std::string(partName) + " is not a worksheet");

    for (pugi::xml_node column : worksheet.child("cols").children("col"))
        columnStyles_.push_back({parseNumber(column.attribute("min").value()),
                                 parseNumber(column.attribute("max").value()),
                                 column.attribute("style").value()});

    // Rows and cells may leave out their address and count on from the one
    // before; every one gets it written out, so that new ones can be placed.
    int previousRow = 0;
    for (pugi::xml_node row : sheetData_.children("row")) {
        int number = row.attribute("r") ? parseNumber(row.attribute("r").value()) : previousRow + 1;
        if (number <= previousRow || number > kMaxRows)
            throw std::runtime_error("the sheet's rows are out of order near row " +
                                     std::to_string(previousRow + 1));
        if (!row.attribute("r"))
            row.append_attribute("r") = number;
        rows_[number] = row;
        previousRow = number;

        int previousColumn = 0;
        for (pugi::xml_node cell : row.children("c")) {
            if (!cell.attribute("r"))
                cell.prepend_attribute("r") = cellReference(number, previousColumn + 1).c_str();
            auto position = parseCellReference(cell.attribute("r").value());
            if (!position || position->row != number || position->column <= previousColumn)
                throw std::runtime_error("the sheet's cells are out of order in row " +
                                         std::to_string(number));
            previousColumn = position->column;
        }
    }
}

void SheetPart::setNumber(int row, int column, double number) {
    pugi::xml_node target = cell(row, column);
    removeValue(target);
    addValueChild(target, "v").text().set(numberText(number).c_str());
}

void SheetPart::setText(int row, int column, std::string_view text) {
    pugi::xml_node target = cell(row, column);
    removeValue(target);
    target.append_attribute("t") = "inlineStr";
    pugi::xml_node textNode = addValueChild(target, "is").append_child("t");
    if (!text.empty() && (isBlank(text.front()) || isBlank(text.back())))
        textNode.append_attribute("xml:space") = "preserve";
    textNode.text().set(escapeCellText(text).c_str());
}

void SheetPart::clear(int row, int column) {
    pugi::xml_node target = cell(row, column);
    removeValue(target);
    if (!target.attribute("s"))
        target.parent().remove_child(target);  // nothing of it is left to keep
}

std::string SheetPart::xml() {
    updateDimension();
    return xmlPartText(document_);
}

pugi::xml_node SheetPart::rowNode(int row) {
    if (auto found = rows_.find(row); found != rows_.end())
        return found->second;
    auto next = rows_.upper_bound(row);
    pugi::xml_node node = next == rows_.end() ? sheetData_.append_child("row")
                                              : sheetData_.insert_child_before("row", next->second);
    node.append_attribute("r") = row;
    rows_[row] = node;
    return node;
}

pugi::xml_node SheetPart::cell(int row, int column) {
    pugi::xml_node rowElement = rowNode(row);
    pugi::xml_node before;
    for (pugi::xml_node existing : rowElement.children("c")) {
        int existingColumn = columnOf(existing);
        if (existingColumn == column)
            return existing;
        if (existingColumn > column) {
            before = existing;
            break;
        }
    }
    // A cell of its own: after the cells on its left, before those on its right.
    pugi::xml_node created =
        before ? rowElement.insert_child_before("c", before) : rowElement.append_child("c");
    created.append_attribute("r") = cellReference(row, column).c_str();
    if (std::string style = styleForNewCell(rowElement, column); !style.empty())
        created.append_attribute("s") = style.c_str();

    // A row may announce the columns it spans; it must keep covering its cells.
    if (pugi::xml_attribute spans = rowElement.attribute("spans")) {
        std::string_view text(spans.value());
        size_t colon = text.find(':');
        if (colon != std::string_view::npos) {
            int first = parseNumber(std::string(text.substr(0, colon)).c_str());
            int last = parseNumber(std::string(text.substr(colon + 1)).c_str());
            first = first > 0 ? std::min(first, column) : column;
            last = std::max(last, column);
            spans = (std::to_string(first) + ":" + std::to_string(last)).c_str();
        }
    }
    return created;
}

// As in the spreadsheet program: a new cell takes its row's style when the row
// has one of its own, else its column's.
std::string SheetPart::styleForNewCell(pugi::xml_node row, int column) const {
    if (isTrue(row.attribute("customFormat")) && row.attribute("s"))
        return row.attribute("s").value();
    for (const ColumnStyle& columns : columnStyles_)
        if (column >= columns.first && column <= columns.last)
            return columns.style == "0" ? "" : columns.style;
    return "";
}

void SheetPart::updateDimension() {
    int firstRow = INT_MAX, lastRow = 0, firstColumn = INT_MAX, lastColumn = 0;
    for (const auto& [number, row] : rows_) {
        for (pugi::xml_node cell : row.children("c")) {
            int column = columnOf(cell);
            firstRow = std::min(firstRow, number);
            lastRow = std::max(lastRow, number);
            firstColumn = std::min(firstColumn, column);
            lastColumn = std::max(lastColumn, column);
        }
    }
    std::string reference = "A1";
    if (lastRow > 0) {
        reference = cellReference(firstRow, firstColumn);
        if (lastRow != firstRow || lastColumn != firstColumn)
            reference += ":" + cellReference(lastRow, lastColumn);
    }
    pugi::xml_node dimension = dimensionNode(document_.child("worksheet"));
    if (!dimension.attribute("ref"))
        dimension.append_attribute("ref");
    dimension.attribute("ref") = reference.c_str();
}

}  // namespace workbook
