// The workbook report of the stored records, written from a real factura.mdb
// and read back from disk.

#include "reporte_registros.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "FacturaDatabase.h"
#include "database/database.h"
#include "runtime/date_serial.h"
#include "stored_records.h"
#include "temp_dir.h"
#include "workbook_error.h"
#include "workbook_reader.h"

namespace {

using billing::escribe_reporte;
using workbook_test::WorkbookRead;

class Report : public testing::Test {
protected:
    testsupport::TempDir dir;
    db::Database base{billing::create_factura_database(dir.path())};
    std::filesystem::path file = dir.path() / billing::kArchivoReporte;
    runtime::DateSerial day = runtime::date_serial(2026, 12, 9);
};

TEST_F(Report, HoldsTheHeadersAndEveryRecordWithItsFormats) {
    ASSERT_EQ(billingtest::storeRecords(base, dir, billingtest::filterRecords()), 4);
    EXPECT_EQ(escribe_reporte(base, file, day), 4);

    WorkbookRead read(file);
    EXPECT_EQ(read.sheetNames(), std::vector<std::string>{"Registros Facturación2026.12.09"});
    EXPECT_EQ(read.dimension(), "A1:AL5");
    auto cells = read.cells();
    EXPECT_EQ(cells.size(), 38u * 5);
    EXPECT_EQ(cells["A1"].value, "Tipo de servicio");
    EXPECT_EQ(cells["E1"].value, "Número para la identificación de la llamada");
    EXPECT_EQ(cells["AL1"].value, "Servicio de Red Inteligente");
    // The records in their stored order, texts as texts, numbers as numbers:
    EXPECT_EQ(cells["A2"].value, "01");
    EXPECT_NE(cells["A2"].type, "");
    EXPECT_EQ(cells["B2"].value, "110");
    EXPECT_EQ(cells["B2"].type, "");
    EXPECT_EQ(cells["B5"].value, "162");
    EXPECT_EQ(cells["E2"].value, "-1");
    EXPECT_EQ(cells["F4"].value, "3");
    EXPECT_EQ(cells["G2"].value, "5551234567");
    EXPECT_NE(cells["G2"].type, "");
    EXPECT_EQ(cells["O2"].value, "00:15:45");
    EXPECT_EQ(cells["S4"].value, "'ABCDEF");

    const auto header = read.style(cells["A1"].style);
    EXPECT_TRUE(header.bold);
    EXPECT_EQ(header.fontSize, 12);
    EXPECT_EQ(header.leftBorder, "thin");
    EXPECT_EQ(header.horizontal, "center");
    for (const char* reference : {"A2", "AL5", "F4"}) {
        const auto body = read.style(cells[reference].style);
        EXPECT_FALSE(body.bold) << reference;
        EXPECT_EQ(body.bottomBorder, "thin") << reference;
        EXPECT_EQ(body.horizontal, "center") << reference;
    }

    pugi::xml_document sheetXml = read.xml(read.sheetPart(0));
    pugi::xml_node sheet = sheetXml.child("worksheet");
    EXPECT_STREQ(sheet.child("pageSetup").attribute("orientation").value(), "landscape");
    EXPECT_STREQ(sheet.child("pageSetup").attribute("fitToHeight").value(), "15");
    EXPECT_STREQ(sheet.child("headerFooter").child("oddFooter").text().get(),
                 "&L&08 &B Departamento de Facturación&C&08 &B &F (&A) &R&08 &B Página: &p de: &N");
}

TEST_F(Report, ASecondReportReplacesTheFirstAndAnEmptyStoreGivesTheHeaders) {
    ASSERT_EQ(billingtest::storeRecords(base, dir, billingtest::filterRecords()), 4);
    escribe_reporte(base, file, day);
    base.execute("DELETE * FROM PRUEBA");
    EXPECT_EQ(escribe_reporte(base, file, day + 1), 0);
    WorkbookRead read(file);
    EXPECT_EQ(read.sheetNames(), std::vector<std::string>{"Registros Facturación2026.12.10"});
    EXPECT_EQ(read.dimension(), "A1:AL1");
}

// The routes are stored as the characters of their hex pairs, "00" as
// character 0: the cells hold them whole, as the spreadsheet reads them.
TEST_F(Report, RoutesKeepEveryCharacter) {
    using namespace std::string_literals;
    const std::string records =
        billingtest::recordDigits(billingtest::RecordType::Type01,
                                  {{6, "000001"}, {19, "0400004142434E"}, {20, "0D0A1F5F783030"}});
    ASSERT_EQ(billingtest::storeRecords(base, dir, records), 1);
    ASSERT_EQ(base.scalar("select [Ruta salida] from prueba").to_text(), "\x04\0\0ABCN"s);
    escribe_reporte(base, file, day);

    auto cells = WorkbookRead(file).cells();
    EXPECT_EQ(workbook_test::spreadsheetText(cells["S2"].value), "\x04\0\0ABCN"s);
    EXPECT_EQ(workbook_test::spreadsheetText(cells["T2"].value), "\r\n\x1F_x00");
    EXPECT_NE(workbook_test::xlsx2csv(file).find("_x0004__x0000__x0000_ABCN"), std::string::npos);
}

// A folder of the report's name stands in the way: nothing can replace it.
TEST_F(Report, AFileThatCantBeWrittenIsAnErrorNamingIt) {
    std::filesystem::create_directory(file);
    try {
        escribe_reporte(base, file, day);
        ADD_FAILURE() << "no error";
    } catch (const workbook::WorkbookError& error) {
        EXPECT_NE(std::string(error.what()).find(billing::kArchivoReporte), std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

}  // namespace
