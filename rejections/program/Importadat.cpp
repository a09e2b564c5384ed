#include "Importadat.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "Filtra.h"
#include "Module1.h"
#include "Totales.h"
#include "captura_archivo.h"
#include "controls.h"
#include "database_sample_store.h"
#include "frmAbout.h"
#include "long_job.h"
#include "placement.h"
#include "program.h"
#include "runtime/clock.h"
#include "runtime/strings.h"
#include "shell_widgets.h"

namespace rejections {

namespace {

constexpr const char* kTituloBorrado = "Riruzozs de Facturación";
// The folder the first pick opens in: the root, as the old program opened
// the root of its drive.
constexpr const char* kCarpetaInicial = "/";

QPushButton* button(const char* name, QWidget* parent, const QString& caption, int top) {
    auto* control = forms::control<QPushButton>(name, parent);
    control->setText(caption);
    forms::placeTwips(control, 3960, top, 2175, 495);
    return control;
}

// The folder of a path, with its final "/": what is left once the
// characters after the last "/" are taken off.
std::string carpeta_de(std::string ruta) {
    while (!ruta.empty() && ruta.back() != '/')
        ruta.pop_back();
    return ruta;
}

}  // namespace

Importadat::Importadat(forms::Program& program) : Form(program, "Importadat") {
    setWindowTitle("Datos de Riruzozs");

    // The picture and the department:
    Picture1 = forms::control<QLabel>("Picture1", client());
    Picture1->setPixmap(shell::productPicture("Dovrane", 160));
    forms::placeTwips(Picture1, 360, 360, 2400, 2400);
    Label19 = forms::control<QLabel>("Label19", client());
    Label19->setText(shell::dovraneTexts().department);
    Label19->setWordWrap(true);
    Label19->setAlignment(Qt::AlignCenter);
    forms::placeTwips(Label19, 120, 2880, 3600, 615);

    // The buttons:
    conv = button("conv", client(), "&Importa Archivo", 240);
    Command2 = button("Command2", client(), "&Regs. Muestra", 960);
    Command3 = button("Command3", client(), "&Borra Datos", 1680);
    Command4 = button("Command4", client(), "&Ver Totales", 2400);
    Command1 = button("Command1", client(), "F&in", 3120);

    // The file dialog:
    CommonDialog1.title = "Archivo de Facturación";

    // The menus:
    QMenu* Menu_Archivo = forms::addMenu(menuBar(), "Menu_Archivo", "&Archivo");
    Menu_Importa = forms::addMenuItem(Menu_Archivo, "Menu_Importa", "&Importa Archivo");
    Menu_regfac = forms::addMenuItem(Menu_Archivo, "Menu_regfac", "&Registros Muestra");
    vertot = forms::addMenuItem(Menu_Archivo, "vertot", "&Ver Totales");
    menu_borra = forms::addMenuItem(Menu_Archivo, "menu_borra", "&Borra Datos");
    menu_fin = forms::addMenuItem(Menu_Archivo, "menu_fin", "&Salir");
    QMenu* menu_ver = forms::addMenu(menuBar(), "menu_ver", "&Ver");
    menu_acerca = forms::addMenuItem(menu_ver, "menu_acerca", "&Acerca de");

    // The size, below the menu bar:
    setClientSizeTwips(6510, 3840);

    // The event procedures:
    connect(conv, &QPushButton::clicked, this, &Importadat::conv_Click);
    connect(Command2, &QPushButton::clicked, this, &Importadat::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Importadat::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Importadat::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &Importadat::Command1_Click);
    connect(Menu_Importa, &QAction::triggered, this, &Importadat::Menu_Importa_Click);
    connect(Menu_regfac, &QAction::triggered, this, &Importadat::Menu_regfac_Click);
    connect(vertot, &QAction::triggered, this, &Importadat::Command4_Click);
    connect(menu_borra, &QAction::triggered, this, &Importadat::menu_borra_Click);
    connect(menu_fin, &QAction::triggered, this, &Importadat::menu_fin_Click);
    connect(menu_acerca, &QAction::triggered, this, &Importadat::menu_acerca_Click);
}

// Without its database the program can do nothing: it names the file and
// ends, and never makes an empty one in its place.
void Importadat::Form_Load() {
    try {
        abre_base();
    } catch (const db::Error& error) {
        cierra_base();
        msgBox(QString::fromUtf8(error.what()), forms::msg::OkOnly | forms::msg::Critical);
        program().end(1);
    }
}

void Importadat::Form_Unload(bool& /*cancel*/) {
    cierra_base();
}

// "F&in": the window goes, closing the database, and the program with it,
// whatever other windows are loaded.
void Importadat::Command1_Click() {
    unloadMe();
    program().end();
}

// "&Regs. Muestra" opens the filter window, which leads to the record grid;
// this window hides until the filter window goes.
void Importadat::Command2_Click() {
    setVisible(false);
    program().show<Filtra>(forms::Modeless);
}

// "&Borra Datos": no confirmation is asked.
void Importadat::Command3_Click() {
    forms::LongJob borrado;
    try {
        const long archivos = borra_riruzozs();
        msgBox(QString::fromStdString(mensaje_borrado(archivos)), forms::msg::OkOnly,
               kTituloBorrado);
    } catch (const db::Error& error) {
        msgBox(
            QString::fromStdString("Error: " + std::to_string(error.number()) + " " + error.what()),
            forms::msg::OkOnly, kTituloBorrado);
    }
}

// "&Ver Totales" opens the totals window; this window hides until it goes.
// Hidden first, so that totals with nothing to show, which close at once,
// bring this window back.
void Importadat::Command4_Click() {
    setVisible(false);
    program().show<Totales>(forms::Modeless);
}

// "&Importa Archivo": the file pick, the guard against a second import of a
// file, and the import.
void Importadat::conv_Click() {
    std::string carpeta = runtime::trim(ruta_archivo);
    if (carpeta.empty())
        carpeta = kCarpetaInicial;
    CommonDialog1.initialDir = QString::fromStdString(carpeta_de(carpeta));
    CommonDialog1.filter = "Archivos de Riruzozs";
    CommonDialog1.fileName.clear();
    ruta_archivo = services().fileDialog->showOpen(CommonDialog1).toStdString();

    forms::LongJob importacion;
    DatabaseSampleStore store(base_datos);
    const ImportServices import{store, messages_, pointer_,
                                runtime::year_of(runtime::clock().now())};
    fecha_de_archivo = captura_archivo(import, ruta_archivo);
}

void Importadat::Menu_Importa_Click() {
    conv_Click();
}

void Importadat::Menu_regfac_Click() {
    Command2_Click();
}

void Importadat::menu_borra_Click() {
    Command3_Click();
}

void Importadat::menu_fin_Click() {
    Command1_Click();
}

// The about window opens beside this one, which stays visible.
void Importadat::menu_acerca_Click() {
    shell::frmAbout::showBeside(program(), shell::dovraneTexts(), *this);
}

}  // namespace rejections
