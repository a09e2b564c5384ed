#include "frmacerca.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "controls.h"
#include "pictures.h"
#include "program.h"

namespace quality {

namespace {

// The credits: who made the program, for whom and where.
const char* const kCreditos[6] = {
    "Equipo de Herramientas de Calidad",     // Label1 .. Label3: the authors
    "Grupo de Soporte a Mantenimiento",      //
    "Versión para Linux",                    //
    "Departamento de Calidad del Servicio",  // Label4: the user department
    "Centro de Mantenimiento",               // Label5: the user site
    "Ticket Quality Suite",                  // Label6: the maker
};

}  // namespace

frmacerca::frmacerca(forms::Program& program) : Form(program, "frmacerca") {
    setWindowTitle("Acerca de..");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(5760, 4080);

    // The program's icon and title:
    picIcon = forms::control<QLabel>("picIcon", client());
    picIcon->setPixmap(picture(Picture::Programa).pixmap(32, 32));
    forms::placeTwips(picIcon, 240, 240, 540, 540);
    lblTitle = forms::control<QLabel>("lblTitle", client());
    lblTitle->setText("Ternova");
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    forms::placeTwips(lblTitle, 1050, 240, 4440, 480);

    // The credits between the two lines:
    auto* Line1_0 = forms::control<QFrame>(forms::arrayName("Line1", 0), client());
    Line1_0->setFrameShape(QFrame::HLine);
    Line1_0->setFrameShadow(QFrame::Sunken);
    forms::placeTwips(Line1_0, 120, 900, 5520, 60);
    lblDescription = forms::control<QLabel>("lblDescription", client());
    lblDescription->setText("Elaborado por:");
    forms::placeTwips(lblDescription, 1050, 1020, 4440, 285);
    for (int i = 0; i < 6; ++i) {
        Label[i] = forms::control<QLabel>(QString("Label%1").arg(i + 1), client());
        Label[i]->setText(kCreditos[i]);
        forms::placeTwips(Label[i], 1050, 1320 + i * 285 + (i >= 3 ? 120 : 0), 4440, 285);
    }
    auto* Line1_1 = forms::control<QFrame>(forms::arrayName("Line1", 1), client());
    Line1_1->setFrameShape(QFrame::HLine);
    Line1_1->setFrameShadow(QFrame::Sunken);
    forms::placeTwips(Line1_1, 120, 3180, 5520, 60);

    // The buttons:
    cmdOK = forms::control<QPushButton>("cmdOK", client());
    cmdOK->setText("&Aceptar");
    cmdOK->setDefault(true);
    forms::placeTwips(cmdOK, 4080, 3360, 1560, 420);
    cmdSysInfo = forms::control<QPushButton>("cmdSysInfo", client());
    cmdSysInfo->setText("&Sistema..");
    forms::placeTwips(cmdSysInfo, 2400, 3360, 1560, 420);

    // The event procedures:
    connect(cmdOK, &QPushButton::clicked, this, &frmacerca::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmacerca::cmdSysInfo_Click);
}

void frmacerca::Form_Load() {
    setWindowTitle("Acerca " + program().title());
}

void frmacerca::cmdOK_Click() {
    unloadMe();
}

void frmacerca::cmdSysInfo_Click() {
    StartSysInfo();
}

// The tool's own path when it is recorded, else the folder of the shared
// tools; a path is started only when it exists.
void frmacerca::StartSysInfo() {
    sys::Settings& settings = *services().settings;
    QString tool;
    if (auto path = settings.machineValue(kMsinfoKey, kMsinfoValue))
        tool = *path;
    else if (auto folder = settings.machineValue(kSharedToolsKey, kSharedToolsValue))
        tool = QDir(*folder).filePath(kMsinfoProgram);
    if (!tool.isEmpty() && QFileInfo(tool).isFile() && services().programStarter->start(tool))
        return;
    msgBox("System Information Is Unavailable At This Time", forms::msg::OkOnly, "Ternova");
}

}  // namespace quality
