#pragma once
// Cell addresses in the A1 form that workbook files use: column letters
// followed by the row number, both counted from 1.

#include <optional>
#include <string>
#include <string_view>

namespace workbook {

// The largest sheet a workbook file can hold.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

struct CellPosition {
    int row = 0;
    int column = 0;
};

// Column 1 is "A", 26 "Z", 27 "AA".
std::string columnLetters(int column);

// Row 2, column 4 is "D2".
std::string cellReference(int row, int column);

// "D2" gives row 2, column 4; anything that is not a cell address inside the
// largest sheet gives nothing.
std::optional<CellPosition> parseCellReference(std::string_view reference);

// Throws std::out_of_range naming the cell when it lies outside the largest sheet.
void checkCellPosition(int row, int column);

}  // namespace workbook
