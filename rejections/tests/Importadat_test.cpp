// The main window of riruzoz through the program's services: the database
// at start, the file pick with its guard, the delete command, the menus.

#include "Importadat.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Module1.h"
#include "database/database.h"
#include "frmAbout.h"
#include "qt_printers.h"
#include "riruzozs_database.h"
#include "runtime/clock.h"
#include "runtime/date_serial.h"
#include "sample_file_text.h"
#include "temp_dir.h"
#include "test_program.h"

namespace rejections::testing {
namespace {

using testsupport::TempDir;

// The program folder points at a folder of the test's own.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::filesystem::path& folder) {
        setenv("PROGRAM_FOLDER", folder.c_str(), 1);
    }
    ~ProgramFolder() {
        cierra_base();
        unsetenv("PROGRAM_FOLDER");
    }
};

class ImportadatWindow : public ::testing::Test {
protected:
    ImportadatWindow() {
        create_riruzozs_file(file);
        db::Database database(file);
        database.execute(
            "INSERT INTO Centrales VALUES ('MEXCCO01', 'Mexico Centro', '5ESS', 'Metro')");
    }

    Importadat* start() { return window = app.show<Importadat>(forms::Modeless); }

    // A sample file of one block with `records` records of central MEXCCO01.
    std::string sample_file(const std::string& name, int records = 1) {
        std::vector<std::string> lines = {"CI MEXCCO01", linea_fecha("Jun", "15", "10:45"),
                                          "COLLECTION", "LA"};
        std::vector<std::string> details;
        for (int i = 1; i <= records; ++i) {
            const Registro r = registro("MEXCCO01", i);
            lines.push_back(linea_muestra(r, false, "TRcd 00012"));
            details.push_back(linea_detalle(r));
        }
        lines.push_back("RE");
        lines.insert(lines.end(), details.begin(), details.end());
        return dir.write("muestras/" + name, texto(lines)).string();
    }

    long long count(const std::string& table) {
        db::Database database(file);
        return database.scalar("SELECT count(*) FROM [" + table + "]").to_number();
    }

    void click(const char* name) { window->findChild<QPushButton*>(name)->click(); }
    void trigger(const char* name) { window->findChild<QAction*>(name)->trigger(); }

    void pick(const std::string& path) {
        app.files.paths.push_back(QString::fromStdString(path));
        click("conv");
    }

    TempDir dir;
    std::filesystem::path file = dir.path() / "riruzozs.mdb";
    ProgramFolder folder{dir.path()};
    runtime::FixedClock clock{runtime::date_serial(2008, 7, 1)};
    runtime::ScopedClock scoped{clock};
    forms::TestProgram app{"riruzoz"};
    Importadat* window = nullptr;
};

TEST_F(ImportadatWindow, ShowsItsCaptionButtonsAndMenus) {
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(window->windowTitle(), "Datos de Riruzozs");
    const std::pair<const char*, const char*> buttons[] = {{"conv", "&Importa Archivo"},
                                                           {"Command2", "&Regs. Muestra"},
                                                           {"Command3", "&Borra Datos"},
                                                           {"Command4", "&Ver Totales"},
                                                           {"Command1", "F&in"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(window->findChild<QPushButton*>(name)->text(), caption) << name;
    const std::pair<const char*, const char*> items[] = {{"Menu_Archivo", "&Archivo"},
                                                         {"Menu_Importa", "&Importa Archivo"},
                                                         {"Menu_regfac", "&Registros Muestra"},
                                                         {"vertot", "&Ver Totales"},
                                                         {"menu_borra", "&Borra Datos"},
                                                         {"menu_fin", "&Salir"},
                                                         {"menu_ver", "&Ver"},
                                                         {"menu_acerca", "&Acerca de"}};
    for (const auto& [name, caption] : items)
        EXPECT_EQ(window->findChild<QAction*>(name)->text(), caption) << name;
    EXPECT_TRUE(base_datos.is_open());
    EXPECT_TRUE(espacio_trabajo.abierto);
}

TEST(ImportadatStart, AMissingBrokenOrForeignDatabaseIsNamedAndTheProgramEnds) {
    enum class File { Missing, Text, Empty, OtherTables };
    for (const File kind : {File::Missing, File::Text, File::Empty, File::OtherTables}) {
        TempDir dir;
        const auto file = dir.path() / "riruzozs.mdb";
        if (kind == File::Text)
            dir.write("riruzozs.mdb", "not a database at all, just text");
        if (kind == File::Empty)
            dir.write("riruzozs.mdb", "");
        if (kind == File::OtherTables)
            db::Database::create_file(file, "CREATE TABLE otra (x);");
        ProgramFolder folder{dir.path()};
        forms::TestProgram app{"riruzoz"};
        EXPECT_EQ(app.show<Importadat>(forms::Modeless), nullptr);
        EXPECT_TRUE(app.ended());
        EXPECT_EQ(app.exitCode(), 1);
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_TRUE(app.messages.shown[0].text.contains(file.c_str()))
            << app.messages.shown[0].text.toStdString();
        if (kind == File::Empty || kind == File::OtherTables) {
            EXPECT_EQ(app.messages.shown[0].text.toStdString(),
                      "El archivo '" + file.string() + "' no es la base de datos de riruzoz.");
        }
        EXPECT_EQ(app.messages.shown[0].title, "riruzoz");
        EXPECT_EQ(std::filesystem::exists(file), kind != File::Missing);
        if (kind == File::Empty) {
            EXPECT_EQ(std::filesystem::file_size(file), 0u);
        }
        EXPECT_FALSE(base_datos.is_open());
    }
}

TEST_F(ImportadatWindow, ACancelledPickImportsNothingAndRestoresThePointer) {
    start();
    click("conv");
    ASSERT_EQ(app.files.requests.size(), 1u);
    EXPECT_EQ(app.files.requests[0].title, "Archivo de Facturación");
    EXPECT_EQ(app.files.requests[0].filter, "Archivos de Riruzozs");
    EXPECT_EQ(app.files.requests[0].initialDir, "/");
    EXPECT_EQ(app.files.requests[0].fileName, "");
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_EQ(count("Archivos Alta"), 0);
    EXPECT_EQ(window->fecha_de_archivo, "");
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(app.cursor.waiting);
}

TEST_F(ImportadatWindow, ImportsThePickedFileOnceAndOpensTheNextPickInItsFolder) {
    start();
    const std::string ruta = sample_file("AB80615b.txt", 2);
    pick(ruta);
    EXPECT_EQ(window->fecha_de_archivo, "08/06/15");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "Se capturaron  2 registros muestra");
    EXPECT_EQ(app.messages.shown[0].title, "Fin de importación");
    EXPECT_EQ(count("Riruzozs alta"), 2);
    EXPECT_NE(window->cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(app.cursor.waiting);
    EXPECT_EQ(app.cursor.changes, (std::vector<bool>{true, false}));

    pick(ruta);
    ASSERT_EQ(app.messages.shown.size(), 2u);
    EXPECT_EQ(app.messages.shown[1].text, "Archivo ya capturado");
    EXPECT_EQ(app.messages.shown[1].title, "Error en Archivo");
    EXPECT_EQ(count("Riruzozs alta"), 2);
    EXPECT_EQ(count("Archivos Alta"), 1);
    EXPECT_EQ(app.files.requests[1].initialDir,
              QString::fromStdString((dir.path() / "muestras/").string()));

    // A cancelled pick after them still opens in that folder, and forgets it.
    click("conv");
    EXPECT_EQ(app.files.requests[2].initialDir,
              QString::fromStdString((dir.path() / "muestras/").string()));
    click("conv");
    EXPECT_EQ(app.files.requests[3].initialDir, "/");
}

TEST_F(ImportadatWindow, TheFilesDateTakesTheYearFromTheClock) {
    clock.set(runtime::date_serial(2011, 1, 3));
    start();
    struct Case {
        std::string name;
        std::string fecha;
    };
    for (const Case& c : {Case{"AB10615.txt", "11/06/15"}, Case{"AB10615b.txt", "11/06/15"},
                          Case{"AB10615E.txt", "11/61/5E"}}) {
        pick(sample_file(c.name));
        EXPECT_EQ(window->fecha_de_archivo, c.fecha) << c.name;
    }
    db::Database database(file);
    EXPECT_EQ(database.scalar("SELECT fecha FROM [Archivos Alta] WHERE archivo = 'AB10615E.txt'")
                  .to_text(),
              "11/61/5E");
}

TEST_F(ImportadatWindow, DeletingCountsTheFilesInTheSingularOrPlural) {
    start();
    struct Case {
        int files;
        std::string text;
    };
    int picked = 0;
    for (const Case& c : {Case{0, "Se borraron registros de facturación de 0 archivo muestra."},
                          Case{1, "Se borraron registros de facturación de 1 archivo muestra."},
                          Case{2, "Se borraron registros de facturación de 2 archivos muestra."}}) {
        for (int i = 0; i < c.files; ++i)
            pick(sample_file("AB8061" + std::to_string(picked++) + ".txt"));
        app.messages.shown.clear();
        click("Command3");
        ASSERT_EQ(app.messages.shown.size(), 1u) << c.files;
        EXPECT_EQ(app.messages.shown[0].text, QString::fromStdString(c.text));
        EXPECT_EQ(app.messages.shown[0].title, "Riruzozs de Facturación");
        EXPECT_EQ(count("Riruzozs alta"), 0);
        EXPECT_EQ(count("Archivos Alta"), 0);
    }
    // The files deleted may be imported again.
    app.messages.shown.clear();
    pick(sample_file("AB80610.txt"));
    EXPECT_EQ(app.messages.shown.back().text, "Se capturaron  1 registros muestra");
}

TEST_F(ImportadatWindow, AFailingDeleteShowsTheErrorAndNoCount) {
    {
        db::Database database(file);
        database.execute("UPDATE saved_actions SET sql = 'DELETE FROM [No such table]'");
    }
    start();
    trigger("menu_borra");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_TRUE(app.messages.shown[0].text.startsWith("Error: 3000 "))
        << app.messages.shown[0].text.toStdString();
    EXPECT_FALSE(app.messages.shown[0].text.contains("archivo"));
}

TEST_F(ImportadatWindow, TheMenusDoWhatTheirButtonsDo) {
    start();
    trigger("Menu_Importa");
    EXPECT_EQ(app.files.requests.size(), 1u);
    trigger("menu_acerca");
    auto* about = app.find<shell::frmAbout>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "Acerca de Dovrane");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(about->placement().left, window->placement().left + window->placement().width);
}

TEST_F(ImportadatWindow, FinClosesTheDatabaseAndEndsTheProgram) {
    for (const char* way : {"Command1", "menu_fin"}) {
        forms::TestProgram program{"riruzoz"};
        window = program.show<Importadat>(forms::Modeless);
        ASSERT_NE(window, nullptr);
        program.show<shell::frmAbout>(forms::Modeless, shell::dovraneTexts());
        if (std::string(way) == "Command1")
            click(way);
        else
            trigger(way);
        EXPECT_TRUE(program.ended()) << way;
        EXPECT_FALSE(base_datos.is_open()) << way;
        EXPECT_FALSE(espacio_trabajo.abierto) << way;
    }
}

// The demo's own sample file and centrals: every block kind, a skipped
// block and the listing's furniture, imported without a complaint.
TEST(ImportadatDemo, TheDemoSampleFileImportsWhole) {
    TempDir dir;
    const std::filesystem::path demo = RIRUZOZ_DEMO_DIR;
    create_riruzozs_file(dir.path() / "riruzozs.mdb");
    {
        db::Database database(dir.path() / "riruzozs.mdb");
        EXPECT_EQ(load_centrales(database, demo / "centrales.csv"), 3u);
    }
    ProgramFolder folder{dir.path()};
    forms::TestProgram app{"riruzoz"};
    auto* window = app.show<Importadat>(forms::Modeless);
    ASSERT_NE(window, nullptr);
    app.files.paths.push_back(QString::fromStdString((demo / "CO80615.txt").string()));
    window->conv_Click();
    ASSERT_EQ(app.messages.shown.size(), 1u) << app.messages.shown[0].text.toStdString();
    EXPECT_EQ(app.messages.shown[0].text, "Se capturaron  6 registros muestra");
    db::Database database(dir.path() / "riruzozs.mdb");
    EXPECT_EQ(database.scalar("SELECT count(*) FROM prueba WHERE [T Error] = 'RATING'").to_text(),
              "3");
    EXPECT_EQ(database.scalar("SELECT sum(trcd) FROM [Riruzozs alta]").to_text(),
              "111");  // 12 + 22 + 32 + 45
    EXPECT_EQ(database.scalar("SELECT sum(trsd) FROM [Riruzozs alta]").to_text(), "7");
}

}  // namespace
}  // namespace rejections::testing
