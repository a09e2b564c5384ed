#include "captura_archivo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "import_fixture.h"
#include "sample_file_text.h"

namespace rejections::testing {
namespace {

TEST(FechaDeArchivo, MonthAndDayComeFromTheNameBeforeItsSuffixLetter) {
    struct Case {
        std::string ultimos12;
        std::string fecha;
    };
    const Case cases[] = {
        {"/AB80615.txt", "08/06/15"},  // two letters, year digit, month, day
        {"AB80615A.txt", "08/06/15"},  // a suffix letter A to D at character 8
        {"AB80615b.txt", "08/06/15"},  // in either case
        {"AB80615D.txt", "08/06/15"},
        {"AB80615E.txt", "08/61/5E"},  // any other letter is no suffix
        {"x.txt", "08/t/"},            // a short name gives what it has
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fecha_de_archivo(c.ultimos12, 2008), c.fecha) << c.ultimos12;
    }
    EXPECT_EQ(fecha_de_archivo("/AB80615.txt", 2103), "03/06/15");
}

class CapturaArchivo : public ImportFixture {
protected:
    // A sample file of one block with one record, in a folder of its own.
    std::string sample_file(const std::string& name) {
        const Registro r = registro("MEXCCO01", 1);
        return dir
            .write("muestras/" + name,
                   texto({"CI MEXCCO01", linea_fecha("Jun", "15", "10:45"), "COLLECTION", "LA",
                          linea_muestra(r, false, "TRcd 00012"), "RE", linea_detalle(r)}))
            .string();
    }
};

TEST_F(CapturaArchivo, EntersTheFileThenImportsIt) {
    const std::string ruta = sample_file("AB80615b.txt");
    EXPECT_EQ(captura_archivo(services, ruta), "08/06/15");

    EXPECT_EQ(db->query(R"(SELECT * FROM "Archivos Alta")"),
              (std::vector<ResultRow>{{"AB80615b.txt", "08/06/15"}}));
    EXPECT_EQ(db->query(R"(SELECT archivo, fech_arch FROM "Riruzozs alta")"),
              (std::vector<ResultRow>{{"AB80615b.txt", "08/06/15"}}));
    EXPECT_EQ(messages.shown,
              (std::vector<Message>{{"Fin de importación", "Se capturaron  1 registros muestra"}}));
    EXPECT_EQ(pointer.window, MousePointer::Default);
    EXPECT_EQ(pointer.screen, MousePointer::Default);
}

TEST_F(CapturaArchivo, TheSameFileTwiceIsRefusedWithoutImport) {
    const std::string ruta = sample_file("AB80615.txt");
    captura_archivo(services, ruta);
    messages.shown.clear();

    captura_archivo(services, ruta);
    EXPECT_EQ(messages.shown, (std::vector<Message>{{"Error en Archivo", "Archivo ya capturado"}}));
    EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Riruzozs alta")"), 1);
    EXPECT_EQ(pointer.window, MousePointer::Default);
}

TEST_F(CapturaArchivo, ACancelledPickChangesNothing) {
    EXPECT_EQ(captura_archivo(services, ""), "");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Archivos Alta")"), 0);
    EXPECT_EQ(pointer.changes,
              (std::vector<std::pair<std::string, MousePointer>>{
                  {"window", MousePointer::Hourglass}, {"window", MousePointer::Default}}));
}

TEST_F(CapturaArchivo, AnyOtherFailureToEnterTheFileIsTheDatabasesAndImportsNothing) {
    // Without "Archivos Alta" the entry fails: one message naming the file
    // and the engine's reason, and no row is tried.
    db->exec("PRAGMA foreign_keys = OFF");
    db->exec(R"(DROP TABLE "Archivos Alta")");
    db->exec("PRAGMA foreign_keys = ON");
    const std::string ruta = sample_file("AB80615.txt");
    captura_archivo(services, ruta);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Error en Archivo");
    EXPECT_EQ(messages.shown[0].text, "No se pudo capturar el archivo " + ruta +
                                          ".\nLa base de datos respondió: no such table: Archivos "
                                          "Alta\nNo se guardó ningún registro del archivo.");
    EXPECT_EQ(db->scalar(R"(SELECT count(*) FROM "Riruzozs alta")"), 0);
    EXPECT_FALSE(database.in_transaction());
    EXPECT_EQ(pointer.window, MousePointer::Default);
}

}  // namespace
}  // namespace rejections::testing
