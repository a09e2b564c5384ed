// The filter's statement over prueba, run on a real factura.mdb holding
// records stored by the importer.

#include "filtro_registros.h"

#include <gtest/gtest.h>

#include <string>

#include "FacturaDatabase.h"
#include "database/database.h"
#include "stored_records.h"
#include "temp_dir.h"

namespace {

using billing::consulta_prueba;
using billing::etiqueta_duracion;
using billing::FiltroRegistros;

TEST(EtiquetaDuracion, CompletesShortDurationsFromTheLeft) {
    const struct {
        const char* caja;
        const char* etiqueta;
    } casos[] = {
        {"", ""},
        {"   ", ""},
        {"5", "00:00:05"},
        {"7", "00:00:07"},
        {" 1:30 ", "00:01:30"},
        {"130", "00:00130"},
        {"0:01:30", "00:01:30"},
        {"12:34:56", "12:34:56"},
        {" 12:34:56", " 12:34:56"},  // eight or more pass as typed
    };
    for (const auto& caso : casos)
        EXPECT_EQ(etiqueta_duracion(caso.caja), caso.etiqueta) << '"' << caso.caja << '"';
}

TEST(ConsultaPrueba, NamesEveryFilteredColumnInOrder) {
    FiltroRegistros filtros;
    filtros[0] = "01";
    EXPECT_EQ(consulta_prueba(filtros),
              "select * from prueba where [Causa de Salida] like '01*'"
              " and [# cliente A] like '*'and [Cat cliente A] like '*'"
              " and [# cliente B] like '*' and [Razón desconexión] like '*'"
              " and [Fecha inicio fact] like '*' and [Hora inicio fact] like '*'"
              " and [Duración fact] like '*' and [Duración interrupción] like '*'"
              " and [Ruta salida] like '*' and [Ruta entrada] like '*'"
              " and [Ind ruta salida] like '*' and [Ind ruta entrada] like '*'");
}

class FilteredRecords : public testing::Test {
protected:
    testsupport::TempDir dir;
    db::Database base{billing::create_factura_database(dir.path())};

    void SetUp() override {
        ASSERT_EQ(billingtest::storeRecords(base, dir, billingtest::filterRecords()), 4);
    }
    // The sequence numbers of the records the filters let through.
    std::string selected(const FiltroRegistros& filtros) {
        db::Recordset rows = base.open_recordset(consulta_prueba(filtros));
        std::string sequences;
        for (; !rows.eof(); rows.move_next())
            sequences += rows["Secuencia registro"].to_text();
        return sequences;
    }
};

TEST_F(FilteredRecords, EachFilterKeepsTheRecordsWhoseColumnBeginsWithIt) {
    const struct {
        int filtro;
        const char* texto;
        const char* registros;
    } casos[] = {
        {0, "", "1234"},         // nothing typed: every record
        {0, "01", "12"},         // causa de salida
        {0, "0a", "4"},          // blind to case
        {1, "5551234", "13"},    // cliente A, leading digits
        {1, "555?234", "13"},    // one character of any kind
        {1, "*000", "34"},       // any run first
        {1, "5551234567", "1"},  // the whole number
        {7, "00:15", "1"},       // the duration label
        {9, "'A", "3"},          // a quote is a character like any other
        {9, "ABC", "124"},       // the other records keep the usual route
        {1, "9", ""},            // nothing begins with it
    };
    for (const auto& caso : casos) {
        FiltroRegistros filtros;
        filtros[caso.filtro] = caso.texto;
        EXPECT_EQ(selected(filtros), caso.registros) << caso.filtro << " " << caso.texto;
    }
}

TEST_F(FilteredRecords, FiltersOnSeveralFieldsMustAllHold) {
    FiltroRegistros filtros;
    filtros[0] = "01";
    filtros[1] = "5551";
    EXPECT_EQ(selected(filtros), "1");
    filtros[7] = etiqueta_duracion("7");
    EXPECT_EQ(selected(filtros), "");
    filtros[1] = "";
    EXPECT_EQ(selected(filtros), "2");
}

TEST_F(FilteredRecords, QuotesTypedInAnyBoxNeverBreakTheStatement) {
    FiltroRegistros filtros;
    for (auto& filtro : filtros)
        filtro = "x' or 'a'='a";
    EXPECT_EQ(selected(filtros), "");
    filtros.fill("");
    filtros[9] = "''";
    EXPECT_EQ(selected(filtros), "");
}

}  // namespace
