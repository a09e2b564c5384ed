#include "cell_reference.h"

#include <charconv>
#include <stdexcept>

namespace workbook {

std::string columnLetters(int column) {
    std::string letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (column - 1) % 26));
    return letters;
}

std::string cellReference(int row, int column) {
    return columnLetters(column) + std::to_string(row);
}

std::optional<CellPosition> parseCellReference(std::string_view reference) {
    CellPosition position;
    size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i) {
        position.column = position.column * 26 + (reference[i] - 'A' + 1);
        if (position.column > kMaxColumns)
            return std::nullopt;
    }
    if (i == 0 || i == reference.size() || reference[i] == '0')
        return std::nullopt;
    const char* end = reference.data() + reference.size();
    auto [stop, error] = std::from_chars(reference.data() + i, end, position.row);
    if (error != std::errc() || stop != end || position.row < 1 || position.row > kMaxRows)
        return std::nullopt;
    return position;
}

void checkCellPosition(int row, int column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw std::out_of_range("cell (" + std::to_string(row) + ", " + std::to_string(column) +
                                ") lies outside the sheet: rows go from 1 to " +
                                std::to_string(kMaxRows) + ", columns from 1 to " +
                                std::to_string(kMaxColumns));
}

}  // namespace workbook
