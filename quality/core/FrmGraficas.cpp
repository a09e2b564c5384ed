#include "FrmGraficas.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "Graficas.h"
#include "controls.h"
#include "long_job.h"
#include "runtime/clock.h"
#include "runtime/program_folder.h"
#include "text_box.h"

namespace quality {

namespace {

constexpr const char* kSinInformacion = "No existe información con esos criterios.";
constexpr int kDigitosAño = 4;

QString enCarpeta(const char* archivo) {
    return QString::fromStdString(runtime::program_file(archivo).string());
}

bool soloDigitos(const QString& texto) {
    for (QChar c : texto)
        if (c < '0' || c > '9')
            return false;
    return true;
}

}  // namespace

FrmGraficas::FrmGraficas(forms::Program& program, MdlTtlQuality& state)
    : Form(program, "FrmGraficas"), state_(state), Reports(*this, state.conexion) {
    setWindowTitle("Gráficas");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(5400, 2820);

    // The kind of report:
    const char* captions[] = {"&Mensual", "&Anual", "&Centros de Mantenimiento", "&CAR"};
    for (int i = 0; i < 2; ++i) {
        Option1[i] = forms::control<QRadioButton>(forms::arrayName("Option1", i), client());
        forms::placeTwips(Option1[i], 240, 240 + i * 360, 1560, 300);
    }

    // The location, in its frame; the label takes the frame's place while a month is totalled:
    FameNivel = forms::control<QGroupBox>("FameNivel", client());
    FameNivel->setTitle("Nivel:");
    forms::placeTwips(FameNivel, 2040, 120, 3120, 1080);
    for (int i = 2; i < 4; ++i) {
        Option1[i] = forms::control<QRadioButton>(forms::arrayName("Option1", i), FameNivel);
        forms::placeTwips(Option1[i], 120, 300 + (i - 2) * 360, 2880, 300);
    }
    // Each pair is a group of its own: the kind's pair stands beside the frame,
    // not in a frame of its own.
    for (int pair = 0; pair < 2; ++pair) {
        auto* group = new QButtonGroup(this);
        group->addButton(Option1[2 * pair]);
        group->addButton(Option1[2 * pair + 1]);
    }
    for (int i = 0; i < 4; ++i)
        Option1[i]->setText(captions[i]);
    Option1[0]->setChecked(true);
    Option1[3]->setChecked(true);
    lblmsj = forms::control<QLabel>("lblmsj", client());
    lblmsj->setText("Accesando registros ...");
    lblmsj->setAlignment(Qt::AlignCenter);
    forms::placeTwips(lblmsj, 2040, 480, 3120, 300);
    lblmsj->setVisible(false);

    // The month and the year:
    cmbmes = forms::control<QComboBox>("cmbmes", client());
    cmbmes->setEditable(true);
    for (const char* mes : kMeses)
        cmbmes->addItem(mes);
    cmbmes->setCurrentText("Enero");
    forms::placeTwips(cmbmes, 240, 1440, 1800, 315);
    Label1 = forms::control<QLabel>("Label1", client());
    Label1->setText("Año:");
    forms::placeTwips(Label1, 2400, 1470, 600, 255);
    txtaño = forms::control<forms::TextBox>("txtaño", client());
    forms::placeTwips(txtaño, 3000, 1440, 840, 315);
    Label1->setBuddy(txtaño);

    // The buttons:
    cmdbut4 = forms::control<QPushButton>("cmdbut4", client());
    cmdbut4->setText("&Ver Gráfica");
    forms::placeTwips(cmdbut4, 1560, 2160, 1680, 420);
    cmdbut3 = forms::control<QPushButton>("cmdbut3", client());
    cmdbut3->setText("&Salir");
    forms::placeTwips(cmdbut3, 3480, 2160, 1680, 420);

    for (int i = 0; i < 4; ++i)
        forms::onOptionClick(Option1[i], [this, i] { Option1_Click(i); });
    connect(txtaño, &forms::TextBox::changed, this, &FrmGraficas::txtaño_Change);
    connect(cmdbut4, &QPushButton::clicked, this, &FrmGraficas::cmdbut4_Click);
    connect(cmdbut3, &QPushButton::clicked, this, &FrmGraficas::cmdbut3_Click);
}

void FrmGraficas::Form_Load() {
    txtaño->setText(QString::number(runtime::year_of(runtime::clock().now())));
    ubicaciongrafica = kUbicacionCar;
}

void FrmGraficas::Option1_Click(int index) {
    switch (index) {
        case 0:
            cmbmes->setEnabled(true);
            break;
        case 1:
            cmbmes->setEnabled(false);
            break;
        case 2:
            ubicaciongrafica = kUbicacionCentro;
            break;
        case 3:
            ubicaciongrafica = kUbicacionCar;
            break;
    }
}

// Only digits stay, however they came (typed or pasted, anywhere in the
// box): other characters are dropped; more than four digits leave the box
// as it was.
void FrmGraficas::txtaño_Change() {
    const QString texto = txtaño->text();
    if (soloDigitos(texto) && texto.size() <= kDigitosAño) {
        añoAnterior_ = texto;
        return;
    }
    int cursor = txtaño->cursorPosition();
    QString digitos;
    for (int i = 0; i < texto.size(); ++i) {
        if (texto[i] >= '0' && texto[i] <= '9')
            digitos += texto[i];
        else if (i < cursor)
            --cursor;
    }
    if (digitos.size() > kDigitosAño) {
        cursor -= static_cast<int>(digitos.size() - añoAnterior_.size());
        digitos = añoAnterior_;
    }
    // Typed text stays typed (the box keeps its cursor where the user was).
    const bool tecleado = txtaño->isModified();
    txtaño->setText(digitos);  // runs this handler again, on digits only
    txtaño->setModified(tecleado);
    txtaño->setCursorPosition(std::clamp(cursor, 0, static_cast<int>(digitos.size())));
}

void FrmGraficas::cmdbut4_Click() {
    if (auto mes = MdlTtlQuality::numero_de_mes(cmbmes->currentText().toStdString()))
        mesgrafica = *mes;
    if (Option1[0]->isChecked())
        corridaMensual();
    else
        corridaAnual();
}

// The month's totals are long work: the window stays drawn, with the label
// in the frame's place, and the user's input waits until they are written.
void FrmGraficas::corridaMensual() {
    bool hay = false;
    QString fallo;
    {
        forms::LongJob trabajo;
        setHourglass(true);
        FameNivel->setVisible(false);
        lblmsj->setVisible(true);
        forms::refresh(this);
        try {
            hay = state_.calculagraficas(mesgrafica, ubicaciongrafica, año());
        } catch (const std::exception& error) {
            fallo = QString::fromStdString(error.what());
        }
    }
    if (!fallo.isEmpty()) {
        restaura();
        msgBox(fallo, forms::msg::Critical);
        return;
    }
    if (!hay) {
        msgBox(kSinInformacion, forms::msg::Information, "Ternova");
        restaura();
        return;
    }
    Reports.ReportFileName = enCarpeta(kReporteMensual);
    Reports.SelectionFormula =
        QString::fromStdString(formula_mensual(mesgrafica, año(), ubicaciongrafica));
    Reports.Action(1);
    restaura();
}

void FrmGraficas::corridaAnual() {
    bool hay = false;
    QString fallo;
    {
        forms::LongJob trabajo;
        setHourglass(true);
        try {
            hay = hay_meses_graficados(state_.conexion, año(), ubicaciongrafica);
        } catch (const std::exception& error) {
            fallo = QString::fromStdString(error.what());
        }
    }
    if (!fallo.isEmpty()) {
        restaura();
        msgBox(fallo, forms::msg::Critical);
        return;
    }
    if (!hay) {
        msgBox(kSinInformacion, forms::msg::Information, "Ternova");
        restaura();
        return;
    }
    Reports.ReportFileName = enCarpeta(kReporteAnual);
    Reports.SelectionFormula = QString::fromStdString(formula_anual(año(), ubicaciongrafica));
    Reports.Action(1);
    setHourglass(false);
}

void FrmGraficas::restaura() {
    lblmsj->setVisible(false);
    FameNivel->setVisible(true);
    setHourglass(false);
}

std::string FrmGraficas::año() const {
    return txtaño->text().toStdString();
}

void FrmGraficas::cmdbut3_Click() {
    unloadMe();
}

}  // namespace quality
