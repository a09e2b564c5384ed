#pragma once
// What a report shows: the rows of its source that the selection formula
// chooses, and the bar chart's categories and series taken from them.

#include <string>
#include <vector>

#include "database/database.h"
#include "report_definition.h"
#include "runtime/value.h"
#include "selection_formula.h"

namespace report {

// The chosen rows, with the source's column names.
struct ReportRows {
    std::vector<std::string> columns;
    std::vector<std::vector<runtime::Value>> rows;
};

// Reads the report's source, keeping the rows where every condition's field
// equals its value (bound, compared as the database compares text: blind to
// case where the schema says so). A condition on another table than the
// report's source, or a field the source lacks (a condition's or one the
// definition names), raises ReportError; a failing database raises db::Error.
ReportRows readReportRows(db::Database& database, const ReportDefinition& definition,
                          const std::vector<Condition>& conditions);

struct ChartSeries {
    std::string name;
    std::vector<double> values;  // one per category
};

struct ChartData {
    std::vector<std::string> categories;
    std::vector<ChartSeries> series;
};

// The bar chart of the rows: categories are the distinct texts of the
// category field, those of category-order first in its order, the others as
// they come; the series likewise from the series field (each value the sum
// of the value field over the rows of its category and series, 0 when none),
// or one series per field of `values`. Null and non-numeric values count 0.
ChartData chartData(const ReportDefinition& definition, const ReportRows& rows);

}  // namespace report
