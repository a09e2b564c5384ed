#pragma once
// Our report files ("mensual.rpt", "totales.rpt"): readable text, one
// setting a line as `key = value`, lists separated by commas, blank lines
// and lines beginning with "#" ignored.
//
//     title          = Calificaciones del mes        the report's title
//     source         = GRAFICAS                      the table or saved query it reads
//     layout         = bars, table                   a bar chart, a table, or both
//     category       = mes                           the field whose values group the bars
//     series         = rubro                         a field whose values name the series ...
//     value          = valor                         ... and the field that gives their values,
//     values         = Collection, Rating            or fields that are each a series
//     category-order = ENERO, FEBRERO                categories listed first, in this order
//     series-order   = SATISFACTORIOS                series listed first, in this order
//     category-title = Mes                           the axis titles
//     value-title    = Calificaciones
//     columns        = Central, Total                the table's columns (all when missing)

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace report {

struct ReportDefinition {
    std::string title;
    std::string source;
    bool bars = false;
    bool table = false;
    std::string category;
    std::string series;
    std::string value;
    std::vector<std::string> values;
    std::vector<std::string> categoryOrder;
    std::vector<std::string> seriesOrder;
    std::string categoryTitle;
    std::string valueTitle;
    std::vector<std::string> columns;
};

// The definition a report file's text holds. An unknown or repeated key, a
// line without "=", a missing title, source or layout, or a bar chart
// without its fields raise ReportError naming the line or the key.
ReportDefinition parseReportDefinition(std::string_view text);

// Reads and parses a report file. A missing file, one that cannot be read
// and one that holds no report raise ReportError whose text names the file.
ReportDefinition readReportFile(const std::filesystem::path& file);

}  // namespace report
