#include "database/paged_rows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "database/select_shape.h"
#include "test_database.h"

namespace {

// 1,000 rows (ten pages and more), a lookup table for a join, a second table
// that repeats lookups (a join that yields a row twice).
const char* kSchema = R"sql(
CREATE TABLE zonas (codigo TEXT COLLATE CASEBLIND PRIMARY KEY, zona TEXT);
INSERT INTO zonas VALUES ('N', 'Norte'), ('S', 'Sur');
CREATE TABLE filas (id INTEGER PRIMARY KEY, nombre TEXT COLLATE CASEBLIND, zona TEXT);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000)
INSERT INTO filas SELECT i, printf('fila %04d', i), CASE WHEN i % 2 THEN 'N' ELSE 'S' END FROM n;
CREATE TABLE dobles (codigo TEXT, nota TEXT);
INSERT INTO dobles VALUES ('N', 'uno'), ('N', 'dos');
CREATE VIEW solas AS SELECT id, nombre FROM filas ORDER BY id DESC;
CREATE VIEW con_zona AS SELECT f.id AS id, f.nombre AS nombre, z.zona AS zona
  FROM filas AS f LEFT JOIN zonas AS z ON z.codigo = f.zona ORDER BY f.id;
CREATE VIEW repetidas AS SELECT f.id AS id, f.nombre AS nombre, d.nota AS nota
  FROM filas AS f JOIN dobles AS d ON d.codigo = f.zona ORDER BY f.id, d.nota;
CREATE VIEW por_zona AS SELECT zona, count(*) AS filas, min(nombre) AS primera
  FROM filas GROUP BY zona;
CREATE VIEW por_nombre AS SELECT id, upper(nombre) AS nombre, count(*) AS veces
  FROM filas GROUP BY nombre ORDER BY id;
CREATE INDEX filas_nombre ON filas (nombre);
CREATE VIEW en_orden AS SELECT nombre, count(*) AS veces, upper(nombre) || zona AS grande
  FROM filas GROUP BY nombre ORDER BY nombre;
)sql";

// Every kind of source is counted, read at any place, searched and held in a
// few pages, whichever way its rows are found again.
TEST(PagedRows, CountsReadsAndFindsEveryKindOfSource) {
    TestDatabase t(kSchema);
    struct Case {
        const char* source;
        long rows;
        long last_id;  // field 0 of the last row
        const char* criteria;
        long found;
        bool updatable;
    };
    const Case cases[] = {
        {"filas", 1000, 1000, "[nombre] like 'FILA 0500'", 499, true},
        {"SELECT * FROM filas WHERE id > 10;", 990, 1000, "id = 12", 1, true},
        {"solas", 1000, 1, "[nombre] like 'fila 0999'", 1, true},
        {"select * from con_zona where [zona] like 'Sur'", 500, 1000, "id = 10", 4, false},
        {"repetidas", 1000, 999, "nota = 'uno' AND id = 3", 3, false},
        {"por_zona", 2, 0, "zona = 'S'", 1, false},
        {"SELECT DISTINCT zona FROM con_zona", 2, 0, "zona = 'Sur'", 1, false},
        // Many groups, counted apart from the copy where the statement lets them.
        {"por_nombre", 1000, 1000, "nombre = 'FILA 0010'", 9, false},
        {"SELECT id / 2 AS mitad, count(*) AS n FROM filas GROUP BY 1", 501, 500, "n = 1", 0,
         false},
        {"SELECT id, nombre FROM filas GROUP BY nombre ORDER BY id DESC LIMIT 150", 150, 851,
         "id = 999", 1, false},
        {"SELECT * FROM filas WHERE id < 0", 0, 0, "id = 1", -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        db::PagedRows rows(t.database, c.source);
        EXPECT_EQ(rows.row_count(), c.rows);
        EXPECT_TRUE(rows.counted());
        EXPECT_EQ(rows.rows_known(), c.rows);
        EXPECT_EQ(rows.updatable(), c.updatable);
        EXPECT_EQ(rows.find_first(c.criteria), c.found);
        if (c.rows == 0) {
            EXPECT_THROW(rows.value(0, 0), db::Error);
            continue;
        }
        if (c.last_id > 0) {
            EXPECT_EQ(rows.value(c.rows - 1, 0).integer(), c.last_id);
        }
        EXPECT_THROW(rows.value(c.rows, 0), db::Error);
        for (long row = 0; row < c.rows; row += 7)
            rows.value(row, rows.field_count() - 1);
        EXPECT_LE(rows.cached_rows(),
                  static_cast<long>(db::PagedRows::kCachedPages) * db::PagedRows::kPageRows);
    }
}

// The groups of a statement are counted without its select list only where
// that gives the statement's own count.
TEST(PagedRows, GroupsAreCountedApartOnlyWhereTheCountStaysTheSame) {
    TestDatabase t(kSchema);
    struct Case {
        const char* sql;
        bool counted_apart;
    };
    const Case cases[] = {
        {"SELECT nombre, count(*) AS n FROM filas GROUP BY nombre", true},
        {"select f.zona, count(*) from filas f join zonas z on z.codigo = f.zona "
         "where f.id > 100 group by f.zona order by count(*) desc",
         true},
        {"SELECT zona FROM filas WHERE nombre IN (SELECT nombre FROM filas GROUP BY 1) "
         "GROUP BY zona",
         true},
        {"SELECT DISTINCT count(*) FROM filas GROUP BY zona", false},
        {"SELECT id / 2 AS mitad FROM filas GROUP BY 1", false},
        {"SELECT zona FROM filas GROUP BY substr(nombre, 1, 6) || zona", true},
        {"SELECT id FROM filas GROUP BY nombre HAVING id > 400", false},
        {"SELECT id FROM filas GROUP BY nombre LIMIT 150", false},
        {"SELECT zona FROM filas GROUP BY zona UNION ALL SELECT zona FROM zonas", false},
        {"SELECT zona, count(*) FROM filas", false},
        {"SELECT zona FROM filas /* GROUP BY zona */", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        const auto counting = db::grouped_count_statement(c.sql);
        ASSERT_EQ(counting.has_value(), c.counted_apart);
        if (!counting)
            continue;
        EXPECT_EQ(t.database.scalar(*counting).integer(),
                  t.database.scalar(std::string("SELECT count(*) FROM (") + c.sql + ")").integer());
    }
}

// Groups an index gives in order are read page by page from the statement,
// the groups before a page skipped; a search copies them, and the rows stay
// the same.
TEST(PagedRows, GroupsInTheOrderOfAnIndexAreReadWhereverTheyStand) {
    TestDatabase t(kSchema);
    for (const char* source : {"en_orden", "SELECT * FROM en_orden",
                               "SELECT nombre, count(*) AS "
                               "veces, upper(nombre) || zona AS grande FROM filas GROUP BY nombre "
                               "ORDER BY nombre"}) {
        SCOPED_TRACE(source);
        db::PagedRows rows(t.database, source);
        ASSERT_EQ(rows.row_count(), 1000);
        auto expected = [](long row) {
            char name[32];
            std::snprintf(name, sizeof name, "FILA %04ld", row + 1);
            return std::string(name) + (row % 2 ? "S" : "N");
        };
        for (long row : {999L, 0L, 150L, 99L, 100L, 500L, 998L})
            EXPECT_EQ(rows.value(row, 2).to_text(), expected(row)) << row;
        EXPECT_EQ(rows.value(437, 1).integer(), 1);
        EXPECT_EQ(rows.find_first("grande = 'FILA 0700S'"), 699);
        for (long row : {999L, 0L, 150L, 699L})
            EXPECT_EQ(rows.value(row, 2).to_text(), expected(row)) << row;
    }
}

TEST(PagedRows, FieldsAndRowsComeAsTheStatementGivesThem) {
    TestDatabase t(kSchema);
    db::PagedRows rows(t.database, "select * from con_zona where id > 0");
    ASSERT_EQ(rows.field_count(), 3);  // the key that finds the rows is no field
    EXPECT_EQ(rows.field_name(2), "zona");
    EXPECT_EQ(rows.field_position("NOMBRE"), 1);
    EXPECT_EQ(rows.value(0, 0).integer(), 1);  // the first page, before the count
    rows.row_count();
    EXPECT_EQ(rows.value(500, 1).to_text(), "fila 0501");
    EXPECT_EQ(rows.value(500, 2).to_text(), "Norte");
    EXPECT_EQ(rows.value(999, 2).to_text(), "Sur");

    db::PagedRows grouped(t.database, "por_zona");
    EXPECT_EQ(grouped.value(1, 2).to_text(), "fila 0002");
}

TEST(PagedRows, UpdateWritesTheRowOfItsTable) {
    TestDatabase t(kSchema);
    db::PagedRows rows(t.database, "solas");
    rows.row_count();
    rows.value(990, 1);
    rows.update(990, {{1, runtime::Value("cambiada")}});
    EXPECT_EQ(rows.value(990, 1).to_text(), "cambiada");
    EXPECT_EQ(t.database.scalar("SELECT nombre FROM filas WHERE id = 10").to_text(), "cambiada");
    db::PagedRows joined(t.database, "con_zona");
    EXPECT_THROW(joined.update(0, {{1, runtime::Value("x")}}), db::Error);
}

// While the rows stay open nothing holds the file: another connection writes.
TEST(PagedRows, AnotherConnectionWritesWhileTheRowsAreOpen) {
    TestDatabase t(kSchema);
    // The first page is read as the rows open. Its rows are not asked for
    // here: once counted, that would keep page 0 in the cache as it was.
    db::PagedRows rows(t.database, "con_zona");
    db::Database other(t.file, db::OpenOptions{50});
    EXPECT_EQ(other.execute("UPDATE filas SET zona = 'N' WHERE id = 2"), 1);
    rows.row_count();
    rows.value(700, 0);
    EXPECT_EQ(other.execute("DELETE FROM filas WHERE id = 3"), 1);
    // A row deleted since the count shows empty; the others stay where they were.
    EXPECT_TRUE(rows.value(2, 0).is_null());
    EXPECT_EQ(rows.value(1, 2).to_text(), "Norte");
    // Groups counted apart from their copy hold nothing once copied.
    db::PagedRows grouped(t.database, "por_nombre");
    EXPECT_EQ(grouped.row_count(), 999);
    EXPECT_EQ(grouped.value(998, 0).integer(), 1000);
    EXPECT_EQ(other.execute("DELETE FROM filas WHERE id = 4"), 1);
}

// Emptying a table at once keeps what the row-by-row delete would do.
TEST(EmptyingATable, CascadesAtOnceAndCountsTheTablesOwnRows) {
    TestDatabase t(R"sql(
CREATE TABLE archivos (nombre TEXT PRIMARY KEY);
CREATE TABLE muestras (id INTEGER PRIMARY KEY,
                       archivo TEXT REFERENCES archivos (nombre) ON DELETE CASCADE);
CREATE TABLE notas (archivo TEXT REFERENCES archivos (nombre));
INSERT INTO archivos VALUES ('a'), ('b'), ('c');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)
INSERT INTO muestras SELECT i, CASE i % 3 WHEN 0 THEN 'a' WHEN 1 THEN 'b' ELSE 'c' END FROM n;
INSERT INTO muestras (archivo) VALUES (NULL);
)sql");
    {
        db::Transaction transaction(t.database);
        EXPECT_EQ(t.database.execute("DELETE FROM [archivos]"), 3);
        transaction.commit();
    }
    EXPECT_EQ(t.database.scalar("SELECT count(*) FROM archivos").integer(), 0);
    // The cascade leaves a row without a file, as it would row by row.
    EXPECT_EQ(t.database.scalar("SELECT count(*) FROM muestras").integer(), 1);
    // The keys are enforced again afterwards.
    EXPECT_EQ(error_number([&] { t.database.execute("INSERT INTO muestras VALUES (9, 'x')"); }),
              db::kRelatedRecordRequired);

    // A table that keeps its rows (no cascade) still stops the delete.
    t.database.execute("INSERT INTO archivos VALUES ('d')");
    t.database.execute("INSERT INTO notas VALUES ('d')");
    EXPECT_NE(error_number([&] { t.database.execute("DELETE FROM archivos"); }), 0);
    EXPECT_EQ(t.database.scalar("SELECT count(*) FROM archivos").integer(), 1);
}

}  // namespace
