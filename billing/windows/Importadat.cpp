#include "Importadat.h"

#include <QAction>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <filesystem>

#include "FacturaDatabase.h"
#include "FacturaRecordStore.h"
#include "Filtra.h"
#include "Module1.h"
#include "controls.h"
#include "database/database.h"
#include "frmAbout.h"
#include "importa_arch.h"
#include "long_job.h"
#include "program.h"

namespace billing {

namespace {

// The engine's own words, as the program's error handler shows them.
QString engineError(const db::Error& error) {
    return "Error: " + QString::number(error.number()) + " " + QString::fromUtf8(error.what());
}

QFrame* line(const QString& name, QWidget* parent, int left, int top, int width) {
    auto* made = forms::control<QFrame>(name, parent);
    made->setFrameShape(QFrame::HLine);
    made->setFrameShadow(QFrame::Sunken);
    forms::placeTwips(made, left, top, width, 30);
    return made;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, int top) {
    auto* made = forms::control<QPushButton>(name, parent);
    made->setText(caption);
    forms::placeTwips(made, 1560, top, 2655, 495);
    return made;
}

}  // namespace

Importadat::Importadat(forms::Program& program, Module1& modulo)
    : Form(program, "Importadat"), modulo_(modulo) {
    setWindowTitle("Datos de Facturación");
    setClientSizeTwips(5775, 4455);

    // The decoration: a picture framed by two lines.
    Picture1 = forms::control<QLabel>("Picture1", client());
    Picture1->setFrameShape(QFrame::Panel);
    Picture1->setFrameShadow(QFrame::Sunken);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setText("Datos de Facturación");
    QFont title = Picture1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.3);
    Picture1->setFont(title);
    forms::placeTwips(Picture1, 240, 240, 5295, 615);
    Line1 = line("Line1", client(), 240, 1020, 5295);
    Line2 = line("Line2", client(), 240, 3720, 5295);

    // The buttons:
    conv = button("conv", "&Importa Archivo", client(), 1200);
    Command2 = button("Command2", "&Reg.de Facturación", client(), 1800);
    Command3 = button("Command3", "&Borra Datos", client(), 2400);
    Command1 = button("Command1", "F&in", client(), 3000);

    // The label the import shows while it reads:
    Label1 = forms::control<QLabel>("Label1", client());
    Label1->setText("Importando...");
    Label1->setAlignment(Qt::AlignCenter);
    QFont busy = Label1->font();
    busy.setBold(true);
    Label1->setFont(busy);
    forms::placeTwips(Label1, 240, 3840, 5295, 375);
    Label1->setVisible(false);

    // The menus, each entry with its shortcut:
    QMenu* Menu_Archivo = forms::addMenu(menuBar(), "Menu_Archivo", "&Archivo");
    Menu_Importa = forms::addMenuItem(Menu_Archivo, "Menu_Importa", "&Importa Archivo");
    Menu_Importa->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    Menu_regfac = forms::addMenuItem(Menu_Archivo, "Menu_regfac", "&Registro de Facturación");
    Menu_regfac->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    menu_borra = forms::addMenuItem(Menu_Archivo, "menu_borra", "&Borra Datos");
    menu_borra->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    forms::addSeparator(Menu_Archivo, "menu_separador");
    menu_fin = forms::addMenuItem(Menu_Archivo, "menu_fin", "&Salir");
    menu_fin->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QMenu* menu_ver = forms::addMenu(menuBar(), "menu_ver", "&Ver");
    menu_acerca = forms::addMenuItem(menu_ver, "menu_acerca", "&Acerca de");
    menu_acerca->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    // The event procedures; each menu entry runs its button's:
    connect(conv, &QPushButton::clicked, this, &Importadat::conv_Click);
    connect(Command2, &QPushButton::clicked, this, &Importadat::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Importadat::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &Importadat::Command1_Click);
    connect(Menu_Importa, &QAction::triggered, this, &Importadat::conv_Click);
    connect(Menu_regfac, &QAction::triggered, this, &Importadat::Command2_Click);
    connect(menu_borra, &QAction::triggered, this, &Importadat::Command3_Click);
    connect(menu_fin, &QAction::triggered, this, &Importadat::Command1_Click);
    connect(menu_acerca, &QAction::triggered, this, &Importadat::menu_acerca_Click);
}

// Without its database the program can do nothing: it names the file and ends.
void Importadat::Form_Load() {
    try {
        modulo_.abre_base();
    } catch (const db::Error& error) {
        msgBox("No se puede abrir la base de datos " +
                   QString::fromStdString(Module1::archivo_base().string()) + "\n" +
                   QString::fromUtf8(error.what()),
               forms::msg::Critical);
        program().end(1);
    }
}

void Importadat::Form_Unload(bool& /*cancel*/) {
    modulo_.cierra_base();
}

// Cancelling the dialog leaves the name empty: nothing is imported then.
void Importadat::conv_Click() {
    const QString ruta = services().fileDialog->showOpen({"", "Archivos de Facturación", "", ""});
    forms::LongJob importacion;
    setHourglass(true);
    if (!ruta.isEmpty()) {
        FacturaRecordStore store(modulo_.base_datos);
        importa_arch(std::filesystem::path(ruta.toStdString()), store, *this);
    }
    setHourglass(false);
}

// The filter window comes in this one's place; it shows this one again when
// it is unloaded.
void Importadat::Command2_Click() {
    hide();
    program().show<Filtra>(forms::Modeless, modulo_);
}

// Empties the store through its own connection to the file, all rows or
// none; no confirmation and, when it works, no message.
void Importadat::Command3_Click() {
    forms::LongJob borrado;
    try {
        db::Database base(Module1::archivo_base());
        db::Transaction transaction(base);
        empty_store(base);
        transaction.commit();
    } catch (const db::Error& error) {
        msgBox(engineError(error));
    }
}

void Importadat::Command1_Click() {
    unloadMe();
    program().end();
}

// The about window opens beside this one, which stays in view.
void Importadat::menu_acerca_Click() {
    shell::frmAbout::showBeside(program(), shell::salvientTexts(), *this);
}

void Importadat::importStarted() {
    setHourglass(true);
    forms::refresh(this);
    Label1->setVisible(true);
    forms::refresh(Label1);
}

void Importadat::importEnded() {
    Label1->setVisible(false);
    setHourglass(false);
}

void Importadat::message(const std::string& text, const std::string& title) {
    msgBox(QString::fromStdString(text), forms::msg::OkOnly,
           title.empty() ? program().title() : QString::fromStdString(title));
}

}  // namespace billing
