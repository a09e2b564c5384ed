// Selection formulas, report files, the rows a report reads and the chart
// data made of them.

#include <gtest/gtest.h>

#include <filesystem>

#include "report_data.h"
#include "report_definition.h"
#include "report_error.h"
#include "report_fixture.h"
#include "selection_formula.h"

namespace {

using report::Condition;
using report::ReportError;

TEST(SelectionFormula, ReadsEveryFormTheProgramsWrite) {
    const std::pair<std::string, std::vector<Condition>> cases[] = {
        {"{GRAFICAS.mes} = 'MARZO' AND {GRAFICAS.año} = '1999' AND {GRAFICAS.ubicacion } = 'CAR'",
         {{"GRAFICAS", "mes", "MARZO"},
          {"GRAFICAS", "año", "1999"},
          {"GRAFICAS", "ubicacion", "CAR"}}},
        {"{GRAFICAS.año} = '2026' AND {GRAFICAS.ubicacion } = 'CENTRO DE MANTENIMIENTO'",
         {{"GRAFICAS", "año", "2026"}, {"GRAFICAS", "ubicacion", "CENTRO DE MANTENIMIENTO"}}},
        {"", {}},
        {"   ", {}},
        // Blanks, the case of AND, both quotes, a doubled quote, an empty text.
        {"{ Riruzozs alta . clli }='O''B'and{T.f} = \"a \"\"b\"\"\"",
         {{"Riruzozs alta", "clli", "O'B"}, {"T", "f", "a \"b\""}}},
        {"{T.f} = ''", {{"T", "f", ""}}},
        {"{T.f} = 'x'' OR ''1''=''1'", {{"T", "f", "x' OR '1'='1"}}},
    };
    for (const auto& [formula, expected] : cases)
        EXPECT_EQ(report::parseSelectionFormula(formula), expected) << formula;
}

TEST(SelectionFormula, RefusesMalformedFormulasSayingWhere) {
    const std::pair<std::string, std::string> cases[] = {
        {"GRAFICAS.mes = 'MARZO'", "(carácter 1): se esperaba '{'"},
        {"{GRAFICAS.mes = 'MARZO'", "falta '}'"},
        {"{GRAFICASmes} = 'MARZO'", "se esperaba {tabla.campo}"},
        {"{.mes} = 'MARZO'", "se esperaba {tabla.campo}"},
        {"{GRAFICAS. } = 'MARZO'", "se esperaba {tabla.campo}"},
        {"{A.b.c} = 'x'", "se esperaba {tabla.campo}"},
        {"{GRAFICAS.mes} 'MARZO'", "(carácter 16): se esperaba '='"},
        {"{GRAFICAS.mes} <> 'MARZO'", "se esperaba '='"},
        {"{GRAFICAS.mes} = MARZO", "se esperaba un texto entre comillas"},
        {"{GRAFICAS.mes} = 'MARZO", "falta la comilla que cierra el texto"},
        {"{GRAFICAS.mes} = 'MARZO' AND", "falta una comparación después de AND"},
        {"{GRAFICAS.mes} = 'MARZO' AND ", "falta una comparación después de AND"},
        {"{GRAFICAS.mes} = 'MARZO' OR {GRAFICAS.año} = '1999'", "se esperaba AND"},
        {"{GRAFICAS.mes} = 'MARZO' {GRAFICAS.año} = '1999'", "se esperaba AND"},
        {"{GRAFICAS.mes} = 'MARZO' ANDY", "se esperaba AND"},
        {"{GRAFICAS.año} = 'X' AND año", "(carácter 26): se esperaba '{'"},
    };
    for (const auto& [formula, reason] : cases) {
        try {
            report::parseSelectionFormula(formula);
            ADD_FAILURE() << "accepted: " << formula;
        } catch (const ReportError& e) {
            const std::string text = e.what();
            EXPECT_EQ(text.rfind("La fórmula de selección no es válida", 0), 0u) << text;
            EXPECT_NE(text.find(reason), std::string::npos) << formula << " -> " << text;
        }
    }
}

TEST(ReportDefinition, ReadsEverySetting) {
    const auto d = report::parseReportDefinition(
        "# totals\r\n\n title = Totales por central \nsource=Totales\nlayout = bars, table\n"
        "category = Central\nvalues = Collection,Rating , Total\ncolumns = Central, Total\n"
        "category-title = Central\nvalue-title = Errores\n");
    EXPECT_EQ(d.title, "Totales por central");
    EXPECT_EQ(d.source, "Totales");
    EXPECT_TRUE(d.bars);
    EXPECT_TRUE(d.table);
    EXPECT_EQ(d.category, "Central");
    EXPECT_EQ(d.values, (std::vector<std::string>{"Collection", "Rating", "Total"}));
    EXPECT_EQ(d.columns, (std::vector<std::string>{"Central", "Total"}));
    EXPECT_EQ(d.valueTitle, "Errores");

    const auto annual = report::parseReportDefinition(kAnnualReport);
    EXPECT_EQ(annual.categoryOrder.size(), 12u);
    EXPECT_EQ(annual.categoryOrder[8], "SEPTIEMBRE");
    EXPECT_EQ(annual.series, "rubro");
    EXPECT_FALSE(annual.table);
}

TEST(ReportDefinition, RefusesWhatIsNoReport) {
    const std::string base = "title = T\nsource = S\n";
    const std::pair<std::string, std::string> cases[] = {
        {base + "layout = table\ncolour = red\n", "línea 4: la clave \"colour\" no existe"},
        {base + "layout = table\ntitle = U\n", "línea 4: \"title\" está repetida"},
        {base + "layout table\n", "línea 3: se esperaba clave = valor"},
        {base + "layout = pie\n", "línea 3: la presentación \"pie\" no existe"},
        {"source = S\nlayout = table\n", "falta el título"},
        {"title = T\nlayout = table\n", "falta la tabla o consulta"},
        {base, "falta la presentación"},
        {base + "layout = bars\nvalues = v\n", "necesita su categoría"},
        {base + "layout = bars\ncategory = c\nseries = s\n", "series y value juntos"},
        {base + "layout = bars\ncategory = c\n", "de uno de los dos"},
        {base + "layout = bars\ncategory = c\nseries = s\nvalue = v\nvalues = w\n",
         "de uno de los dos"},
        {"", "falta el título"},
    };
    for (const auto& [text, reason] : cases) {
        try {
            report::parseReportDefinition(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ReportError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos)
                << text << " -> " << e.what();
        }
    }
}

TEST(ReportFile, NamesTheFileThatIsMissingUnreadableOrNoReport) {
    testsupport::TempDir dir;
    const auto missing = dir.path() / "mensual.rpt";
    const auto folder = dir.path() / "anual.rpt";
    std::filesystem::create_directory(folder);
    const auto broken = dir.write("totales.rpt", "title = T\nsource S\n");
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {missing, "No se encontró el archivo de reporte " + missing.string() + "."},
        {folder, "No se pudo leer el archivo de reporte " + folder.string() + "."},
        {broken, "El archivo de reporte " + broken.string() +
                     " no es válido: línea 2: se esperaba clave = valor."},
    };
    for (const auto& [file, message] : cases) {
        try {
            report::readReportFile(file);
            ADD_FAILURE() << "read: " << file;
        } catch (const ReportError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
    EXPECT_EQ(report::readReportFile(dir.write("ok.rpt", kAnnualReport)).source, "GRAFICAS");
}

struct ReportRowsTest : ::testing::Test {
    TotalsDatabase data;
    report::ReportDefinition annual = report::parseReportDefinition(kAnnualReport);

    std::vector<std::string> months(const std::string& formula) {
        std::vector<std::string> out;
        const auto rows =
            report::readReportRows(data.database, annual, report::parseSelectionFormula(formula));
        for (const auto& row : rows.rows)
            out.push_back(row[1].to_text() + " " + row[0].to_text());
        return out;
    }
};

TEST_F(ReportRowsTest, KeepsTheRowsTheFormulaSelectsWithItsValuesBound) {
    EXPECT_EQ(months("{GRAFICAS.mes} = 'MARZO' AND {GRAFICAS.año} = '1999' AND "
                     "{GRAFICAS.ubicacion } = 'CAR'"),
              (std::vector<std::string>{"MARZO SATISFACTORIOS", "MARZO NO SATISFACTORIOS"}));
    // Blind to case, as the database compares the columns; field names too.
    EXPECT_EQ(months("{graficas.MES} = 'marzo' AND {GRAFICAS.AÑO} = '1999' AND "
                     "{GRAFICAS.ubicacion} = 'Centro de Mantenimiento'"),
              (std::vector<std::string>{"MARZO SATISFACTORIOS"}));
    EXPECT_EQ(months("").size(), 7u);
    // A value is a value, whatever it holds.
    EXPECT_TRUE(months("{GRAFICAS.mes} = 'x'' OR ''1''=''1'").empty());
    EXPECT_TRUE(months("{GRAFICAS.año} = '1999]; DROP TABLE GRAFICAS; --'").empty());
    EXPECT_TRUE(data.database.has_table("GRAFICAS"));
}

TEST_F(ReportRowsTest, RefusesFieldsAndTablesTheSourceLacks) {
    const std::pair<std::string, std::string> formulas[] = {
        {"{GRAFICAS.semana} = '1'", "El campo semana no existe en GRAFICAS."},
        {"{OTRA.x} = '1'",
         "La fórmula de selección nombra la tabla OTRA; el reporte lee GRAFICAS."},
    };
    for (const auto& [formula, message] : formulas) {
        try {
            months(formula);
            ADD_FAILURE() << formula;
        } catch (const ReportError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
    annual.value = "importe";
    try {
        months("");
        ADD_FAILURE() << "a definition naming a missing field";
    } catch (const ReportError& e) {
        EXPECT_EQ(std::string(e.what()), "El campo importe no existe en GRAFICAS.");
    }
    annual.source = "NOSUCH";
    EXPECT_THROW(months(""), db::Error);
}

TEST_F(ReportRowsTest, ChartDataOrdersCategoriesAndSeriesAndFillsTheGaps) {
    const auto rows = report::readReportRows(
        data.database, annual,
        report::parseSelectionFormula("{GRAFICAS.año} = '1999' AND {GRAFICAS.ubicacion } = 'CAR'"));
    const auto chart = report::chartData(annual, rows);
    EXPECT_EQ(chart.categories, (std::vector<std::string>{"ENERO", "MARZO", "DICIEMBRE"}));
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].name, "SATISFACTORIOS");
    EXPECT_EQ(chart.series[0].values, (std::vector<double>{5, 7, 9}));
    EXPECT_EQ(chart.series[1].name, "NO SATISFACTORIOS");
    EXPECT_EQ(chart.series[1].values, (std::vector<double>{4, 2, 0}));

    // One series per field, categories as they come; repeated categories add up.
    auto wide = report::parseReportDefinition(
        "title = T\nsource = GRAFICAS\nlayout = bars\ncategory = ubicacion\nvalues = valor, año\n");
    const auto all = report::chartData(wide, report::readReportRows(data.database, wide, {}));
    EXPECT_EQ(all.categories, (std::vector<std::string>{"CAR", "CENTRO DE MANTENIMIENTO"}));
    ASSERT_EQ(all.series.size(), 2u);
    EXPECT_EQ(all.series[0].name, "valor");
    EXPECT_EQ(all.series[0].values, (std::vector<double>{28, 30}));
    EXPECT_EQ(all.series[1].values, (std::vector<double>{5 * 1999 + 2000, 1999}));
}

}  // namespace
