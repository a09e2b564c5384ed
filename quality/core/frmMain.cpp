#include "frmMain.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "FrmContrasena.h"
#include "FrmGraficas.h"
#include "FrmObserva.h"
#include "FrmPlanBoletas.h"
#include "FrmPrioridades.h"
#include "FrmSupervisores.h"
#include "FrmTecnicos.h"
#include "FrmVerBoletas.h"
#include "GeneraBoletas.h"
#include "controls.h"
#include "frmacerca.h"
#include "ingreso.h"
#include "long_job.h"
#include "pictures.h"
#include "program.h"
#include "runtime/program_folder.h"
#include "status_bar.h"

namespace quality {

namespace {

const char* const kOpciones[4] = {"&Generar boletas aleatorias", "Seleccionar &boletas",
                                  "Ver &totales por técnico", "&Evaluar boletas"};

QString folderText() {
    return QString::fromStdString(runtime::program_folder().string());
}

// A picture button of the button row, with its picture and tool-tip.
QPushButton* pictureButton(QWidget* parent, const QString& name, Picture which,
                           const QString& toolTip, int left) {
    auto* button = forms::control<QPushButton>(name, parent);
    button->setIcon(picture(which));
    button->setIconSize(QSize(32, 32));
    button->setToolTip(toolTip);
    forms::placeTwips(button, left, 120, 780, 720);
    return button;
}

}  // namespace

frmMain::frmMain(forms::Program& program, MdlTtlQuality& state)
    : Form(program, "frmMain"), state_(state) {
    setWindowTitle("Ternova");
    setClientSizeTwips(6840, 4080);

    // The picture buttons, in a row along the top:
    cmdgenerar = pictureButton(client(), "cmdgenerar", Picture::Generar, "Generar Boletas", 120);
    cmdver = pictureButton(client(), "cmdver", Picture::Ver, "Seleccionar Boletas", 960);
    cmdtottec =
        pictureButton(client(), "cmdtottec", Picture::Totales, "Ver Totales por Técnico", 1800);
    cmdevalua = pictureButton(client(), "cmdevalua", Picture::Evaluar, "Evaluar Boletas", 2640);
    cmdpass = pictureButton(client(), "cmdpass", Picture::Contrasena, "Cambiar Contraseña", 3480);
    cmdgraf = pictureButton(client(), "cmdgraf", Picture::Graficas, "Ver Gráficas", 4320);

    // The four tasks:
    Frame1 = forms::control<QGroupBox>("Frame1", client());
    Frame1->setTitle("Opciones");
    forms::placeTwips(Frame1, 120, 1080, 4560, 2040);
    for (int i = 0; i < 4; ++i) {
        Option1[i] = forms::control<QRadioButton>(forms::arrayName("Option1", i), Frame1);
        Option1[i]->setText(kOpciones[i]);
        forms::placeTwips(Option1[i], 240, 360 + i * 405, 4140, 330);
    }

    // The buttons:
    cmdacep = forms::control<QPushButton>("cmdacep", client());
    cmdacep->setText("A&ceptar");
    forms::placeTwips(cmdacep, 4920, 1200, 1680, 420);
    cmdsalir = forms::control<QPushButton>("cmdsalir", client());
    cmdsalir->setText("&Salir");
    forms::placeTwips(cmdsalir, 4920, 1740, 1680, 420);

    // The status bar, three panels:
    sbStatusBar = forms::control<forms::StatusBar>("sbStatusBar", this);
    sbStatusBar->setPanelCount(3);
    setStatusBar(sbStatusBar);

    // The menus; the administration entries wait for the supervisor's login:
    QMenu* mnuarch = forms::addMenu(menuBar(), "mnuarch", "&Archivo");
    QMenu* tecnicos = forms::addMenu(mnuarch, "mnutecnico", "&Técnico");
    mnutecnico = tecnicos->menuAction();
    mnutecagr = forms::addMenuItem(tecnicos, "mnutecagr", "&Agregar");
    mnutecmod = forms::addMenuItem(tecnicos, "mnutecmod", "&Modificar");
    mnusuper = forms::addMenuItem(mnuarch, "mnusuper", "Agregar &Supervisor");
    mnuprior = forms::addMenuItem(mnuarch, "mnuprior", "&Prioridades");
    mnucontrasena = forms::addMenuItem(mnuarch, "mnucontraseña", "&Cambiar contraseña...");
    mnugraf = forms::addMenuItem(mnuarch, "mnugraf", "&Ver Gráficas");
    mnucompac = forms::addMenuItem(mnuarch, "mnucompac", "&Compactar...");
    forms::addSeparator(mnuarch, "mnuraya");
    mnusalir = forms::addMenuItem(mnuarch, "mnusalir", "&Salir");
    QMenu* mnuayuda = forms::addMenu(menuBar(), "mnuayuda", "A&yuda");
    mnuplan = forms::addMenuItem(mnuayuda, "mnuplan", "Ayuda &Ternova");
    mnuacerca = forms::addMenuItem(mnuayuda, "mnuacerca", "Acerca &de..");
    for (QAction* entry : {mnutecnico, mnusuper, mnuprior, mnucompac})
        entry->setEnabled(false);

    // The event procedures:
    connect(cmdacep, &QPushButton::clicked, this, &frmMain::cmdacep_Click);
    connect(cmdgenerar, &QPushButton::clicked, this, &frmMain::cmdgenerar_Click);
    connect(cmdver, &QPushButton::clicked, this, &frmMain::cmdver_Click);
    connect(cmdtottec, &QPushButton::clicked, this, &frmMain::cmdtottec_Click);
    connect(cmdevalua, &QPushButton::clicked, this, &frmMain::cmdevalua_Click);
    connect(cmdgraf, &QPushButton::clicked, this, &frmMain::cmdgraf_Click);
    connect(cmdpass, &QPushButton::clicked, this, &frmMain::cmdpass_Click);
    connect(cmdsalir, &QPushButton::clicked, this, &frmMain::cmdsalir_Click);
    connect(mnugraf, &QAction::triggered, this, &frmMain::cmdgraf_Click);
    connect(mnucontrasena, &QAction::triggered, this, &frmMain::cmdpass_Click);
    connect(mnusuper, &QAction::triggered, this, &frmMain::mnusuper_Click);
    connect(mnutecagr, &QAction::triggered, this, &frmMain::mnutecagr_Click);
    connect(mnutecmod, &QAction::triggered, this, &frmMain::mnutecmod_Click);
    connect(mnuprior, &QAction::triggered, this, &frmMain::mnuprior_Click);
    connect(mnuacerca, &QAction::triggered, this, &frmMain::mnuacerca_Click);
    connect(mnuplan, &QAction::triggered, this, &frmMain::mnuplan_Click);
    connect(mnucompac, &QAction::triggered, this, &frmMain::mnucompac_Click);
    connect(mnusalir, &QAction::triggered, this, &frmMain::cmdsalir_Click);
}

// Start-up: the program-wide data, the status bar, the login.
void frmMain::Form_Load() {
    try {
        state_.iniciadatos();
    } catch (const db::Error& error) {
        // Without its database the program cannot run: it says which file
        // is missing and ends.
        msgBox(QString::fromStdString(error.what()), forms::msg::Critical);
        program().end(1);
        return;
    }
    sbStatusBar->setPanelAlignment(1, forms::StatusBar::Centre);
    sbStatusBar->setPanelText(1, "");
    sbStatusBar->setPanelAlignment(2, forms::StatusBar::Centre);
    sbStatusBar->setPanelAlignment(3, forms::StatusBar::Centre);
    program().show<FrmContraseña>(forms::Modal, state_, [this] { habilitaAdministracion(); });
    if (program().ended())
        return;
    helpFile_ = folderText() + "/" + kHelpFileName;
}

void frmMain::habilitaAdministracion() {
    for (QAction* entry : {mnutecnico, mnusuper, mnuprior, mnucompac})
        entry->setEnabled(true);
}

// Closing: every other window goes first, then the placement is kept.
void frmMain::Form_Unload(bool& /*cancel*/) {
    program().unloadOthers(*this);
    if (!isMinimized())
        forms::savePlacement(*services().settings, program().title(), "Settings", "Main",
                             placement());
}

void frmMain::cmdacep_Click() {
    setHourglass(true);
    if (Option1[0]->isChecked())
        cmdgenerar_Click();
    else if (Option1[1]->isChecked())
        cmdver_Click();
    else if (Option1[2]->isChecked())
        cmdtottec_Click();
    else if (Option1[3]->isChecked())
        cmdevalua_Click();
    setHourglass(false);
}

// The weekly run over a report the user chooses.
void frmMain::cmdgenerar_Click() {
    generaBoletas(*this, state_,
                  [this](const QString& texto) { sbStatusBar->setPanelText(1, texto); });
}

// The ticket browser opens only when the week holds tickets of registered technicians.
void frmMain::cmdver_Click() {
    runtime::Value ultimafecha;
    try {
        db::Recordset rsgeneral =
            state_.conexion.open_recordset("Select * from Ultimafecha", db::Cursor::Static);
        if (!rsgeneral.eof())
            ultimafecha = rsgeneral[0];
    } catch (const db::Error& error) {
        msgBox(QString::fromStdString(error.what()), forms::msg::Critical);
        return;
    }
    if (ultimafecha.is_null()) {
        msgBox("No existen técnicos registrados o boletas resueltas.", forms::msg::Critical);
        setHourglass(false);
        return;
    }
    abreFrmPlanBoletas(ultimafecha);
}

void frmMain::abreFrmPlanBoletas(const runtime::Value& ultimafecha) {
    program().show<FrmPlanBoletas>(forms::Modeless, state_, ultimafecha);
}

void frmMain::cmdtottec_Click() {
    program().show<FrmVerBoletas>(forms::Modeless);
}

void frmMain::cmdevalua_Click() {
    program().show<FrmObserva>(forms::Modeless, state_);
}

void frmMain::cmdgraf_Click() {
    program().show<FrmGraficas>(forms::Modeless, state_);
}

void frmMain::cmdpass_Click() {
    program().show<FrmCambiar>(forms::Modeless, state_);
}

void frmMain::mnusuper_Click() {
    program().show<FrmSuper>(forms::Modeless, state_);
}

void frmMain::mnutecagr_Click() {
    program().show<FrmTecnico>(forms::Modeless, state_);
}

void frmMain::mnutecmod_Click() {
    program().show<FrmTecnicoModi>(forms::Modeless, state_);
}

void frmMain::mnuprior_Click() {
    program().show<FrmPrioridades>(forms::Modeless, state_);
}

void frmMain::mnuacerca_Click() {
    program().show<frmacerca>(forms::Modeless);
}

void frmMain::mnuplan_Click() {
    if (!services().helpViewer->showHelp(helpFile_))
        msgBox("No se encontró la ayuda " + helpFile_ + ".", forms::msg::Exclamation);
}

bool frmMain::hayVentanasDeDatos() const {
    for (forms::Form* form : program().forms()) {
        if (form != this && !dynamic_cast<frmacerca*>(form))
            return true;
    }
    return false;
}

// Compaction: the database is copied compacted, checked and put in place of
// the original in one step; on any failure the original stays as it was.
void frmMain::mnucompac_Click() {
    const QString fallo =
        "La Base de datos Ternova.mdb está abierta o no existe.\r\nNo se pudo compactar.";
    if (hayVentanasDeDatos()) {
        msgBox(fallo, forms::msg::Exclamation);
        return;
    }
    forms::LongJob compactacion;
    try {
        setHourglass(true);
        sbStatusBar->setPanelText(1, "Compactando...");
        forms::refresh(sbStatusBar);
        compacta_base(state_);
        msgBox("La Base de Datos fue compactada con éxito.", forms::msg::Information);
    } catch (const std::exception&) {
        sbStatusBar->setPanelText(1, "");
        setHourglass(false);
        msgBox(fallo, forms::msg::Exclamation);
        return;
    }
    sbStatusBar->setPanelText(1, "");
    setHourglass(false);
}

// The exits: the connection closes and the program ends at once.
void frmMain::cmdsalir_Click() {
    state_.conexion.close();
    program().end();
}

}  // namespace quality
