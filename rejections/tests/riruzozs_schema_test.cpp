// The schema of riruzozs.mdb, checked through SQLite itself with foreign
// keys on, as the program opens it.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "database/database.h"
#include "sqlite_db.h"
#include "temp_dir.h"

namespace rejections::testing {
namespace {

class RiruzozsSchema : public ::testing::Test {
protected:
    RiruzozsSchema() : db(create_riruzozs_db(dir.path() / "riruzozs.mdb")) {
        db->exec(
            "INSERT INTO Centrales VALUES ('MEXCCO01', 'Mexico Centro', '5ESS', 'Metro'),"
            " ('GDLJAL02', 'Guadalajara', 'DMS', 'Occidente'), ('MTYNL03', 'Monterrey', 'DMS', "
            "'Norte')");
    }

    // Runs one statement; returns SQLite's extended result code.
    int run(const std::string& sql) {
        const int rc = sqlite3_exec(db->get(), sql.c_str(), nullptr, nullptr, nullptr);
        return rc == SQLITE_OK ? rc : sqlite3_extended_errcode(db->get());
    }

    // A row of "Riruzozs alta" by position, fields 0 to 26.
    int insert_row(const std::string& clli, const std::string& archivo, bool collection,
                   const std::string& trcd = "NULL") {
        return run(R"(INSERT INTO "Riruzozs alta" VALUES (NULL, '09', '031', '5551210001',)"
                   R"( '5557654321', '1', '10:30:15', '08/06/14', '00:01:30', ')" +
                   clli +
                   R"(', '0012', '0034', 'E07', 'LR1', '16', '01', 'CAR', 'CF7', 'XS8',)"
                   R"( 'RI9', 'ID1', )" +
                   trcd + ", NULL, " + (collection ? "1" : "0") +
                   R"(, '08/06/15 10:45', '08/06/15', ')" + archivo + "')");
    }

    testsupport::TempDir dir;
    std::unique_ptr<SqliteDb> db;
};

TEST_F(RiruzozsSchema, AFileNameIsEnteredOnce) {
    EXPECT_EQ(run(R"(INSERT INTO "Archivos Alta" VALUES ('AB80615.txt', '08/06/15'))"), SQLITE_OK);
    EXPECT_EQ(run(R"(INSERT INTO "Archivos Alta" VALUES ('AB80615.txt', '08/06/15'))"),
              SQLITE_CONSTRAINT_PRIMARYKEY);
    EXPECT_EQ(run(R"(INSERT INTO "Archivos Alta" VALUES ('ab80615.TXT', '08/06/15'))"),
              SQLITE_CONSTRAINT_PRIMARYKEY);
    EXPECT_EQ(run(R"(INSERT INTO "Archivos Alta" VALUES (NULL, '08/06/15'))"),
              SQLITE_CONSTRAINT_NOTNULL);
}

TEST_F(RiruzozsSchema, ASampleNeedsAKnownCentralAndAnEnteredFile) {
    db->exec(R"(INSERT INTO "Archivos Alta" VALUES ('AB80615.txt', '08/06/15'))");
    EXPECT_EQ(insert_row("MEXCCO01", "AB80615.txt", true), SQLITE_OK);
    EXPECT_EQ(insert_row("mexcco01", "ab80615.txt", true), SQLITE_OK);
    EXPECT_EQ(insert_row("XXXXXX99", "AB80615.txt", true), SQLITE_CONSTRAINT_FOREIGNKEY);
    EXPECT_EQ(insert_row("MEXCCO01", "CD80616.txt", true), SQLITE_CONSTRAINT_FOREIGNKEY);
    EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Riruzozs alta")"), 2);
}

TEST_F(RiruzozsSchema, PruebaShowsTheSamplesInTheColumnsOfTheGridAndReport) {
    db->exec(R"(INSERT INTO "Archivos Alta" VALUES ('AB80615.txt', '08/06/15'))");
    ASSERT_EQ(insert_row("MEXCCO01", "AB80615.txt", true, "12"), SQLITE_OK);
    ASSERT_EQ(insert_row("GDLJAL02", "AB80615.txt", false), SQLITE_OK);

    EXPECT_EQ(db->column_names("SELECT * FROM prueba"), (std::vector<std::string>{"TR",
                                                                                  "RD",
                                                                                  "# de A",
                                                                                  "# de B",
                                                                                  "T",
                                                                                  "Hora",
                                                                                  "Fecha",
                                                                                  "Duración",
                                                                                  "IRS",
                                                                                  "IRE",
                                                                                  "CLLI",
                                                                                  "Central",
                                                                                  "Tipo",
                                                                                  "ERR",
                                                                                  "LR",
                                                                                  "CS",
                                                                                  "PA",
                                                                                  "Carrier",
                                                                                  "CF/NI",
                                                                                  "X-Subscriber",
                                                                                  "Red Inteligente",
                                                                                  "ID Trafico",
                                                                                  "TRcd",
                                                                                  "TRsd",
                                                                                  "T Error",
                                                                                  "F Recolección",
                                                                                  "División",
                                                                                  "Fech Arch",
                                                                                  "Archivo"}));
    EXPECT_EQ(db->query("SELECT * FROM prueba"),
              (std::vector<ResultRow>{{"09",         "031",
                                       "5551210001", "5557654321",
                                       "1",          "10:30:15",
                                       "08/06/14",   "00:01:30",
                                       "0012",       "0034",
                                       "MEXCCO01",   "Mexico Centro",
                                       "5ESS",       "E07",
                                       "LR1",        "16",
                                       "01",         "CAR",
                                       "CF7",        "XS8",
                                       "RI9",        "ID1",
                                       "12",         std::nullopt,
                                       "COLLECTION", "08/06/15 10:45",
                                       "Metro",      "08/06/15",
                                       "AB80615.txt"},
                                      {"09",         "031",
                                       "5551210001", "5557654321",
                                       "1",          "10:30:15",
                                       "08/06/14",   "00:01:30",
                                       "0012",       "0034",
                                       "GDLJAL02",   "Guadalajara",
                                       "DMS",        "E07",
                                       "LR1",        "16",
                                       "01",         "CAR",
                                       "CF7",        "XS8",
                                       "RI9",        "ID1",
                                       std::nullopt, std::nullopt,
                                       "RATING",     "08/06/15 10:45",
                                       "Occidente",  "08/06/15",
                                       "AB80615.txt"}}));
    // The filters name the columns in brackets and compare ranges of file dates.
    EXPECT_EQ(db->scalar("SELECT count(*) FROM prueba WHERE [T Error] = 'RATING' AND "
                         "[F Recolección] LIKE '08/06/15*' AND [Fech Arch] >= '08/06/15' AND "
                         "[Fech Arch] <= '08/06/15' AND [# de A] LIKE '555*' AND [Duración] <> ''"
                         " AND [ID Trafico] = 'ID1'"),
              1);
}

TEST_F(RiruzozsSchema, TotalesCountsTheErrorsOfEveryCentralByKind) {
    db->exec(R"(INSERT INTO "Archivos Alta" VALUES ('AB80615.txt', '08/06/15'))");
    EXPECT_TRUE(db->query("SELECT * FROM Totales").empty());
    for (bool collection : {true, true, false}) {
        ASSERT_EQ(insert_row("MEXCCO01", "AB80615.txt", collection), SQLITE_OK);
    }
    ASSERT_EQ(insert_row("GDLJAL02", "AB80615.txt", false), SQLITE_OK);

    EXPECT_EQ(db->column_names("SELECT * FROM Totales"),
              (std::vector<std::string>{"CLLI", "Central", "Collection", "Rating", "Total"}));
    EXPECT_EQ(db->query("SELECT * FROM Totales"),
              (std::vector<ResultRow>{{"GDLJAL02", "Guadalajara", "0", "1", "1"},
                                      {"MEXCCO01", "Mexico Centro", "2", "1", "3"}}));
}

TEST_F(RiruzozsSchema, BorraRiruzozsDeletesFileByFileAndCountsFiles) {
    struct Case {
        int files;
        int rows_per_file;
    };
    for (const Case c : {Case{0, 0}, Case{1, 3}, Case{2, 2}}) {
        for (int f = 0; f < c.files; ++f) {
            const std::string archivo = "AB8061" + std::to_string(f) + ".txt";
            db->exec(R"(INSERT INTO "Archivos Alta" VALUES (')" + archivo + "', '08/06/1" +
                     std::to_string(f) + "')");
            for (int r = 0; r < c.rows_per_file; ++r) {
                ASSERT_EQ(insert_row("MEXCCO01", archivo, true), SQLITE_OK);
            }
        }
        // The database layer runs the saved query by its name.
        db::Database layer(dir.path() / "riruzozs.mdb");
        EXPECT_EQ(layer.execute("Borra Riruzozs"), c.files);
        EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Riruzozs alta")"), 0);
        EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Archivos Alta")"), 0);
        EXPECT_EQ(db->scalar("SELECT count(*) FROM Centrales"), 3);
    }
}

}  // namespace
}  // namespace rejections::testing
