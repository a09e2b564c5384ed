#pragma once
// The window that riruzoz's two grids share (the filtered samples `prueba`
// and the totals per central `Totales`): the grid DBGrid1 over the data
// control Data1 on riruzozs.mdb, and the strip PicBox with the buttons
// `cmdrepor` "&Reporte ..." and `Filtros`, which closes the window. A result
// without records says so and closes the window as it shows.

#include <QString>

#include "form.h"

class QPushButton;
class QWidget;

namespace forms {
class DataControl;
class DataGrid;
}  // namespace forms

namespace rejections {

class VentanaRejilla : public forms::Form {
public:
    void Form_Activate() override;
    void Form_Resize() override;
    void Data1_Reposition();
    void Filtros_Click();
    virtual void cmdrepor_Click() {}

protected:
    VentanaRejilla(forms::Program& program, const QString& name, const QString& caption,
                   const QString& filtros_caption);

    // The statement the grid shows; the data control opens it right after
    // Load, before the window shows.
    void muestra_consulta(const QString& sql);

    forms::DataControl* Data1;
    forms::DataGrid* DBGrid1;
    QWidget* PicBox;
    QPushButton* cmdrepor;
    QPushButton* Filtros;

private:
    bool hay_datos = true;
};

}  // namespace rejections
