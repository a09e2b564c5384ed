#pragma once
// Selection formulas in the old report control's syntax: comparisons of a
// field with a text, joined by AND,
//
//     {GRAFICAS.mes} = 'MARZO' AND {GRAFICAS.año} = '1999' AND {GRAFICAS.ubicacion } = 'CAR'
//
// Blanks around the names inside the braces do not count; a text is quoted
// with ' or " and holds its own quote doubled. An empty formula selects every
// row. The values stay values: the report binds them, they never become SQL.

#include <string>
#include <string_view>
#include <vector>

namespace report {

// One `{table.field} = 'value'`.
struct Condition {
    std::string table;
    std::string field;
    std::string value;
    bool operator==(const Condition&) const = default;
};

// The formula's comparisons in their order. A formula that is not of this
// form raises ReportError telling what was expected and where (1-based
// character position).
std::vector<Condition> parseSelectionFormula(std::string_view formula);

}  // namespace report
