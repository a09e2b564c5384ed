// "Generar Boletas" as the main window starts it, and the progress window:
// real widgets on the offscreen platform, every service a double.

#include <gtest/gtest.h>

#include <fstream>

#include <QLabel>
#include <QProgressBar>

#include "Aleatorio.h"
#include "FrmAvance.h"
#include "GeneraBoletas.h"
#include "MdlTtlQuality.h"
#include "qt_printers.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

namespace fs = std::filesystem;

// The main window's stand-in: the run needs only a window of the program.
class Principal : public forms::Form {
public:
    explicit Principal(forms::Program& program) : Form(program, "frmMain") {}
};

struct GenerarBoletas : ::testing::Test {
    TernovaFolder carpeta;
    forms::TestProgram app{"Ternova"};
    quality::MdlTtlQuality estado;
    Principal* principal = app.show<Principal>(forms::Modeless);
    QStringList paneles;
    quality::Aleatorio aleatorio{11};
    fs::path semana = carpeta.folder.path() / "semana";

    GenerarBoletas() {
        for (const char* plantilla : {"TICKETS_TECNICOS.XLS", "numero_boletas.xls"})
            fs::copy_file(fs::path(PROGRAM_DIR) / plantilla, carpeta.folder.path() / plantilla);
        estado.abrebase();
        fs::create_directories(semana);
    }
    bool genera() {
        return quality::generaBoletas(
            *principal, estado, [this](const QString& texto) { paneles << texto; }, &aleatorio);
    }
    fs::path reporteDeMuestra() {
        const fs::path copia = semana / "boletas_resv_car0305.txt";
        fs::copy_file(fs::path(QUALITY_TEST_DATA) / "boletas_resv_car0305.txt", copia);
        return copia;
    }
    long count(const char* tabla) {
        return static_cast<long>(
            estado.conexion.scalar(std::string("SELECT count(*) FROM ") + tabla).to_number());
    }
};

TEST_F(GenerarBoletas, TheProgressWindowHasItsCaptionsAndLabels) {
    auto* avance = app.show<quality::FrmAvance>(forms::Modeless);
    EXPECT_EQ(avance->windowTitle(), "Porcentaje de Avance");
    const std::pair<const char*, const char*> etiquetas[] = {
        {"lblarch", "Generando archivos semanales"},
        {"Label1", "Completado en un "},
        {"lblporc", "0.00"},
        {"Label2", "%"},
        {"lblbole", "Generando boletas aleatorias"},
        {"Label4", "Completado en un "},
        {"lblporc1", "0.00"},
        {"Label5", "%"}};
    for (auto [nombre, texto] : etiquetas) {
        auto* label = avance->findChild<QLabel*>(nombre);
        ASSERT_NE(label, nullptr) << nombre;
        EXPECT_EQ(label->text(), texto) << nombre;
    }
    EXPECT_NE(avance->findChild<QProgressBar*>("Barrita"), nullptr);
    EXPECT_NE(avance->findChild<QProgressBar*>("Barrita2"), nullptr);
}

TEST_F(GenerarBoletas, TheRunMovesTheWindowsBarsAndLabelsAndUnloadsIt) {
    quality::AvanceEnVentana avance(app);
    avance.mostrar();
    auto* ventana = app.find<quality::FrmAvance>();
    ASSERT_NE(ventana, nullptr);
    EXPECT_TRUE(ventana->isVisible());
    avance.barra(quality::Barra::Barrita, 102, 4000);
    avance.barra(quality::Barra::Barrita2, 3, 8);
    avance.etiqueta(quality::Etiqueta::lblporc, "2");
    avance.etiqueta(quality::Etiqueta::lblporc1, "37");
    avance.etiqueta(quality::Etiqueta::lblbole, "Boletas aleatorias terminadas");
    auto* barrita = ventana->findChild<QProgressBar*>("Barrita");
    EXPECT_EQ(barrita->maximum(), 4000);
    EXPECT_EQ(barrita->value(), 102);
    EXPECT_EQ(ventana->findChild<QProgressBar*>("Barrita2")->value(), 3);
    EXPECT_EQ(ventana->findChild<QLabel*>("lblporc")->text(), "2");
    EXPECT_EQ(ventana->findChild<QLabel*>("lblporc1")->text(), "37");
    EXPECT_EQ(ventana->findChild<QLabel*>("lblbole")->text(), "Boletas aleatorias terminadas");
    avance.descargar();
    EXPECT_EQ(app.find<quality::FrmAvance>(), nullptr);
}

TEST_F(GenerarBoletas, ACancelledFilePickRunsNothing) {
    EXPECT_FALSE(genera());
    ASSERT_EQ(app.files.requests.size(), 1u);
    EXPECT_EQ(app.files.requests[0].filter, "Archivos de Texto (*.txt)|*.txt");
    EXPECT_EQ(app.files.requests[0].initialDir,
              QString::fromStdString(carpeta.folder.path().string()));
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_TRUE(paneles.isEmpty());
    EXPECT_FALSE(app.cursor.waiting);
}

TEST_F(GenerarBoletas, TheSampleReportWritesBothWorkbooksAndFillsTheTables) {
    app.files.paths.push_back(QString::fromStdString(reporteDeMuestra().string()));
    EXPECT_TRUE(genera());
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "Los archivos fueron generados con éxito.");
    EXPECT_EQ(app.messages.shown[0].style, 64);
    EXPECT_EQ(app.messages.shown[0].title, "Ternova");
    EXPECT_EQ(paneles, (QStringList{"Generando Archivos...", ""}));
    EXPECT_FALSE(app.cursor.waiting);
    EXPECT_EQ(app.find<quality::FrmAvance>(), nullptr);
    EXPECT_TRUE(fs::exists(semana / "rand_boltec_wklist0305.xls"));
    EXPECT_TRUE(fs::exists(semana / "bol_resv_tec_car0305.xls"));
    EXPECT_EQ(count("Boletas_Resueltas"), 8);
    // JPR, MGL and LRH in the north list; JPR and ASM in the south one.
    EXPECT_EQ(count("Rnd_Tickets"), 5);
    EXPECT_EQ(count("Historico_Rnd"), 5);
    EXPECT_EQ(count("Historico_Boletas_Calidad"), 5);
    EXPECT_EQ(count("Datos_General"), 1);
}

TEST_F(GenerarBoletas, ARefusedRunTellsWhyWithTheProgramsTitle) {
    const fs::path reporte = reporteDeMuestra();
    const fs::path vacio = semana / "vacio.txt";
    { std::ofstream(vacio.string()); }
    for (const fs::path& p : {reporte, reporte, vacio})
        app.files.paths.push_back(QString::fromStdString(p.string()));
    EXPECT_TRUE(genera());
    EXPECT_FALSE(genera());
    EXPECT_FALSE(genera());
    ASSERT_EQ(app.messages.shown.size(), 3u);
    EXPECT_EQ(
        app.messages.shown[1].text,
        "No es necesario volver a generar los archivos,\nsi existen en el directorio orígen.");
    EXPECT_EQ(app.messages.shown[1].style, 64);
    EXPECT_EQ(app.messages.shown[2].text,
              "Error en el archivo. No se pudo completar la acción.\nEl reporte " +
                  QString::fromStdString(vacio.string()) + " está vacío.");
    EXPECT_EQ(app.messages.shown[2].style, 16);
    EXPECT_EQ(app.messages.shown[2].title, "Ternova");
    EXPECT_FALSE(app.cursor.waiting);
}

}  // namespace
