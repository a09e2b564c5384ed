// The importer's store on factura.mdb made by the program's own schema
// code, through the database layer.

#include "FacturaRecordStore.h"

#include <gtest/gtest.h>

#include <string>

#include "FacturaDatabase.h"
#include "billing_dump.h"
#include "database/database.h"
#include "import_doubles.h"
#include "importa_arch.h"
#include "temp_dir.h"

namespace {

using billing::FacturaRecordStore;
using billingtest::dumpLines;
using billingtest::numberedRecord;
using billingtest::RecordingReporter;
using billingtest::RecordType;

class FacturaStore : public testing::Test {
protected:
    testsupport::TempDir dir;
    db::Database base{billing::create_factura_database(dir.path())};
    RecordingReporter reporter;

    long long import(const std::string& stream) {
        FacturaRecordStore store(base);
        return billing::importa_arch(dir.write("llamadas.txt", dumpLines(stream, 64)), store,
                                     reporter);
    }
    std::string pruebaColumn(const std::string& column) {
        return base.scalar("SELECT group_concat(" + column + ", ',') FROM prueba").to_text();
    }
};

TEST_F(FacturaStore, ImportedRecordsShowInPruebaWithTheirTypes) {
    EXPECT_EQ(import(billingtest::recordDigits(RecordType::Type01, {{3, "0A"}}) +
                     numberedRecord(RecordType::Type02, 9)),
              2);
    EXPECT_EQ(base.scalar("SELECT group_concat(Id) FROM \"Facturación Detallada\"").to_text(),
              "1,2");
    EXPECT_EQ(pruebaColumn("[Tipo servicio]"), "01,02");
    EXPECT_EQ(pruebaColumn("[Longitud registro]"), "110,162");
    EXPECT_EQ(pruebaColumn("[Causa de Salida]"), "0A,03");
    EXPECT_EQ(pruebaColumn("[Ident llamada]"), "-1,-1");
    EXPECT_EQ(pruebaColumn("[Secuencia registro]"), "16,9");
    EXPECT_EQ(pruebaColumn("[Fecha inicio fact]"), "97/03/15,97/03/15");
    EXPECT_EQ(pruebaColumn("[Ruta salida]"), "ABCDEFG,ABCDEFG");
    EXPECT_EQ(pruebaColumn("[Servicio Red Inteligente]"),
              "2626262626262626262626262626,2626262626262626262626262626");
    EXPECT_EQ(pruebaColumn("typeof([Secuencia registro])"), "integer,integer");
    EXPECT_FALSE(base.in_transaction());
}

// A row the database refuses ends the import and nothing of the file stays;
// the message gives the engine's words, not the statement.
TEST_F(FacturaStore, ARefusedRowStoresNothingOfTheFileAndShowsNoStatement) {
    base.execute_script(
        "CREATE UNIQUE INDEX una_secuencia ON \"Facturación Detallada\" (\"Secuencia registro\")");
    const long long stored =
        import(numberedRecord(RecordType::Type01, 1) + numberedRecord(RecordType::Type01, 2) +
               numberedRecord(RecordType::Type01, 2) + numberedRecord(RecordType::Type01, 3));
    EXPECT_EQ(stored, 0);
    ASSERT_EQ(reporter.events.size(), 3u);
    EXPECT_EQ(
        reporter.events[2].rfind("Error de Importación|No se pudo capturar el registro 3 ", 0), 0u)
        << reporter.events[2];
    EXPECT_NE(reporter.events[2].find("UNIQUE constraint failed"), std::string::npos);
    EXPECT_EQ(reporter.events[2].find("INSERT"), std::string::npos);
    EXPECT_EQ(pruebaColumn("[Secuencia registro]"), "");
    EXPECT_FALSE(base.in_transaction());
}

TEST_F(FacturaStore, RowsAddedButNotCommittedGoWithTheStore) {
    {
        FacturaRecordStore store(base);
        store.begin();
        billing::BillingRecord record;
        const std::string digits = numberedRecord(RecordType::Type01, 4);
        billing::decodeRecord(digits, 110, record);
        store.add(record);
        EXPECT_TRUE(base.in_transaction());
    }
    EXPECT_FALSE(base.in_transaction());
    EXPECT_EQ(base.scalar("SELECT count(*) FROM prueba").to_text(), "0");
}

TEST_F(FacturaStore, AMissingStoreIsNamedAndNothingIsRead) {
    base.execute_script("DROP VIEW prueba; DROP TABLE \"Facturación Detallada\";");
    EXPECT_EQ(import(numberedRecord(RecordType::Type01, 1)), 0);
    ASSERT_EQ(reporter.events.size(), 1u);
    EXPECT_EQ(reporter.events[0].rfind("Error de Importación|No se pudo capturar el archivo ", 0),
              0u)
        << reporter.events[0];
    EXPECT_NE(reporter.events[0].find("Facturación Detallada"), std::string::npos);
    EXPECT_FALSE(base.in_transaction());
}

// The dump that scripts/run hands to the demo: six calls, both types.
TEST_F(FacturaStore, TheDemoDumpImportsItsSixCalls) {
    FacturaRecordStore store(base);
    EXPECT_EQ(billing::importa_arch(BILLING_DEMO_FILE, store, reporter), 6);
    EXPECT_EQ(reporter.events.back(), "Fin de importación|Se capturaron  6 registros ");
    EXPECT_EQ(pruebaColumn("[Tipo servicio]"), "01,02,01,01,02,01");
    EXPECT_EQ(pruebaColumn("[Ruta salida]"), "TRONCO1,TRONCO2,CELULAR,TRONCO1,INTERNA,TRONCO3");
}

}  // namespace
