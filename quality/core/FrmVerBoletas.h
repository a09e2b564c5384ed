#pragma once
// FrmVerBoletas, caption "Totales por Técnico": the per-technician totals of
// Porcentaje_Tecnicos in a grid, with the first and last day and the ticket
// total of the last generated week (Datos_General). It writes nothing.

#include "form.h"

class QLabel;
class QPushButton;

namespace forms {
class DataControl;
class DataGrid;
class TextBox;
}  // namespace forms

namespace quality {

class FrmVerBoletas : public forms::Form {
public:
    explicit FrmVerBoletas(forms::Program& program);

    // Event procedures.
    void Form_Load() override;
    void Data1_Reposition();
    void Text3_Change();
    void Command1_Click();

private:
    // "Registro " & (position + 1) & " de " & count into Data1's caption.
    void muestraPosicion();

    forms::DataControl* Data1;
    forms::DataGrid* DBGrid1;
    forms::DataControl* Data2;
    forms::TextBox* Text1;
    forms::TextBox* Text2;
    forms::TextBox* Text3;
    QPushButton* Command1;
    bool formateando_ = false;
};

}  // namespace quality
