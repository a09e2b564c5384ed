#include "report_data.h"

#include <algorithm>

#include "report_error.h"
#include "runtime/still_working.h"
#include "runtime/strings.h"

namespace report {

namespace {

std::string bracketed(const std::string& name) {
    return "[" + name + "]";
}

int columnOf(const ReportRows& rows, const std::string& name) {
    for (std::size_t i = 0; i < rows.columns.size(); ++i)
        if (runtime::equal_case_blind(rows.columns[i], name))
            return static_cast<int>(i);
    return -1;
}

void requireField(const ReportRows& rows, const std::string& source, const std::string& field) {
    if (columnOf(rows, field) < 0)
        throw ReportError("El campo " + field + " no existe en " + source + ".");
}

double numberOf(const runtime::Value& value) {
    if (value.is_null())
        return 0;
    try {
        return value.to_number();
    } catch (const std::exception&) {
        return 0;
    }
}

// The index of `text` among `keys`, added in its place when new: the
// ordered ones were put there first.
std::size_t indexOf(std::vector<std::string>& keys, const std::string& text) {
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == text)
            return i;
    keys.push_back(text);
    return keys.size() - 1;
}

// Keeps, of the ordered keys, those that occur, followed by the others.
std::vector<std::string> ordered(const std::vector<std::string>& order,
                                 const std::vector<std::string>& found) {
    std::vector<std::string> out;
    for (const std::string& key : order)
        if (std::find(found.begin(), found.end(), key) != found.end())
            out.push_back(key);
    for (const std::string& key : found)
        if (std::find(out.begin(), out.end(), key) == out.end())
            out.push_back(key);
    return out;
}

}  // namespace

ReportRows readReportRows(db::Database& database, const ReportDefinition& definition,
                          const std::vector<Condition>& conditions) {
    for (const Condition& c : conditions)
        if (!runtime::equal_case_blind(c.table, definition.source))
            throw ReportError("La fórmula de selección nombra la tabla " + c.table +
                              "; el reporte lee " + definition.source + ".");

    std::string sql = "SELECT * FROM " + bracketed(definition.source);
    db::Params params;
    ReportRows out;
    {
        // The source's columns first, so that a misnamed field is told as such.
        db::Recordset shape = database.open_recordset(sql + " WHERE 0 = 1");
        for (int i = 0; i < shape.field_count(); ++i)
            out.columns.push_back(shape.field_name(i));
    }
    for (const Condition& c : conditions)
        requireField(out, definition.source, c.field);
    for (const std::string& field : {definition.category, definition.series, definition.value})
        if (!field.empty())
            requireField(out, definition.source, field);
    for (const auto* list : {&definition.values, &definition.columns})
        for (const std::string& field : *list)
            requireField(out, definition.source, field);

    for (std::size_t i = 0; i < conditions.size(); ++i) {
        sql += i == 0 ? " WHERE " : " AND ";
        sql += bracketed(out.columns[columnOf(out, conditions[i].field)]) + " = ?";
        params.emplace_back(conditions[i].value);
    }
    db::Recordset rs = database.open_recordset(sql, db::Cursor::Lazy, params);
    for (; !rs.eof(); rs.move_next()) {
        std::vector<runtime::Value> row;
        row.reserve(out.columns.size());
        for (int i = 0; i < rs.field_count(); ++i)
            row.push_back(rs[i]);
        out.rows.push_back(std::move(row));
        runtime::still_working();
    }
    return out;
}

ChartData chartData(const ReportDefinition& definition, const ReportRows& rows) {
    const int category = columnOf(rows, definition.category);
    std::vector<std::string> categories;
    for (const auto& row : rows.rows)
        indexOf(categories, row[category].to_text());
    categories = ordered(definition.categoryOrder, categories);

    ChartData data;
    data.categories = categories;
    std::vector<std::string> names;
    if (definition.values.empty()) {
        const int series = columnOf(rows, definition.series);
        for (const auto& row : rows.rows)
            indexOf(names, row[series].to_text());
        names = ordered(definition.seriesOrder, names);
    } else {
        for (const std::string& field : definition.values)
            names.push_back(rows.columns[columnOf(rows, field)]);
    }
    for (const std::string& name : names)
        data.series.push_back({name, std::vector<double>(categories.size(), 0.0)});

    for (const auto& row : rows.rows) {
        const std::size_t c = indexOf(categories, row[category].to_text());
        if (definition.values.empty()) {
            const std::size_t s = indexOf(names, row[columnOf(rows, definition.series)].to_text());
            data.series[s].values[c] += numberOf(row[columnOf(rows, definition.value)]);
        } else {
            for (std::size_t s = 0; s < definition.values.size(); ++s)
                data.series[s].values[c] += numberOf(row[columnOf(rows, definition.values[s])]);
        }
    }
    return data;
}

}  // namespace report
