// The main window: start-up with the login, the tasks of "A&ceptar", the
// ticket browser's check, the help, compaction, and closing.

#include "frmMain.h"

#include "FrmGraficas.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "FrmAvance.h"
#include "FrmContrasena.h"
#include "FrmGraficas.h"
#include "controls.h"
#include "frmacerca.h"
#include "qt_printers.h"
#include "status_bar.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

using quality::frmMain;

std::string bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The user's answer to the login window when it shows.
void answerLogin(forms::TestProgram& app, const QString& clave) {
    app.modal.whenShown([clave](forms::Form& login) {
        login.findChild<QLineEdit*>("txtclave")->setText(clave);
        login.findChild<QPushButton*>("cmdaceptar")->click();
    });
}

// A window that shows data of the database, as the ticket browser does.
class DataWindow : public forms::Form {
public:
    explicit DataWindow(forms::Program& program) : Form(program, "FrmPlanBoletas") {}
};

struct MainWindow : ::testing::Test {
    TernovaFolder folder;  // the supervisor SUPERVISOR holds "clave"
    quality::MdlTtlQuality state;
    forms::TestProgram app{"Ternova"};
    frmMain* window = nullptr;

    void SetUp() override {
        db::Database setup(folder.file);
        setup.execute("INSERT INTO SUPERVISORES (nombre, contraseña) VALUES ('ANA LOPEZ', 'luna')");
    }
    // Starts the program, the login answered with `clave`.
    void start(const QString& clave = "clave") {
        answerLogin(app, clave);
        window = app.show<frmMain>(forms::Modeless, state);
        ASSERT_NE(window, nullptr);
    }
    template <class T>
    T* find(const char* name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void accept(int option) {
        find<QRadioButton>(forms::arrayName("Option1", option).toUtf8())->setChecked(true);
        find<QPushButton>("cmdacep")->click();
    }
    QString panel1() { return find<forms::StatusBar>("sbStatusBar")->panelText(1); }
    const forms::ShownMessage& lastMessage() {
        EXPECT_FALSE(app.messages.shown.empty());
        return app.messages.shown.back();
    }
};

const char* const kAdministracion[] = {"mnutecnico", "mnusuper", "mnuprior", "mnucompac"};

TEST_F(MainWindow, StartsAfterTheLoginWithItsControls) {
    start("luna");
    EXPECT_EQ(app.modal.shown, QStringList{"FrmContraseña"});
    EXPECT_EQ(state.usuario, "ANA LOPEZ");
    EXPECT_EQ(state.meses[0], "Enero");
    EXPECT_EQ(state.tiemposres[2], 720);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Ternova");
    EXPECT_EQ(find<QGroupBox>("Frame1")->title(), "Opciones");
    EXPECT_EQ(find<QRadioButton>("Option1(2)")->text(), "Ver &totales por técnico");
    EXPECT_EQ(find<QPushButton>("cmdacep")->text(), "A&ceptar");
    EXPECT_EQ(find<QPushButton>("cmdpass")->toolTip(), "Cambiar Contraseña");
    EXPECT_FALSE(find<QPushButton>("cmdgraf")->icon().isNull());
    auto* status = find<forms::StatusBar>("sbStatusBar");
    EXPECT_EQ(status->panelCount(), 3);
    for (int panel = 1; panel <= 3; ++panel)
        EXPECT_TRUE(status->panel(panel)->alignment() & Qt::AlignHCenter) << panel;
    EXPECT_EQ(find<QAction>("mnucontraseña")->text(), "&Cambiar contraseña...");
    EXPECT_EQ(find<QAction>("mnuplan")->text(), "Ayuda &Ternova");
    for (const char* name : kAdministracion)
        EXPECT_FALSE(find<QAction>(name)->isEnabled()) << name;
    EXPECT_TRUE(find<QAction>("mnugraf")->isEnabled());
}

TEST_F(MainWindow, TheSupervisorsLoginEnablesTheAdministrationEntries) {
    start("CLAVE");
    EXPECT_EQ(state.usuario, "SUPERVISOR");
    for (const char* name : kAdministracion)
        EXPECT_TRUE(find<QAction>(name)->isEnabled()) << name;
}

TEST_F(MainWindow, LeavingTheLoginEndsTheProgramBeforeTheWindowShows) {
    app.modal.whenShown([](forms::Form& login) { login.close(); });
    EXPECT_EQ(app.show<frmMain>(forms::Modeless, state), nullptr);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.settings.saveCount(), 0);
}

TEST_F(MainWindow, AMissingDatabaseIsNamedAndEndsTheProgram) {
    std::filesystem::remove(folder.file);
    EXPECT_EQ(app.show<frmMain>(forms::Modeless, state), nullptr);
    EXPECT_TRUE(app.ended());
    EXPECT_NE(app.exitCode(), 0);
    EXPECT_TRUE(app.modal.shown.isEmpty());
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_TRUE(app.messages.shown[0].text.contains("Ternova.mdb"));
    EXPECT_EQ(app.messages.shown[0].style, 16);
    EXPECT_FALSE(std::filesystem::exists(folder.file));
}

TEST_F(MainWindow, AZeroByteDatabaseIsNamedAsNotTheProgramsAndEndsTheProgram) {
    std::filesystem::resize_file(folder.file, 0);
    EXPECT_EQ(app.show<frmMain>(forms::Modeless, state), nullptr);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitCode(), 1);
    EXPECT_TRUE(app.modal.shown.isEmpty());
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text.toStdString(),
              "El archivo '" + folder.file.string() + "' no es la base de datos de Ternova.");
    EXPECT_EQ(std::filesystem::file_size(folder.file), 0u);
}

TEST_F(MainWindow, GenerarBoletasRunsTheWeekOnTheChosenReport) {
    start();
    for (const char* plantilla : {"TICKETS_TECNICOS.XLS", "numero_boletas.xls"})
        std::filesystem::copy_file(std::filesystem::path(PROGRAM_DIR) / plantilla,
                                   folder.folder.path() / plantilla);
    const auto semana = folder.folder.path() / "semana";
    std::filesystem::create_directories(semana);
    const auto reporte = semana / "boletas_resv_car0305.txt";
    std::filesystem::copy_file(std::filesystem::path(QUALITY_TEST_DATA) / reporte.filename(),
                               reporte);

    accept(0);  // cancelled
    ASSERT_EQ(app.files.requests.size(), 1u);
    EXPECT_EQ(app.files.requests[0].filter, "Archivos de Texto (*.txt)|*.txt");
    EXPECT_EQ(app.files.requests[0].initialDir,
              QString::fromStdString(folder.folder.path().string()));
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_FALSE(app.cursor.waiting);

    // "A&ceptar" with the first option:
    app.files.paths.push_back(QString::fromStdString(reporte.string()));
    accept(0);
    EXPECT_EQ(lastMessage().text, "Los archivos fueron generados con éxito.");
    EXPECT_EQ(lastMessage().style, 64);
    EXPECT_EQ(panel1(), "");
    EXPECT_FALSE(app.cursor.waiting);
    EXPECT_TRUE(std::filesystem::exists(semana / "rand_boltec_wklist0305.xls"));
    EXPECT_TRUE(std::filesystem::exists(semana / "bol_resv_tec_car0305.xls"));
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM Boletas_Resueltas").to_number(), 8);
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM Historico_Boletas_Calidad").to_number(),
              5);

    // The picture button, on the same week: refused, with nothing said of success.
    app.messages.shown.clear();
    app.files.paths.push_back(QString::fromStdString(reporte.string()));
    find<QPushButton>("cmdgenerar")->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].style, 64);
    EXPECT_TRUE(app.messages.shown[0].text.startsWith("No es necesario volver a generar"));
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM Historico_Boletas_Calidad").to_number(),
              5);
}

// A report of one work list with `boletas` tickets of 50 technicians.
void writeLargeReport(const std::filesystem::path& file, int boletas) {
    std::ofstream out(file, std::ios::binary);
    out << "SISTEMA DE BOLETAS - REPORTE DE BOLETAS RESUELTAS\r\n"
        << "LISTA DE TRABAJO CENTRAL NORTE - REPARACION\r\n"
        << "DE FECHA 27/02/26 A 05/03/26 23:59:59\r\n\r\n"
        << "     #       BOLETA          CREADA          RESUELTA             TECNICO ESTADO  "
           "PRIOR\r\n"
        << std::string(87, '-') << "\r\n";
    for (int i = 0; i < boletas; ++i) {
        char line[128];
        std::snprintf(line, sizeof line,
                      "%6d       %-7d         %02d/03/26 08:15  %02d/03/2026 10:40:00  T%02d     "
                      "CERRADA    %2d\r\n",
                      i + 1, 4500000 + i, 1 + i % 4, 2 + i % 4, i % 50, 1 + i % 99);
        out << line;
    }
    out << "FIN DE LISTA CENTRAL NORTE - REPARACION\r\n\r\n";
}

// How far a bar's drawing is filled: the share of its middle row that looks
// like its filled end rather than its empty end.
double drawnShare(const QImage& bar) {
    const int y = bar.height() / 2;
    const QColor full = bar.pixelColor(3, y);
    const QColor empty = bar.pixelColor(bar.width() - 4, y);
    auto distance = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue());
    };
    int filled = 0;
    for (int x = 2; x < bar.width() - 2; ++x)
        filled += distance(bar.pixelColor(x, y), full) < distance(bar.pixelColor(x, y), empty);
    return double(filled) / (bar.width() - 4);
}

TEST_F(MainWindow, TheProgressWindowIsDrawnAndMovesDuringTheRun) {
    start();
    for (const char* plantilla : {"TICKETS_TECNICOS.XLS", "numero_boletas.xls"})
        std::filesystem::copy_file(std::filesystem::path(PROGRAM_DIR) / plantilla,
                                   folder.folder.path() / plantilla);
    const auto semana = folder.folder.path() / "semana";
    std::filesystem::create_directories(semana);
    const auto reporte = semana / "boletas_resv_car0305.txt";
    writeLargeReport(reporte, 100000);
    app.files.paths.push_back(QString::fromStdString(reporte.string()));

    // Looks at the progress window whenever the run lets the window system in.
    QImage grabbed;
    int value = -1, maximum = -1;
    QTimer look;
    look.setInterval(10);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* avance = app.find<quality::FrmAvance>();
        if (!avance)
            return;
        // The look nearest the middle of the run is kept.
        auto* barra = avance->findChild<QProgressBar*>("Barrita");
        if (barra->value() <= 0 || barra->value() >= barra->maximum())
            return;
        auto fromMiddle = [](double share) { return std::abs(share - 0.5); };
        if (!grabbed.isNull() &&
            fromMiddle(double(barra->value()) / barra->maximum()) >=
                fromMiddle(double(value) / maximum))
            return;
        value = barra->value();
        maximum = barra->maximum();
        grabbed = avance->grab().toImage();
        const QRect at(barra->mapTo(avance, QPoint(0, 0)), barra->size());
        grabbed = grabbed.copy(at.x() * grabbed.devicePixelRatio(),
                               at.y() * grabbed.devicePixelRatio(), at.width(), at.height());
    });
    look.start();
    find<QPushButton>("cmdgenerar")->click();
    look.stop();

    EXPECT_EQ(lastMessage().text, "Los archivos fueron generados con éxito.");
    ASSERT_FALSE(grabbed.isNull()) << "the run never let the window system in";
    EXPECT_GT(value, 0);
    EXPECT_LT(value, maximum);
    // Drawn as far as its value, wherever the run was when it was looked at.
    EXPECT_NEAR(drawnShare(grabbed), double(value) / maximum, 0.1)
        << "drawn at " << value << " of " << maximum;
}

TEST_F(MainWindow, TheTicketBrowserNeedsTicketsOfRegisteredTechnicians) {
    start();
    accept(1);
    EXPECT_EQ(lastMessage().text, "No existen técnicos registrados o boletas resueltas.");
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_FALSE(app.cursor.waiting);

    // A ticket of someone who is no technician does not count.
    state.conexion.execute(
        "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico, fecha_creada, "
        "fecha_resuelta, prioridad) VALUES ('L1', 'A100', 'jpr', '01/03/05 10:00', "
        "'02/03/05 11:00', '20')");
    app.messages.shown.clear();
    find<QPushButton>("cmdver")->click();
    EXPECT_EQ(app.messages.shown.size(), 1u);

    state.conexion.execute(
        "INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES ('JPR', 'JUAN PEREZ', '0')");
    app.messages.shown.clear();
    find<QPushButton>("cmdver")->click();
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(MainWindow, AcceptRunsTheChosenTaskUnderTheHourglass) {
    start();
    for (int option : {2, 3}) {
        app.cursor.changes.clear();
        accept(option);
        EXPECT_EQ(app.cursor.changes, (std::vector<bool>{true, false}));
        EXPECT_TRUE(app.files.requests.empty());
        EXPECT_TRUE(app.messages.shown.empty());
    }
    // No option chosen: nothing runs.
    forms::TestProgram another;
    quality::MdlTtlQuality fresh;
    answerLogin(another, "luna");
    auto* other = another.show<frmMain>(forms::Modeless, fresh);
    ASSERT_NE(other, nullptr);
    other->findChild<QPushButton*>("cmdacep")->click();
    EXPECT_TRUE(another.files.requests.empty());
    EXPECT_TRUE(another.messages.shown.empty());
}

TEST_F(MainWindow, HelpShowsTheDocumentBesideTheProgram) {
    start();
    find<QAction>("mnuplan")->trigger();
    const QString document =
        QString::fromStdString((folder.folder.path() / "Ternova.html").string());
    EXPECT_EQ(app.help.shown, QStringList{document});
    EXPECT_TRUE(app.messages.shown.empty());

    app.help.succeeds = false;
    find<QAction>("mnuplan")->trigger();
    EXPECT_TRUE(lastMessage().text.contains(document));
}

TEST_F(MainWindow, TheHelpDocumentIsBuiltBesideTheProgram) {
    sys::HelpWindow help;
    ASSERT_TRUE(help.showHelp(TERNOVA_HELP_DOCUMENT));
    EXPECT_EQ(help.window()->windowTitle(), "Ayuda de Ternova");
    EXPECT_TRUE(help.window()->toPlainText().contains("boletas_resv_(carddmm).txt"));
}

TEST_F(MainWindow, TheAboutWindowOpensModeless) {
    start();
    find<QAction>("mnuacerca")->trigger();
    auto* about = app.find<quality::frmacerca>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowModality(), Qt::NonModal);
}

TEST_F(MainWindow, VerGraficasOpensTheGraphsWindowModelessFromTheButtonAndTheMenu) {
    start();
    for (const char* opener : {"cmdgraf", "mnugraf"}) {
        if (QString(opener) == "cmdgraf")
            find<QPushButton>(opener)->click();
        else
            find<QAction>(opener)->trigger();
        auto* graphs = app.find<quality::FrmGraficas>();
        ASSERT_NE(graphs, nullptr) << opener;
        EXPECT_TRUE(graphs->isVisible());
        EXPECT_EQ(graphs->windowModality(), Qt::NonModal);
        EXPECT_TRUE(window->isVisible());
        app.unload(*graphs);
    }
}

// Compaction.

struct Compaction : MainWindow {
    std::filesystem::path copy = folder.folder.path() / "Ternova1.mdb";

    void SetUp() override {
        MainWindow::SetUp();
        db::Database setup(folder.file);
        db::Transaction transaction(setup);
        for (int i = 0; i < 2000; ++i)
            setup.execute(
                "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico, fecha_resuelta) "
                "VALUES ('L1', ?, 'JPR', '02/03/05 11:00')",
                {"B" + std::to_string(i)});
        transaction.commit();
        setup.execute("DELETE FROM Boletas_Resueltas WHERE boleta > 'B1'");
        start();
        find<QAction>("mnucompac")->trigger();  // the first one frees the deleted rows' pages
        app.messages.shown.clear();
    }
    long rows() {
        return state.conexion.scalar("SELECT count(*) FROM Boletas_Resueltas").integer();
    }
    void expectFailureMessage() {
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(
            app.messages.shown[0].text,
            "La Base de datos Ternova.mdb está abierta o no existe.\r\nNo se pudo compactar.");
        EXPECT_EQ(app.messages.shown[0].style, 48);
    }
};

TEST_F(Compaction, KeepsEveryRowAndReopensTheConnection) {
    const long before = rows();
    std::ofstream(copy) << "left over";
    state.conexion.execute("DELETE FROM Boletas_Resueltas WHERE boleta = 'B0'");
    const auto sizeBefore = std::filesystem::file_size(folder.file);

    find<QAction>("mnucompac")->trigger();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "La Base de Datos fue compactada con éxito.");
    EXPECT_EQ(app.messages.shown[0].style, 64);
    EXPECT_TRUE(state.conexion.is_open());
    EXPECT_EQ(rows(), before - 1);
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM SUPERVISORES").integer(), 2);
    EXPECT_LE(std::filesystem::file_size(folder.file), sizeBefore);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(panel1(), "");
    EXPECT_EQ(app.cursor.changes.back(), false);
    EXPECT_FALSE(app.cursor.waiting);
}

TEST_F(Compaction, IsRefusedWhileADataWindowIsOpen) {
    const std::string contents = bytes(folder.file);
    app.show<DataWindow>(forms::Modeless);
    find<QAction>("mnucompac")->trigger();
    expectFailureMessage();
    EXPECT_EQ(bytes(folder.file), contents);
    EXPECT_TRUE(state.conexion.is_open());

    // The about window shows no data.
    app.unload<DataWindow>();
    app.show<quality::frmacerca>(forms::Modeless);
    app.messages.shown.clear();
    find<QAction>("mnucompac")->trigger();
    EXPECT_EQ(lastMessage().style, 64);
}

TEST_F(Compaction, AFailureLeavesTheDatabaseAsItWas) {
    const long before = rows();
    const std::string contents = bytes(folder.file);
    {
        db::Database otherProgram(folder.file);  // another program holds it open
        find<QAction>("mnucompac")->trigger();
    }
    expectFailureMessage();
    EXPECT_EQ(bytes(folder.file), contents);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(state.conexion.is_open());
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(panel1(), "");
    EXPECT_FALSE(app.cursor.waiting);
}

TEST_F(Compaction, AMissingDatabaseIsNotCreated) {
    state.conexion.close();
    std::filesystem::remove(folder.file);
    find<QAction>("mnucompac")->trigger();
    expectFailureMessage();
    EXPECT_FALSE(std::filesystem::exists(folder.file));
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_FALSE(state.conexion.is_open());
}

// Closing and leaving.

TEST_F(MainWindow, ClosingUnloadsTheOtherWindowsAndSavesThePlacement) {
    start();
    app.show<quality::frmacerca>(forms::Modeless);
    window->setPlacement({1200, 900, 7200, 5400});
    const forms::Placement placed = window->placement();
    window->close();  // the close box
    EXPECT_FALSE(app.isLoaded(window));
    EXPECT_EQ(app.find<quality::frmacerca>(), nullptr);
    const auto saved = [&](const char* key) {
        return app.settings.getSetting("Ternova", "Settings", key);
    };
    EXPECT_EQ(saved("MainLeft"), QString::number(placed.left));
    EXPECT_EQ(saved("MainTop"), QString::number(placed.top));
    EXPECT_EQ(saved("MainWidth"), QString::number(placed.width));
    EXPECT_EQ(saved("MainHeight"), QString::number(placed.height));
    EXPECT_EQ(app.settings.saveCount(), 4);
}

TEST_F(MainWindow, ClosingMinimisedSavesNoPlacement) {
    start();
    window->setWindowState(Qt::WindowMinimized);
    window->close();
    EXPECT_FALSE(app.isLoaded(window));
    EXPECT_EQ(app.settings.saveCount(), 0);
}

TEST_F(MainWindow, SalirEndsAtOnceWithoutSavingThePlacement) {
    for (const char* how : {"cmdsalir", "mnusalir"}) {
        SCOPED_TRACE(how);
        forms::TestProgram program;
        quality::MdlTtlQuality own;
        answerLogin(program, "luna");
        auto* main = program.show<frmMain>(forms::Modeless, own);
        ASSERT_NE(main, nullptr);
        if (std::string(how) == "cmdsalir")
            main->findChild<QPushButton*>(how)->click();
        else
            main->findChild<QAction*>(how)->trigger();
        EXPECT_TRUE(program.ended());
        EXPECT_FALSE(own.conexion.is_open());
        EXPECT_EQ(program.settings.saveCount(), 0);
    }
}

}  // namespace
