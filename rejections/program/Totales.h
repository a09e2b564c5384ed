#pragma once
// The totals window of riruzoz, "Total de Errores por Central": the saved
// query "Totales" in a grid over the data control Data1, with the buttons
// `cmdrepor` "&Reporte ..." and `Filtros` "&Cerrar" in PicBox. Closing it
// brings the main window back.

#include "form.h"

class QPushButton;
class QWidget;

namespace forms {
class DataControl;
class DataGrid;
}  // namespace forms

namespace rejections {

class Totales : public forms::Form {
public:
    explicit Totales(forms::Program& program);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(bool& cancel) override;
    void Data1_Reposition();
    void Filtros_Click();
    void cmdrepor_Click();

private:
    bool hay_datos = true;
    forms::DataControl* Data1;
    forms::DataGrid* DBGrid1;
    QWidget* PicBox;
    QPushButton* cmdrepor;
    QPushButton* Filtros;
};

}  // namespace rejections
