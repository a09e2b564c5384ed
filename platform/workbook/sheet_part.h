#pragma once
// The XML of one worksheet, edited cell by cell: the part of a template that
// changes when its cells are set. Rows and cells are kept in the order the
// file format demands, a new cell takes the style its row or column gives it,
// and the sheet's dimension is brought up to date when the XML is written.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace workbook {

class SheetPart {
public:
    // Parses the worksheet XML of the named part. Throws std::runtime_error
    // saying what is wrong when it is no worksheet.
    SheetPart(std::string_view xml, std::string_view partName);

    // The cell's value becomes the number (also a date serial) or the text;
    // the cell keeps its style. Rows and columns count from 1.
    void setNumber(int row, int column, double number);
    void setText(int row, int column, std::string_view text);
    // The cell loses its value and keeps its style.
    void clear(int row, int column);

    // The worksheet XML with its dimension covering every cell.
    std::string xml();

private:
    struct ColumnStyle {
        int first = 0;
        int last = 0;
        std::string style;
    };

    pugi::xml_node cell(int row, int column);
    pugi::xml_node rowNode(int row);
    std::string styleForNewCell(pugi::xml_node row, int column) const;
    void updateDimension();

    pugi::xml_document document_;
    pugi::xml_node sheetData_;
    std::map<int, pugi::xml_node> rows_;  // by row number
    std::vector<ColumnStyle> columnStyles_;
};

}  // namespace workbook
