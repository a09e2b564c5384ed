#pragma once
// FrmGraficas, caption "Gráficas": the evaluation results of one location
// as a report. "&Mensual" totals the ratings of a month and year into
// GRAFICAS (calculagraficas) and shows them ("mensual.rpt"); "&Anual" shows
// every month of the year graphed so far ("anual.rpt").
//
// `Option1` 0 "&Mensual" (month list on), 1 "&Anual" (month list off); in
// the frame `FameNivel` "Nivel:", 2 "&Centros de Mantenimiento" and 3
// "&CAR"; `cmbmes` the month, `txtaño` the year (four digits at most),
// `lblmsj` "Accesando registros ..." in the frame's place while the month is
// totalled, `cmdbut4` "&Ver Gráfica", `cmdbut3` "&Salir"; `Reports` the
// report control.

#include <QString>

#include <array>
#include <string>

#include "MdlTtlQuality.h"
#include "form.h"
#include "report_control.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace forms {
class TextBox;
}

namespace quality {

class FrmGraficas : public forms::Form {
public:
    FrmGraficas(forms::Program& program, MdlTtlQuality& state);

    void Form_Load() override;
    void Option1_Click(int index);
    void txtaño_Change();
    void cmdbut4_Click();
    void cmdbut3_Click();

private:
    void corridaMensual();
    void corridaAnual();
    // The frame back in place of the label, the normal pointer.
    void restaura();
    std::string año() const;

    MdlTtlQuality& state_;

    // The month of the monthly report, 0 until a month is found.
    int mesgrafica = 0;
    std::string ubicaciongrafica;
    // The year box's text as it was before the last change.
    QString añoAnterior_;

    std::array<QRadioButton*, 4> Option1{};
    QGroupBox* FameNivel;
    QComboBox* cmbmes;
    QLabel* Label1;
    forms::TextBox* txtaño;
    QLabel* lblmsj;
    QPushButton* cmdbut4;
    QPushButton* cmdbut3;
    report::ReportControl Reports;
};

}  // namespace quality
