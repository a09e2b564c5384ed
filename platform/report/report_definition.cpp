#include "report_definition.h"

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <system_error>

#include "report_error.h"
#include "runtime/strings.h"

namespace report {

namespace {

std::vector<std::string> listOf(std::string_view text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string item = runtime::trim(text.substr(start, comma - start));
        if (!item.empty())
            items.push_back(item);
        if (comma == std::string_view::npos)
            return items;
        start = comma + 1;
    }
}

[[noreturn]] void fail(const std::string& what) {
    throw ReportError(what);
}

void setLayout(ReportDefinition& d, std::string_view text) {
    for (const std::string& kind : listOf(text)) {
        if (kind == "bars")
            d.bars = true;
        else if (kind == "table")
            d.table = true;
        else
            fail("la presentación \"" + kind + "\" no existe (bars, table)");
    }
}

}  // namespace

ReportDefinition parseReportDefinition(std::string_view text) {
    ReportDefinition d;
    std::map<std::string, std::string> seen;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string content = runtime::trim(line);
        if (content.empty() || content.front() == '#')
            continue;
        const std::size_t equals = content.find('=');
        const std::string where = "línea " + std::to_string(number) + ": ";
        if (equals == std::string::npos)
            fail(where + "se esperaba clave = valor");
        const std::string key = runtime::trim(content.substr(0, equals));
        const std::string value = runtime::trim(content.substr(equals + 1));
        if (!seen.emplace(key, value).second)
            fail(where + "\"" + key + "\" está repetida");
        if (key == "title")
            d.title = value;
        else if (key == "source")
            d.source = value;
        else if (key == "layout")
            try {
                setLayout(d, value);
            } catch (const ReportError& e) {
                fail(where + e.what());
            }
        else if (key == "category")
            d.category = value;
        else if (key == "series")
            d.series = value;
        else if (key == "value")
            d.value = value;
        else if (key == "values")
            d.values = listOf(value);
        else if (key == "category-order")
            d.categoryOrder = listOf(value);
        else if (key == "series-order")
            d.seriesOrder = listOf(value);
        else if (key == "category-title")
            d.categoryTitle = value;
        else if (key == "value-title")
            d.valueTitle = value;
        else if (key == "columns")
            d.columns = listOf(value);
        else
            fail(where + "la clave \"" + key + "\" no existe");
    }
    if (d.title.empty())
        fail("falta el título (title)");
    if (d.source.empty())
        fail("falta la tabla o consulta (source)");
    if (!d.bars && !d.table)
        fail("falta la presentación (layout)");
    if (d.bars) {
        if (d.category.empty())
            fail("la gráfica necesita su categoría (category)");
        const bool byField = !d.series.empty() || !d.value.empty();
        if (byField && (d.series.empty() || d.value.empty()))
            fail("la gráfica necesita series y value juntos");
        if (byField == !d.values.empty())
            fail("la gráfica toma sus series de series y value o de values, de uno de los dos");
    }
    return d;
}

ReportDefinition readReportFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        throw ReportError("No se encontró el archivo de reporte " + file.string() + ".");
    std::ifstream in;
    if (!std::filesystem::is_directory(file, error))
        in.open(file, std::ios::binary);
    std::string text;
    if (in.is_open())
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad())
        throw ReportError("No se pudo leer el archivo de reporte " + file.string() + ".");
    try {
        return parseReportDefinition(text);
    } catch (const ReportError& e) {
        throw ReportError("El archivo de reporte " + file.string() + " no es válido: " + e.what() +
                          ".");
    }
}

}  // namespace report
