// factura.mdb as its schema makes it, through SQLite's C API directly.

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "factura_sqlite.h"

namespace {

using billingtest::newFacturaDatabase;
using billingtest::SqliteConnection;
using Rows = std::vector<std::vector<std::string>>;

// The columns of prueba that the filter window names, with their positions.
struct FilterColumn {
    int position;
    const char* name;
};
constexpr FilterColumn kFilterColumns[] = {
    {2, "Causa de Salida"},   {6, "# cliente A"},        {7, "Cat cliente A"},
    {8, "# cliente B"},       {10, "Razón desconexión"}, {12, "Fecha inicio fact"},
    {13, "Hora inicio fact"}, {14, "Duración fact"},     {15, "Duración interrupción"},
    {18, "Ruta salida"},      {19, "Ruta entrada"},      {23, "Ind ruta salida"},
    {24, "Ind ruta entrada"}};

std::vector<std::string> columnsOf(const SqliteConnection& db, const std::string& name) {
    std::vector<std::string> columns;
    for (const auto& row : db.rows("PRAGMA table_info(\"" + name + "\")")) {
        columns.push_back(row[1]);
    }
    return columns;
}

// Inserts a store row whose fields 1 to 38 are "f1".."f38", with numbers
// for fields 2, 5 and 6; the marker goes into field 3.
void insertRow(const SqliteConnection& db, const std::string& marker) {
    std::string values;
    for (int field = 1; field <= 38; ++field) {
        std::string value = "'f" + std::to_string(field) + "'";
        if (field == 2 || field == 5 || field == 6) {
            value = std::to_string(field * 100);
        } else if (field == 3) {
            value = "'" + marker + "'";
        }
        values += (field > 1 ? ", " : "") + value;
    }
    db.exec("INSERT INTO \"Facturación Detallada\" VALUES (NULL, " + values + ")");
}

TEST(FacturaSchema, StoreHasACounterThenThirtyEightFieldsAndPruebaTheFieldsAlone) {
    auto db = newFacturaDatabase();
    const auto store = columnsOf(db, "Facturación Detallada");
    const auto prueba = columnsOf(db, "prueba");
    ASSERT_EQ(store.size(), 39u);
    ASSERT_EQ(prueba.size(), 38u);
    EXPECT_EQ(store[0], "Id");
    EXPECT_EQ(std::vector<std::string>(store.begin() + 1, store.end()), prueba);
    for (const FilterColumn& column : kFilterColumns) {
        EXPECT_EQ(prueba[column.position], column.name);
    }
    const Rows types = db.rows(
        "SELECT name, type FROM pragma_table_info('Facturación Detallada') "
        "WHERE type <> 'TEXT'");
    EXPECT_EQ(types, (Rows{{"Id", "INTEGER"},
                           {"Longitud registro", "INTEGER"},
                           {"Ident llamada", "INTEGER"},
                           {"Secuencia registro", "INTEGER"}}));
}

TEST(FacturaSchema, AStoredRowShowsInPruebaWithItsFieldsInOrder) {
    auto db = newFacturaDatabase();
    insertRow(db, "A1");
    const Rows rows = db.rows("SELECT * FROM prueba");
    ASSERT_EQ(rows.size(), 1u);
    std::vector<std::string> expected;
    for (int field = 1; field <= 38; ++field) {
        expected.push_back(field == 2 || field == 5 || field == 6 ? std::to_string(field * 100)
                           : field == 3                           ? "A1"
                                                                  : "f" + std::to_string(field));
    }
    EXPECT_EQ(rows[0], expected);
    EXPECT_EQ(db.scalar("SELECT typeof(\"Longitud registro\") FROM prueba"), "integer");
}

TEST(FacturaSchema, TheFilterWindowsQueryRunsOnPrueba) {
    auto db = newFacturaDatabase();
    insertRow(db, "0A");
    insertRow(db, "1B");
    // The filter's like takes the old wildcards ("*"), blind to case.
    std::string sql = "select * from prueba where";
    for (const FilterColumn& column : kFilterColumns) {
        sql += std::string(column.position == 2 ? " " : " and ") + "[" + column.name + "] like '" +
               (column.position == 2 ? "0a" : "") + "*'";
    }
    const Rows rows = db.rows(sql);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][2], "0A");
    // Plain comparisons of the texts are blind to case too, accented letters included.
    db.exec("UPDATE \"Facturación Detallada\" SET \"Carrier\" = 'Telefónica'");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM prueba WHERE [Causa de Salida] = '0a' "
                        "AND Carrier = 'TELEFÓNICA'"),
              "1");
}

TEST(FacturaSchema, DeletingFromPruebaEmptiesTheStore) {
    auto db = newFacturaDatabase();
    for (const char* marker : {"A1", "B2", "A1", "C3"}) {
        insertRow(db, marker);
    }
    db.exec("DELETE FROM prueba");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM \"Facturación Detallada\""), "0");
    // On an empty store the delete does nothing and fails nothing.
    db.exec("DELETE FROM prueba");
    // The counter does not start again.
    insertRow(db, "D4");
    EXPECT_EQ(db.scalar("SELECT \"Id\" FROM \"Facturación Detallada\""), "5");
}

TEST(FacturaSchema, ADeleteFromPruebaTakesExactlyTheRowsItMatches) {
    auto db = newFacturaDatabase();
    // Row 1 differs from rows 3 and 4 only in case, which the match must see.
    for (const char* marker : {"a1", "B2", "A1", "A1", "C3"}) {
        insertRow(db, marker);
    }
    db.exec("UPDATE \"Facturación Detallada\" SET \"Carrier\" = NULL WHERE \"Id\" = 5");
    db.exec("DELETE FROM prueba WHERE [Causa de Salida] = 'A1' COLLATE BINARY");
    EXPECT_EQ(db.scalar("SELECT group_concat(\"Id\") FROM \"Facturación Detallada\""), "1,2,5");
    db.exec("DELETE FROM prueba WHERE Carrier IS NULL");
    EXPECT_EQ(db.scalar("SELECT group_concat(\"Id\") FROM \"Facturación Detallada\""), "1,2");
}

}  // namespace
