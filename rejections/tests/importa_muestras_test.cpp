#include "importa_muestras.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "import_fixture.h"
#include "sample_file_text.h"

namespace rejections::testing {
namespace {

using Lines = std::vector<std::string>;
using Field = std::optional<std::string>;

constexpr const char* kCentral = "MEXCCO01";
constexpr const char* kNombre = "AB80615.txt";

Message fin(int rows) {
    return {"Fin de importación", "Se capturaron  " + std::to_string(rows) + " registros muestra"};
}
Message sin_titulo(const std::string& text) {
    return {std::nullopt, text};
}

// A whole block: "CI", date, kind, "LA", one sample per record, "RE" and the
// records' detail lines. Collection blocks when rating is false.
Lines bloque(const std::vector<Registro>& registros, bool rating = false,
             const std::string& fecha = linea_fecha("Jun", "15", "10:45")) {
    Lines lines = {"CI " + std::string(kCentral), fecha, rating ? "RATING" : "COLLECTION",
                   "LARGA DISTANCIA"};
    int figure = 12;
    for (const Registro& r : registros) {
        lines.push_back(linea_muestra(r, rating, "TRcd 000" + std::to_string(figure++)));
    }
    lines.push_back("REGISTROS");
    for (const Registro& r : registros) {
        lines.push_back(linea_detalle(r));
    }
    return lines;
}

Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Registro> registros(int count, int first = 1) {
    std::vector<Registro> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(registro(kCentral, first + i));
    }
    return out;
}

class ImportaMuestras : public ImportFixture {
protected:
    // Writes the sample file as given (Windows-1252), enters it in
    // "Archivos Alta" as the file pick does, and imports it.
    void importa(const std::string& content) {
        ruta = dir.write(kNombre, content);
        store.begin();
        store.insertFile(kNombre, "08/06/15");
        importa_muestras(services, ruta, kNombre);
    }
    void importa(const Lines& lines) { importa(texto(lines)); }

    std::vector<ResultRow> filas() {
        return db->query(R"(SELECT * FROM "Riruzozs alta" ORDER BY id)");
    }
    // One field of every stored row, in file order.
    std::vector<Field> campo(int field) {
        std::vector<Field> out;
        for (const ResultRow& row : filas()) {
            out.push_back(row.at(field));
        }
        return out;
    }

    // Whether this process still holds the sample file open.
    bool sample_file_open() const {
        for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            if (std::filesystem::read_symlink(fd.path(), error) == ruta) {
                return true;
            }
        }
        return false;
    }

    std::filesystem::path ruta;
};

TEST_F(ImportaMuestras, CollectionBlockStoresEveryRecordWithTheBlocksData) {
    // After a block's last record the import waits for a date line again:
    // a second block may follow without a "CI".
    const Lines second = {linea_fecha("Jun", "16", "11:00"),
                          "COLLECTION",
                          "LARGA DISTANCIA",
                          linea_muestra(registro(kCentral, 4), false, "TRcd 00020"),
                          "REGISTROS",
                          linea_detalle(registro(kCentral, 4))};
    importa(bloque(registros(3)) + second);

    EXPECT_EQ(messages.shown, std::vector<Message>{fin(4)});
    const std::vector<ResultRow> rows = filas();
    ASSERT_EQ(rows.size(), 4u);
    const ResultRow expected = {
        "1",        "09",         "031",        "5551210001", "5557654321",
        "1",        "10:30:15",   "08/06/14",   "00:01:30",   "MEXCCO01",
        "0012",     "0034",       "E07",        "LR1",        "16",
        "01",       "CAR",        "CF7",        "XS8",        "RI9",
        "ID1",      "12",         std::nullopt, "1",          "08/06/15 10:45",
        "08/06/15", "AB80615.txt"};
    EXPECT_EQ(rows[0], expected);
    EXPECT_EQ(campo(3),
              (std::vector<Field>{"5551210001", "5551210002", "5551210003", "5551210004"}));
    EXPECT_EQ(campo(21), (std::vector<Field>{"12", "13", "14", "20"}));
    EXPECT_EQ(campo(24), (std::vector<Field>{"08/06/15 10:45", "08/06/15 10:45", "08/06/15 10:45",
                                             "08/06/16 11:00"}));
    EXPECT_EQ(pointer.screen, MousePointer::Default);
    EXPECT_FALSE(sample_file_open());
}

TEST_F(ImportaMuestras, RatingBlockTakesItsOwnFieldOrder) {
    importa(bloque(registros(2), /*rating=*/true));

    EXPECT_EQ(messages.shown, std::vector<Message>{fin(2)});
    // The record's 17th, 18th and 19th fields land in 18, 19 and 17.
    EXPECT_EQ(campo(17), (std::vector<Field>{"RI9", "RI9"}));
    EXPECT_EQ(campo(18), (std::vector<Field>{"CF7", "CF7"}));
    EXPECT_EQ(campo(19), (std::vector<Field>{"XS8", "XS8"}));
    EXPECT_EQ(campo(23), (std::vector<Field>{"0", "0"}));
    // The samples matched, so the error code came from their 9th field.
    EXPECT_EQ(campo(21), (std::vector<Field>{"12", "13"}));
}

TEST_F(ImportaMuestras, RecordsTakeTheFigureOfTheFirstSampleTheyMatch) {
    Registro con_duracion = registro(kCentral, 1);
    Registro sin_duracion = registro(kCentral, 2);
    sin_duracion.d[8] = "000000";
    sin_duracion.d[15] = "FF";  // no access prefix: a local ("LO") sample
    Registro sin_muestra = registro(kCentral, 3);
    sin_muestra.d[12] = "E99";
    Registro otro_tipo = registro(kCentral, 4);
    otro_tipo.d[15] = "FF";
    Registro doble = registro(kCentral, 5);

    importa(Lines{"CI MEXCCO01", linea_fecha("Jun", "15", "10:45"), "COLLECTION", "LARGA DISTANCIA",
                  linea_muestra(con_duracion, false, "TRcd 00012"),
                  linea_muestra(otro_tipo, false, "TRcd 00044"),  // under LA, record is LO
                  linea_muestra(doble, false, "TRcd 00051"), "LOCAL",
                  linea_muestra(sin_duracion, false, "XRsd 7"),
                  linea_muestra(doble, false, "TRcd 00052"), "REGISTROS",
                  linea_detalle(con_duracion), linea_detalle(sin_duracion, 163),
                  linea_detalle(sin_muestra), linea_detalle(otro_tipo), linea_detalle(doble)});

    EXPECT_EQ(messages.shown, std::vector<Message>{fin(5)});
    EXPECT_EQ(campo(21),
              (std::vector<Field>{"12", std::nullopt, std::nullopt, std::nullopt, "51"}));
    EXPECT_EQ(campo(22),
              (std::vector<Field>{std::nullopt, "7", std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(campo(8),
              (std::vector<Field>{"00:01:30", "00:00:00", "00:01:30", "00:01:30", "00:01:30"}));
}

TEST_F(ImportaMuestras, DateLineWithAOneDigitDay) {
    services.anio_actual = 2011;
    importa(bloque(registros(1), false, linea_fecha("Mar", "5|", "08:05")));
    EXPECT_EQ(campo(24), std::vector<Field>{"11/03/05 08:05"});
}

TEST_F(ImportaMuestras, NewCentralWhileSamplesWaitForTheirRecords) {
    // Two Collection samples and no "RE"; then three Rating samples of which
    // one record arrived.
    const Lines waiting_samples = {"CI MEXCCO01",
                                   linea_fecha("Jun", "15", "10:45"),
                                   "COLLECTION",
                                   "LARGA DISTANCIA",
                                   linea_muestra(registro(kCentral, 1), false, "TRcd 00012"),
                                   linea_muestra(registro(kCentral, 2), false, "TRcd 00013")};
    Lines waiting_records = bloque(registros(3, 10), true);
    waiting_records.resize(waiting_records.size() - 2);
    importa(waiting_samples + waiting_records + bloque(registros(1, 20)));

    EXPECT_EQ(
        messages.shown,
        (std::vector<Message>{
            {"Error de Importación",
             "Muestra sin detalles en alguna central en Collection, se esperaban  2 registros."},
            {"Error de Importación",
             "Muestra sin detalles en alguna central en Rating, se esperaban  3 registros."},
            fin(2)}));
    EXPECT_EQ(campo(3), (std::vector<Field>{"5551210010", "5551210020"}));
}

TEST_F(ImportaMuestras, DetailLinesOfAnotherLengthAreCountedButNotStored) {
    // A line of 150 characters whose 11th field names the central.
    std::string otra = "|1|2|3|4|5|6|7|8|9|10|MEXICO CENTRO|";
    otra.append(150 - otra.size(), '-');
    Lines lines = bloque(registros(3));
    lines[lines.size() - 3] = otra;
    lines[lines.size() - 2] += "   ";  // trailing blanks don't count
    lines.back() = otra;
    Lines next = bloque(registros(2, 10));
    next.back() = otra;
    importa(lines + next);

    EXPECT_EQ(messages.shown,
              (std::vector<Message>{{"Error en importación",
                                     "Central: MEXICO CENTRO datos de Collection, validar directo "
                                     "de  muestra."},
                                    fin(2)}));
    EXPECT_EQ(campo(3), (std::vector<Field>{"5551210002", "5551210010"}));
}

TEST_F(ImportaMuestras, MoreThan200SamplesWarnsOncePerBlock) {
    // 201 samples; the 201st record repeats the first, so every record
    // matches a kept sample.
    auto block = [](bool rating) {
        std::vector<Registro> regs = registros(200);
        regs.push_back(regs.front());
        regs.back().d[3] = "5550000201";
        Lines lines = bloque(regs, rating);
        return lines;
    };
    importa(block(false) + block(true));

    const Message warning = {"Error en muestras",
                             "Más de 200 muestras, por procesar, puede haber incompatibilidad en "
                             "duraciones"};
    EXPECT_EQ(messages.shown, (std::vector<Message>{warning, warning, fin(402)}));
    const std::vector<Field> figures = campo(21);
    ASSERT_EQ(figures.size(), 402u);
    EXPECT_EQ(figures[0], "12");
    EXPECT_EQ(figures[199], "211");
    EXPECT_EQ(figures[200], "12");  // the first sample matched again
}

TEST_F(ImportaMuestras, RecordBeyondTheHeldSamplesStopsTheImportKeepingWhatWasStored) {
    std::vector<Registro> regs = registros(201);
    Lines lines = bloque(regs);
    // The records of the last two samples: the 201st was not kept.
    lines.erase(lines.end() - 201, lines.end() - 2);
    importa(bloque(registros(1, 500)) + lines + bloque(registros(1, 600)));

    EXPECT_EQ(messages.shown,
              (std::vector<Message>{{"Error en muestras",
                                     "Más de 200 muestras, por procesar, puede haber "
                                     "incompatibilidad en duraciones"},
                                    sin_titulo("Demasiados registros en muestra  201")}));
    // What was stored before the stop is lasting, seen from another connection.
    SqliteDb other(dir.path() / "riruzozs.mdb");
    EXPECT_EQ(other.scalar(R"(SELECT count(*) FROM "Riruzozs alta")"), 2);
    EXPECT_EQ(campo(3), (std::vector<Field>{"5551210500", "5551210200"}));
    EXPECT_EQ(pointer.screen, MousePointer::Default);
    EXPECT_FALSE(sample_file_open());
}

TEST_F(ImportaMuestras, UnknownMonthStopsTheImport) {
    importa(bloque(registros(1)) +
            bloque(registros(1, 2), false, linea_fecha("Jux", "15", "10:45")) +
            bloque(registros(1, 3)));

    EXPECT_EQ(messages.shown,
              std::vector<Message>{sin_titulo("Demasiados registros en muestra  0")});
    EXPECT_EQ(campo(3), std::vector<Field>{"5551210001"});
    EXPECT_EQ(pointer.screen, MousePointer::Default);
    EXPECT_FALSE(sample_file_open());
}

TEST_F(ImportaMuestras, ReWithoutSamplesWaitsForADateLineAgain) {
    const Lines empty_block = {"CI MEXCCO01", linea_fecha("Jun", "15", "10:45"),
                               "COLLECTION",  "LARGA DISTANCIA",
                               "REGISTROS",   linea_detalle(registro(kCentral, 1))};
    importa(empty_block + bloque(registros(1, 2)));

    EXPECT_EQ(messages.shown,
              (std::vector<Message>{{"Error en archivo", "Se esperaba inicio de bloque"}, fin(1)}));
    EXPECT_EQ(campo(3), std::vector<Field>{"5551210002"});
}

TEST_F(ImportaMuestras, SampleRestTooShortForItsFigure) {
    const Registro r = registro(kCentral, 1);
    importa(Lines{"CI MEXCCO01", linea_fecha("Jun", "15", "10:45"), "COLLECTION", "LARGA DISTANCIA",
                  linea_muestra(r, false, "T12"), "REGISTROS", linea_detalle(r)});

    EXPECT_EQ(messages.shown, (std::vector<Message>{sin_titulo("Error de formato"), fin(1)}));
    EXPECT_EQ(campo(21), std::vector<Field>{std::nullopt});
    EXPECT_EQ(campo(22), std::vector<Field>{std::nullopt});
}

TEST_F(ImportaMuestras, RowsTheDatabaseRefusesKeepTheirMessageAndAreNotCounted) {
    db->exec(R"(CREATE TRIGGER refuse BEFORE INSERT ON "Riruzozs alta" WHEN new.tr = 'ZZ'
                BEGIN SELECT RAISE(ABORT, 'refused'); END)");
    std::vector<Registro> regs = registros(4);
    regs[1].d[9] = "XXXXXX99";  // no such central
    regs[2].d[1] = "ZZ";
    importa(bloque(regs));

    EXPECT_EQ(messages.shown, (std::vector<Message>{sin_titulo("Error en CLLI:XXXXXX99"),
                                                    sin_titulo("Error:  3000"), fin(2)}));
    EXPECT_EQ(campo(3), (std::vector<Field>{"5551210001", "5551210004"}));
}

TEST_F(ImportaMuestras, RowsThatCannotBeMadeLastingAreNotReportedAsStored) {
    // With the central checked only at the end, the commit itself fails.
    std::vector<Registro> regs = registros(2);
    regs[1].d[9] = "XXXXXX99";
    ruta = dir.write(kNombre, texto(bloque(regs)));
    store.begin();
    store.insertFile(kNombre, "08/06/15");
    database.execute_script("PRAGMA defer_foreign_keys = ON");  // until the next commit
    importa_muestras(services, ruta, kNombre);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Error en Archivo");
    EXPECT_TRUE(messages.shown[0].text.starts_with("No se pudo capturar el archivo " +
                                                   ruta.string() + ".\n"))
        << messages.shown[0];
    EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Riruzozs alta")"), 0);
    EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Archivos Alta")"), 0);
    EXPECT_EQ(pointer.screen, MousePointer::Default);
    EXPECT_FALSE(sample_file_open());
}

TEST_F(ImportaMuestras, TheLastLineOfTheFileCountsWhateverItsLineEnd) {
    struct Case {
        const char* name;
        std::string content;
    };
    std::string unended = texto(bloque(registros(2)));
    unended.resize(unended.size() - 2);
    const Case cases[] = {
        {"CR LF, no end after the last line", unended},
        {"LF", texto(bloque(registros(2)), "\n")},
        {"CR", texto(bloque(registros(2)), "\r")},
    };
    for (const Case& c : cases) {
        db->exec(R"(DELETE FROM "Archivos Alta")");
        messages.shown.clear();
        importa(c.content);
        EXPECT_EQ(messages.shown, std::vector<Message>{fin(2)}) << c.name;
        EXPECT_EQ(campo(3), (std::vector<Field>{"5551210001", "5551210002"})) << c.name;
    }
}

TEST_F(ImportaMuestras, ListingFurnitureAndSkippedBlocksAreNotData) {
    Lines lines = bloque(registros(2));
    // Headings, rulers, stars and indentation among the samples and records.
    lines.insert(lines.begin() + 4, "|TR|RD|NUMERO A|");
    lines.insert(lines.begin() + 4, "MUESTRAS DE RECHAZO");
    lines.insert(lines.end() - 1, "______________");
    lines.insert(lines.end() - 1, "TOTAL 2");
    lines.insert(lines.end() - 1, "");
    lines.back() = "   ***" + lines.back();
    lines[0] = "**** CI MEXCCO01 ****";
    // A block to skip: the "SI" line, two lines of any kind, then up to a blank line.
    const Lines skipped = {"CI MEXCCO01",
                           linea_fecha("Jun", "15", "10:45"),
                           "SIN REGISTROS",
                           "",
                           "CI",
                           linea_detalle(registro(kCentral, 9)),
                           "FE",
                           "   "};
    importa(skipped + lines);

    EXPECT_EQ(messages.shown, std::vector<Message>{fin(2)});
    EXPECT_EQ(campo(3), (std::vector<Field>{"5551210001", "5551210002"}));
}

TEST_F(ImportaMuestras, TextIsReadInWindows1252AndStoredAsUtf8) {
    Registro r = registro(kCentral, 1);
    r.d[16] = "CA\xD1";  // one character in the file, two bytes in UTF-8
    importa(bloque({r}));
    EXPECT_EQ(campo(16), std::vector<Field>{"CAÑ"});
}

TEST_F(ImportaMuestras, MissingFileShowsItsErrorNumberAndLeavesItUnentered) {
    store.begin();
    store.insertFile(kNombre, "08/06/15");
    importa_muestras(services, dir.path() / kNombre, kNombre);
    EXPECT_EQ(messages.shown, std::vector<Message>{sin_titulo("Error:  53")});
    EXPECT_EQ(pointer.screen, MousePointer::Default);
    EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Archivos Alta")"), 0);
}

}  // namespace
}  // namespace rejections::testing
