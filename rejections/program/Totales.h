#pragma once
// The totals window of riruzoz, "Total de Errores por Central": the saved
// query "Totales" in a grid over the data control Data1, with the buttons
// `cmdrepor` "&Reporte ..." and `Filtros` "&Cerrar" in PicBox. Closing it
// brings the main window back; "&Reporte ..." shows the totals report
// "totales.rpt" of the program folder.

#include "grid_window.h"
#include "report_control.h"

namespace rejections {

class Totales : public VentanaRejilla {
public:
    explicit Totales(forms::Program& program);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    // "&Reporte ...": the totals per central as bars and a table, every row
    // of Totales (no selection formula).
    void cmdrepor_Click() override;

private:
    report::ReportControl Reports;
};

}  // namespace rejections
