#include "frmAbout.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "controls.h"
#include "placement.h"
#include "program.h"
#include "settings.h"
#include "shell_widgets.h"

namespace shell {

namespace {
const QString kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QString kMsinfoValue = "PATH";
const QString kToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString kToolsLocationValue = "MSINFO";
const QString kMsinfoProgram = "/MSINFO32.EXE";
}  // namespace

frmAbout::frmAbout(forms::Program& program, const ProductTexts& texts) : Form(program, "frmAbout") {
    setWindowTitle("Acerca de " + texts.product);
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(5730, 3555);

    // The picture, the title and the version:
    picIcon = forms::control<QLabel>("picIcon", client());
    picIcon->setPixmap(productPicture(texts.product, 32));
    forms::placeTwips(picIcon, 240, 240, 540, 540);
    lblTitle = fixedLabel("lblTitle", client(), " " + texts.product, 1050, 240, 4245, 480);
    QFont big = lblTitle->font();
    big.setPointSize(14);
    big.setBold(true);
    lblTitle->setFont(big);
    Label1 = fixedLabel("Label1", client(), texts.version, 1050, 780, 4245, 225);

    // The credits:
    fixedLabel("Label2", client(), texts.company, 1050, 1125, 4245, 225);
    fixedLabel("Label3", client(), texts.directorate, 1050, 1410, 4245, 225);
    fixedLabel("Label4", client(), texts.department, 1050, 1695, 4245, 225);
    fixedLabel("Label5", client(), "Área de Sistemas", 1050, 1980, 4245, 225);
    fixedLabel("Label8", client(), texts.copyright, 1050, 2265, 4245, 225);
    lblDisclaimer = fixedLabel("lblDisclaimer", client(), "", 255, 2625, 3870, 825);

    // The buttons:
    cmdOK = forms::control<QPushButton>("cmdOK", client());
    cmdOK->setText("Aceptar");
    cmdOK->setDefault(true);
    forms::placeTwips(cmdOK, 4125, 2625, 1380, 345);
    cmdSysInfo = forms::control<QPushButton>("cmdSysInfo", client());
    cmdSysInfo->setText("&Información...");
    forms::placeTwips(cmdSysInfo, 4125, 3075, 1380, 345);

    // The event procedures:
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

frmAbout* frmAbout::showBeside(forms::Program& program, const ProductTexts& texts,
                               const forms::Form& mainWindow) {
    frmAbout* about = program.load<frmAbout>(texts);
    if (!about)
        return nullptr;
    const forms::Placement beside = mainWindow.placement();
    forms::Placement placement = about->placement();
    placement.left = beside.left + beside.width;
    placement.top = beside.top;
    about->setPlacement(placement);
    return program.show(*about) ? about : nullptr;
}

void frmAbout::cmdOK_Click() {
    unloadMe();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    QString path;
    QString folder;
    if (!GetKeyValue(HKEY_LOCAL_MACHINE, kMsinfoKey, kMsinfoValue, path)) {
        if (GetKeyValue(HKEY_LOCAL_MACHINE, kToolsLocationKey, kToolsLocationValue, folder) &&
            QFileInfo(folder + kMsinfoProgram).isFile()) {
            path = folder + kMsinfoProgram;
        } else {
            msgBox(kSysInfoUnavailable);
            return;
        }
    }
    if (!services().programStarter->start(path))
        msgBox(kSysInfoUnavailable);
}

bool frmAbout::GetKeyValue(const QString& KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                           QString& KeyVal) const {
    std::optional<QString> value;
    if (KeyRoot == HKEY_LOCAL_MACHINE)
        value = services().settings->machineValue(KeyName, SubKeyRef);
    if (!value) {
        KeyVal.clear();
        return false;
    }
    // A value stored with its C terminator keeps it no more.
    KeyVal = value->endsWith(QChar(0)) ? value->chopped(1) : *value;
    return true;
}

}  // namespace shell
