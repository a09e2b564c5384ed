#include "example_window.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "controls.h"
#include "program.h"
#include "status_bar.h"
#include "text_box.h"

namespace formstest {

namespace {
const QString kCalificaciones[] = {"Satisfactorio", "No satisfactorio"};
}

FrmNota::FrmNota(forms::Program& program, std::vector<Nota>& notas)
    : Form(program, "FrmNota"), notas_(notas) {
    setWindowTitle("Nota de Boleta");
    setClientSizeTwips(4800, 3240);

    // The ticket and its note, each with its label and accelerator:
    auto* Label1 = forms::control<QLabel>("Label1", client());
    Label1->setText("&Boleta:");
    forms::placeTwips(Label1, 120, 120, 1200, 285);
    txtboleta = forms::control<forms::TextBox>("txtboleta", client());
    forms::placeTwips(txtboleta, 1440, 120, 1695, 285);
    Label1->setBuddy(txtboleta);
    auto* Label2 = forms::control<QLabel>("Label2", client());
    Label2->setText("N&ota:");
    forms::placeTwips(Label2, 120, 540, 1200, 285);
    txtnota = forms::control<forms::TextBox>("txtnota", client());
    txtnota->setMaxLength(50);
    forms::placeTwips(txtnota, 1440, 540, 3195, 285);
    Label2->setBuddy(txtnota);

    // The rating, an option array:
    for (int i = 0; i < 2; ++i) {
        Option1[i] = forms::control<QRadioButton>(forms::arrayName("Option1", i), client());
        Option1[i]->setText(i == 0 ? "&Satisfactorio" : "&No satisfactorio");
        forms::placeTwips(Option1[i], 120 + i * 2280, 960, 2160, 285);
        forms::onOptionClick(Option1[i], [this, i] { Option1_Click(i); });
    }
    lblcalif = forms::control<QLabel>("lblcalif", client());
    forms::placeTwips(lblcalif, 120, 1380, 4455, 285);

    // The buttons:
    cmdguardar = forms::control<QPushButton>("cmdguardar", client());
    cmdguardar->setText("&Guardar");
    cmdguardar->setEnabled(false);
    forms::placeTwips(cmdguardar, 1440, 1920, 1455, 375);
    cmdsalir = forms::control<QPushButton>("cmdsalir", client());
    cmdsalir->setText("&Salir");
    forms::placeTwips(cmdsalir, 3120, 1920, 1455, 375);

    // The status bar:
    sbStatusBar = forms::control<forms::StatusBar>("sbStatusBar", this);
    sbStatusBar->setPanelCount(2);
    setStatusBar(sbStatusBar);

    // The event procedures:
    connect(txtboleta, &forms::TextBox::changed, this, &FrmNota::txtboleta_Change);
    connect(txtnota, &forms::TextBox::changed, this, &FrmNota::txtnota_Change);
    forms::onLostFocus(txtboleta, [this] { txtboleta_LostFocus(); });
    forms::onKeyPress(txtnota, [this](int& keyAscii) { txtnota_KeyPress(keyAscii); });
    connect(cmdguardar, &QPushButton::clicked, this, &FrmNota::cmdguardar_Click);
    connect(cmdsalir, &QPushButton::clicked, this, &FrmNota::cmdsalir_Click);
}

void FrmNota::Form_Load() {
    Option1[0]->setChecked(true);  // runs its click, as the old option did
    sbStatusBar->setPanelAlignment(1, forms::StatusBar::Centre);
    sbStatusBar->setPanelText(1, "Escriba la nota");
}

void FrmNota::Form_Unload(bool& /*cancel*/) {
    if (!isMinimized())
        forms::savePlacement(*services().settings, program().title(), "Settings", "Nota",
                             placement());
}

// Both boxes follow the same rule.
void FrmNota::txtboleta_Change() {
    cmdguardar->setEnabled(!txtboleta->text().isEmpty() && !txtnota->text().isEmpty());
}

void FrmNota::txtnota_Change() {
    txtboleta_Change();
}

void FrmNota::txtboleta_LostFocus() {
    txtboleta->setText(txtboleta->text().toLower());
}

void FrmNota::txtnota_KeyPress(int& keyAscii) {
    if (keyAscii == 13 && cmdguardar->isEnabled())
        cmdguardar_Click();
}

void FrmNota::Option1_Click(int index) {
    lblcalif->setText(kCalificaciones[index]);
}

void FrmNota::cmdguardar_Click() {
    const int answer = msgBox("¿Desea guardar la nota de la boleta " + txtboleta->text() + "?",
                              forms::msg::YesNo | forms::msg::Question, "Ternova");
    if (answer != forms::msg::Yes)
        return;
    notas_.push_back({txtboleta->text(), txtnota->text(), lblcalif->text()});
    msgBox("La nota fue guardada.", forms::msg::Information, "Ternova");
    unloadMe();
}

void FrmNota::cmdsalir_Click() {
    unloadMe();
}

}  // namespace formstest
