#pragma once
// prueba, "Registro de Facturación": the stored billing records that the
// filter window's labels let through, in a grid bound to the data control
// `Data1`, whose caption counts them ("Registro: 1 de: 25"). The strip
// `PicBox` holds `Reporte` "&Reporte" (the workbook of every stored record)
// and `Filtros` "Ver &filtros" (back to the filters). A query that finds
// nothing says so and brings the filter window back; the unload always does.

#include <QString>

#include "filtro_registros.h"
#include "form.h"

class QPushButton;
class QWidget;

namespace forms {
class DataControl;
class DataGrid;
}  // namespace forms

namespace billing {

struct Module1;

class prueba : public forms::Form {
public:
    // `modulo` holds the program-wide database; it outlives the window.
    // `filtros` are the filter window's labels at the moment it opens.
    prueba(forms::Program& program, Module1& modulo, FiltroRegistros filtros);

    // Event procedures, as the old form had them.
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(bool& cancel) override;
    void Data1_Reposition();
    void Reporte_Click();
    void Filtros_Click();

private:
    forms::DataControl* Data1;
    forms::DataGrid* DBGrid1;
    QWidget* PicBox;
    QPushButton* Reporte;
    QPushButton* Filtros;

    Module1& modulo_;
    const FiltroRegistros filtros_;
    // Whether the query found records; the window unloads as it shows when not.
    bool hay_registros_ = true;
};

}  // namespace billing
