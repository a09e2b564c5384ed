#pragma once
// FrmPlanBoletas, caption "Boletas Ternova": the sampled tickets of one
// month, technician by technician, with the technician's resolved tickets
// and their share of the last generated week; "Seleccionar &Boleta" keeps
// the ticket shown for the evaluation window (`seleccion`).
//
// `Data1` lists the technicians of the month the window opened with,
// `Data2` the tickets of the month chosen in `cmbmes`, read by the month of
// their resolution day; `Data3` holds no rows. The window writes nothing to
// the database.

#include <QString>

#include "MdlTtlQuality.h"
#include "form.h"
#include "runtime/value.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace forms {
class DataCombo;
class DataControl;
class TextBox;
}  // namespace forms

namespace quality {

class FrmPlanBoletas : public forms::Form {
public:
    // `ultimafecha`: the last resolution day of the week (the first column
    // of Ultimafecha), which names the month the window opens on.
    FrmPlanBoletas(forms::Program& program, MdlTtlQuality& state, runtime::Value ultimafecha);

    // Event procedures.
    void Form_Load() override;
    void cmbmes_Click();
    void DBCombo2_Change();
    void cmdbut3_Click();
    void cmdbut4_Click();
    void Text3_Change();
    void cmdsele_Click();
    void Command1_Click();

private:
    void obtenmes();
    // The technician's share of the week's tickets into Text6.
    void porcentaje();
    // The tickets whose resolution day falls in `mesactual`.
    QString consultaDelMes() const;
    // Column 0 of Data2's current row (the technician's initials) as text.
    QString tecnicoDeLaFila() const;
    bool hayFila() const;

    MdlTtlQuality& state_;
    runtime::Value ultimafecha_;
    double totalsemanal = 0;
    QString tecnicoactual;

    forms::DataControl* Data1;
    forms::DataControl* Data2;
    forms::DataControl* Data3;
    QComboBox* cmbmes;
    forms::DataCombo* DBCombo2;
    forms::TextBox* Text1;
    forms::TextBox* Text2;
    forms::TextBox* Text3;
    forms::TextBox* Text4;
    forms::TextBox* Text5;
    forms::TextBox* Text6;
    forms::TextBox* Text7;
    forms::TextBox* Text8;
    forms::TextBox* Text9;
    forms::TextBox* Text10;
    forms::TextBox* Text11;
    forms::TextBox* Text12;
    forms::TextBox* Text13;
    forms::TextBox* Text14;
    forms::TextBox* Text15;
    forms::TextBox* Text16;
    forms::TextBox* Text17;
    QGroupBox* Frame2;
    QGroupBox* Frame3;
    QPushButton* cmdbut3;
    QPushButton* cmdbut4;
    QPushButton* cmdsele;
    QPushButton* Command1;
};

}  // namespace quality
