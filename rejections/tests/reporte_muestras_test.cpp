// riruzoz's workbook report, written from a real riruzozs.mdb and read back
// from disk.

#include "reporte_muestras.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cell_reference.h"
#include "database/database.h"
#include "report_samples.h"
#include "riruzozs_database.h"
#include "runtime/date_serial.h"
#include "temp_dir.h"
#include "workbook_reader.h"

namespace rejections::testing {
namespace {

namespace fs = std::filesystem;
using workbook_test::WorkbookRead;

// What the progress window was told.
class RecordedProgress : public AvanceReporte {
public:
    void muestra(long total) override { totals.push_back(total); }
    void avance(long valor, long maximo, const std::string& etiqueta) override {
        values.push_back(valor);
        maxima.push_back(maximo);
        labels.push_back(etiqueta);
    }
    std::vector<long> totals, values, maxima;
    std::vector<std::string> labels;
};

class SamplesReport : public ::testing::Test {
protected:
    SamplesReport() {
        create_riruzozs_file(dir.path() / kRiruzozsFile);
        base.open(dir.path() / kRiruzozsFile);
        store_report_sources(base);
    }

    long report(const std::string& sql = "select * from prueba",
                long perSheet = kRegistrosPorHoja) {
        return escribe_reporte(base, sql, file, day, "Departamento de Muestras", progress,
                               perSheet);
    }

    testsupport::TempDir dir;
    db::Database base;
    fs::path file = dir.path() / kArchivoReporte;
    runtime::DateSerial day = runtime::date_serial(2008, 6, 15);
    RecordedProgress progress;
};

TEST_F(SamplesReport, FourRecordsUnderTheHeadersWithTheirLayoutAndProgress) {
    store_report_samples(base, 1, 4);
    EXPECT_EQ(report(), 4);

    EXPECT_EQ(progress.totals, std::vector<long>{4});
    EXPECT_EQ(progress.values, (std::vector<long>{3, 4, 4, 4}));
    EXPECT_EQ(progress.maxima, (std::vector<long>{4, 4, 4, 4}));
    EXPECT_EQ(progress.labels, (std::vector<std::string>{" 75% de avance", " 100% de avance",
                                                         " 100% de avance", " 100% de avance"}));

    WorkbookRead read(file);
    EXPECT_EQ(read.sheetNames(), std::vector<std::string>{"Muestras SRT 2008.06.15"});
    EXPECT_EQ(read.dimension(), "A1:AC5");
    auto cells = read.cells();
    for (int column = 1; column <= 29; ++column)
        EXPECT_EQ(cells[workbook::cellReference(1, column)].value, kEncabezados[column - 1]);
    EXPECT_EQ(cells["C1"].value, "N° A");
    EXPECT_EQ(cells["AC1"].value, "Archivo");
    // Record 3 in row 4, field j in column j + 1:
    const std::pair<const char*, std::string> row4[] = {
        {"A4", "tr 3"},
        {"B4", "R3"},
        {"C4", "553"},
        {"F4", "10:45:00"},
        {"K4", kReportCentral},
        {"L4", "Mexico Centro"},
        {"M4", "5ESS"},
        {"N4", "err 3"},
        {"V4", "id_trafico 3"},
        {"W4", "3.5"},
        {"X4", ""},
        {"Y4", "RATING"},
        {"Z4", "08/06/15 10:45"},
        {"AA4", "Metro"},
        {"AB4", "08/06/15"},
        {"AC4", kReportFile},
    };
    for (const auto& [reference, value] : row4)
        EXPECT_EQ(cells[reference].value, value) << reference;
    EXPECT_EQ(cells["Y5"].value, "COLLECTION");
    EXPECT_EQ(cells["W4"].type, "");  // a number stays a number
    EXPECT_NE(cells["A4"].type, "");

    const auto header = read.style(cells["M1"].style);
    EXPECT_TRUE(header.bold);
    EXPECT_EQ(header.fontSize, 12);
    EXPECT_EQ(header.leftBorder, "thin");
    EXPECT_EQ(header.horizontal, "center");
    for (const char* reference : {"A2", "X4", "AC5"}) {
        const auto body = read.style(cells[reference].style);
        EXPECT_FALSE(body.bold) << reference;
        EXPECT_EQ(body.bottomBorder, "thin") << reference;
        EXPECT_EQ(body.horizontal, "center") << reference;
    }

    pugi::xml_document sheetXml = read.xml(read.sheetPart(0));
    pugi::xml_node sheet = sheetXml.child("worksheet");
    EXPECT_STREQ(sheet.child("pageSetup").attribute("orientation").value(), "landscape");
    EXPECT_STREQ(sheet.child("pageSetup").attribute("fitToHeight").value(), "15");
    EXPECT_STREQ(sheet.child("sheetPr").child("pageSetUpPr").attribute("fitToPage").value(), "1");
    EXPECT_STREQ(sheet.child("printOptions").attribute("horizontalCentered").value(), "1");
    EXPECT_NEAR(sheet.child("pageMargins").attribute("bottom").as_double(), 0.8 / 2.54, 1e-9);
    EXPECT_STREQ(sheet.child("headerFooter").child("oddFooter").text().get(),
                 "&L&08 &B Departamento de Muestras&C&08 &B &F (&A) &R&08 &B Página: &p de: &N");
    int fitted = 0;
    for (pugi::xml_node column : sheet.child("cols").children("col"))
        fitted += column.attribute("width").as_double() > 0;
    EXPECT_EQ(fitted, 29);
    pugi::xml_document workbookXml = read.xml("xl/workbook.xml");
    EXPECT_STREQ(
        workbookXml.child("workbook").child("definedNames").child("definedName").text().get(),
        "'Muestras SRT 2008.06.15'!$1:$1");
    std::string headerLine;
    for (const char* header : kEncabezados)
        headerLine += (headerLine.empty() ? "" : ",") + std::string(header);
    const std::string csv = workbook_test::xlsx2csv(file);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), headerLine);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 5);
}

// The percentage over many records: the row below the one written, over the total.
TEST(ReportProgress, PercentagesAndLabels) {
    const struct {
        long written, total;
        int percent;
    } cases[] = {{1, 4, 75},   {2, 4, 100},      {4, 4, 100},     {1, 1000, 0},
                 {8, 1000, 1}, {998, 1000, 100}, {1, 3000000, 0}, {2999998, 3000000, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(porcentaje_avance(c.written, c.total), c.percent) << c.written << "/" << c.total;
    EXPECT_EQ(etiqueta_avance(7), " 7% de avance");
    EXPECT_EQ(nombre_hoja(runtime::date_serial(2008, 6, 15)), "Muestras SRT 2008.06.15");
}

// Character 0 and the other control characters come back whole.
TEST_F(SamplesReport, TextsKeepEveryCharacter) {
    using namespace std::string_literals;
    store_report_samples(base, 1, 1);
    const std::string stored = "A\0B\x01\r\n_x0041_"s;
    base.execute("UPDATE [Riruzozs alta] SET numero_b = ?", {runtime::Value(stored)});
    report();
    auto cells = WorkbookRead(file).cells();
    EXPECT_EQ(workbook_test::spreadsheetText(cells["D2"].value), stored);
}

TEST_F(SamplesReport, MoreRecordsThanASheetHoldsGoOnInFurtherSheets) {
    store_report_samples(base, 1, 7);
    EXPECT_EQ(report("select * from prueba", 3), 7);

    WorkbookRead read(file);
    EXPECT_EQ(read.sheetNames(),
              (std::vector<std::string>{"Muestras SRT 2008.06.15", "Muestras SRT 2008.06.15 (2)",
                                        "Muestras SRT 2008.06.15 (3)"}));
    const std::vector<std::string> dimensions = {"A1:AC4", "A1:AC4", "A1:AC2"};
    for (int sheet = 0; sheet < 3; ++sheet) {
        EXPECT_EQ(read.dimension(sheet), dimensions[sheet]);
        auto cells = read.cells(sheet);
        EXPECT_EQ(cells["AC1"].value, "Archivo") << sheet;
        EXPECT_TRUE(read.style(cells["A1"].style).bold) << sheet;
        EXPECT_EQ(cells["B2"].value, "R" + std::to_string(sheet * 3 + 1)) << sheet;
        pugi::xml_document sheetXml = read.xml(read.sheetPart(sheet));
        EXPECT_STREQ(
            sheetXml.child("worksheet").child("pageSetup").attribute("orientation").value(),
            "landscape");
    }
    EXPECT_EQ(read.cells(1)["B4"].value, "R6");
    EXPECT_EQ(progress.labels.back(), " 100% de avance");
    EXPECT_EQ(progress.values.size(), 7u);
}

TEST_F(SamplesReport, NoRecordsShowNothingAndWriteNothing) {
    store_report_samples(base, 1, 2);
    EXPECT_EQ(report("select * from prueba where [RD] like 'nada*'"), 0);
    EXPECT_TRUE(progress.totals.empty());
    EXPECT_FALSE(fs::exists(file));
}

// A failure leaves the earlier report as it was and nothing else beside it.
TEST_F(SamplesReport, AFailedReportLeavesTheEarlierOne) {
    store_report_samples(base, 1, 3);
    std::ofstream(file) << "the earlier report";
    // A text that is no UTF-8 in the middle of the records:
    base.execute("UPDATE [Riruzozs alta] SET cs = CAST(X'FF' AS TEXT) WHERE rd = 'R2'");
    EXPECT_THROW(report(), std::invalid_argument);
    EXPECT_THROW(report("select * from prueba where [Nada] like '*'"), db::Error);
    fs::create_directory(dir.path() / "sub");
    EXPECT_THROW(escribe_reporte(base, "select * from prueba where [RD] = 'R1'", dir.path() / "sub",
                                 day, "", progress),
                 std::exception);  // a folder in the way

    EXPECT_EQ(testsupport::read_file(file), "the earlier report");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{kArchivoReporte, kRiruzozsFile, "sub"}));
}

}  // namespace
}  // namespace rejections::testing
