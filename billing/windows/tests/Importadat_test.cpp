// The main window through the services: the file pick, the import into
// factura.mdb in a program folder of the test's own, the delete command,
// the menus and their shortcuts, and a missing database at start.

#include "Importadat.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "FacturaDatabase.h"
#include "Filtra.h"
#include "Module1.h"
#include "billing_dump.h"
#include "database/database.h"
#include "frmAbout.h"
#include "frmSplash.h"
#include "qt_printers.h"
#include "runtime/program_folder.h"
#include "start.h"
#include "temp_dir.h"
#include "test_program.h"
#include "zovavidevir_fixture.h"

namespace {

using billing::Importadat;
using billingtest::dumpLines;
using billingtest::numberedRecord;
using billingtest::RecordType;

using billingtest::ProgramFolder;

class MainWindow : public testing::Test {
protected:
    ProgramFolder folder;
    forms::TestProgram app{"Zovavidevir"};
    billing::Module1 modulo;
    Importadat* window = app.show<Importadat>(forms::Modeless, modulo);

    template <class T>
    T* find(const char* name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // A billing file of `count` type 01 records in 64-digit lines.
    QString dump(int count) {
        std::string stream;
        for (int i = 1; i <= count; ++i) {
            stream += numberedRecord(i % 2 ? RecordType::Type01 : RecordType::Type02, i);
        }
        const auto path = folder.dir.write("llamadas.txt", "FILE 01\r\n" + dumpLines(stream, 64));
        return QString::fromStdString(path.string());
    }
    long long storedRows() {
        db::Database base(folder.dir.path() / "factura.mdb");
        return base.scalar("SELECT count(*) FROM prueba").integer();
    }
};

TEST_F(MainWindow, OpensItsDatabaseAndShowsItsControls) {
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Datos de Facturación");
    EXPECT_TRUE(modulo.base_datos.is_open());
    EXPECT_EQ(find<QPushButton>("conv")->text(), "&Importa Archivo");
    EXPECT_EQ(find<QPushButton>("Command2")->text(), "&Reg.de Facturación");
    EXPECT_EQ(find<QPushButton>("Command3")->text(), "&Borra Datos");
    EXPECT_EQ(find<QPushButton>("Command1")->text(), "F&in");
    EXPECT_EQ(find<QLabel>("Label1")->text(), "Importando...");
    EXPECT_FALSE(find<QLabel>("Label1")->isVisible());
}

TEST_F(MainWindow, ImportsThePickedFileAndTellsHowManyRecordsItStored) {
    app.files.paths.push_back(dump(3));
    find<QPushButton>("conv")->click();
    ASSERT_EQ(app.files.requests.size(), 1u);
    EXPECT_EQ(app.files.requests[0].filter, "Archivos de Facturación");
    EXPECT_EQ(app.files.requests[0].fileName, "");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "Se capturaron  3 registros ");
    EXPECT_EQ(app.messages.shown[0].title, "Fin de importación");
    EXPECT_EQ(app.messages.shown[0].style, forms::msg::OkOnly);
    EXPECT_EQ(storedRows(), 3);
    // The click's hourglass around the import's own; the label is gone again.
    EXPECT_EQ(app.cursor.changes, (std::vector<bool>{true, true, false, false}));
    EXPECT_FALSE(find<QLabel>("Label1")->isVisible());
}

TEST_F(MainWindow, ACancelledDialogImportsNothingAndSaysNothing) {
    find<QPushButton>("conv")->click();
    EXPECT_EQ(app.files.requests.size(), 1u);
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_EQ(storedRows(), 0);
    EXPECT_FALSE(app.cursor.waiting);
}

TEST_F(MainWindow, AFileThatCantBeOpenedIsNamedUnderItsTitle) {
    const QString missing = QString::fromStdString((folder.dir.path() / "no.txt").string());
    app.files.paths.push_back(missing);
    find<QPushButton>("conv")->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "No se puede abrir el archivo " + missing);
    EXPECT_EQ(app.messages.shown[0].title, "Error en Archivo");
    EXPECT_FALSE(app.cursor.waiting);
}

TEST_F(MainWindow, BorraDatosEmptiesTheStoreSilentlyEmptyOrNot) {
    find<QPushButton>("Command3")->click();
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_EQ(storedRows(), 0);
    app.files.paths.push_back(dump(4));
    find<QPushButton>("conv")->click();
    ASSERT_EQ(storedRows(), 4);
    find<QPushButton>("Command3")->click();
    EXPECT_EQ(storedRows(), 0);
    EXPECT_EQ(app.messages.shown.size(), 1u);  // the import's closing message alone
    // The program's own connection sees the empty store too.
    EXPECT_EQ(modulo.base_datos.scalar("SELECT count(*) FROM prueba").integer(), 0);
}

TEST_F(MainWindow, ADeleteThatFailsShowsTheEnginesError) {
    std::filesystem::remove(folder.dir.path() / "factura.mdb");
    find<QPushButton>("Command3")->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_TRUE(app.messages.shown[0].text.startsWith("Error: 3000 "))
        << app.messages.shown[0].text.toStdString();
    EXPECT_TRUE(app.messages.shown[0].text.contains("factura.mdb"));
    EXPECT_EQ(app.messages.shown[0].title, "Zovavidevir");
}

TEST_F(MainWindow, FinUnloadsTheWindowClosesTheDatabaseAndEndsTheProgram) {
    find<QPushButton>("Command1")->click();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_FALSE(modulo.base_datos.is_open());
}

// Each menu entry has its shortcut and does what its button does.
TEST_F(MainWindow, MenuEntriesAndTheirShortcutsDoWhatTheButtonsDo) {
    struct Entry {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
    };
    const Entry entries[] = {
        {"Menu_Importa", "&Importa Archivo", QKeySequence("Ctrl+I")},
        {"Menu_regfac", "&Registro de Facturación", QKeySequence("Ctrl+R")},
        {"menu_borra", "&Borra Datos", QKeySequence("Ctrl+B")},
        {"menu_fin", "&Salir", QKeySequence("Ctrl+S")},
        {"menu_acerca", "&Acerca de", QKeySequence("Ctrl+A")},
    };
    for (const Entry& entry : entries) {
        auto* action = find<QAction>(entry.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), entry.caption) << entry.name;
        EXPECT_EQ(action->shortcut(), entry.shortcut) << entry.name;
    }

    // The keys themselves, typed into the active window:
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    app.files.paths.push_back(dump(2));
    QTest::keyClick(window, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(app.files.requests.size(), 1u);
    EXPECT_EQ(storedRows(), 2);
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "Se capturaron  2 registros ");
    QTest::keyClick(window, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(storedRows(), 0);
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    auto* filtra = app.find<billing::Filtra>();
    ASSERT_NE(filtra, nullptr);
    EXPECT_TRUE(filtra->isVisible());
    EXPECT_FALSE(window->isVisible());
    filtra->findChild<QPushButton*>("Cierra")->click();
    EXPECT_TRUE(window->isVisible());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    auto* about = app.find<shell::frmAbout>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(window->isVisible());
    about->findChild<QPushButton*>("cmdOK")->click();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(app.ended());
    EXPECT_FALSE(modulo.base_datos.is_open());
}

TEST_F(MainWindow, TheAboutWindowShowsSalvientBesideTheMainWindow) {
    find<QAction>("menu_acerca")->trigger();
    auto* about = app.find<shell::frmAbout>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "Acerca de Salvient");
    EXPECT_EQ(about->findChild<QLabel*>("lblTitle")->text(), " Salvient");
    EXPECT_EQ(about->findChild<QLabel*>("Label1")->text(), "Versión 1.0.0");
    EXPECT_EQ(about->placement().left, window->placement().left + window->placement().width);
    EXPECT_TRUE(window->isVisible());
}

TEST(ZovavidevirStart, TheSplashShowsSalvientAndHandsOverToTheMainWindow) {
    ProgramFolder folder;
    forms::TestProgram app("Zovavidevir");
    billing::Module1 modulo;
    billing::startZovavidevir(app, modulo);
    auto* splash = app.find<shell::frmSplash>();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->windowTitle(), "Salvient");
    EXPECT_EQ(splash->findChild<QLabel*>("lblProductName")->text(), "Salvient");
    EXPECT_EQ(app.find<Importadat>(), nullptr);
    EXPECT_FALSE(modulo.base_datos.is_open());
    splash->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(app.find<shell::frmSplash>(), nullptr);
    ASSERT_NE(app.find<Importadat>(), nullptr);
    EXPECT_TRUE(app.find<Importadat>()->isVisible());
    EXPECT_TRUE(modulo.base_datos.is_open());
}

// Without factura.mdb, or with a file of its name that is no database of
// Zovavidevir's, the program names the file and ends.
TEST(MainWindowStart, AMissingUnreadableOrForeignDatabaseIsNamedAndTheProgramEnds) {
    enum class File { Missing, Text, Empty, OtherTables };
    for (const File kind : {File::Missing, File::Text, File::Empty, File::OtherTables}) {
        ProgramFolder folder(false);
        const auto file = folder.dir.path() / "factura.mdb";
        if (kind == File::Text)
            folder.dir.write("factura.mdb", "not a database at all, just text");
        if (kind == File::Empty)
            folder.dir.write("factura.mdb", "");
        if (kind == File::OtherTables)
            db::Database::create_file(file, "CREATE TABLE otra (x);");
        forms::TestProgram app("Zovavidevir");
        billing::Module1 modulo;
        EXPECT_EQ(app.show<Importadat>(forms::Modeless, modulo), nullptr);
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_TRUE(app.messages.shown[0].text.startsWith("No se puede abrir la base de datos " +
                                                          QString::fromStdString(file.string())))
            << app.messages.shown[0].text.toStdString();
        if (kind == File::Empty || kind == File::OtherTables) {
            EXPECT_TRUE(app.messages.shown[0].text.endsWith(QString::fromStdString(
                "\nEl archivo '" + file.string() + "' no es la base de datos de Zovavidevir.")))
                << app.messages.shown[0].text.toStdString();
        }
        EXPECT_EQ(app.messages.shown[0].title, "Zovavidevir");
        EXPECT_TRUE(app.ended());
        EXPECT_EQ(app.exitCode(), 1);
        EXPECT_EQ(app.run(), 1);
        EXPECT_EQ(std::filesystem::exists(file), kind != File::Missing);  // nothing was created
        EXPECT_FALSE(modulo.base_datos.is_open());
    }
}

}  // namespace
