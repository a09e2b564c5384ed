#pragma once
// The totals window of riruzoz, "Total de Errores por Central": the saved
// query "Totales" in a grid over the data control Data1, with the buttons
// `cmdrepor` "&Reporte ..." and `Filtros` "&Cerrar" in PicBox. Closing it
// brings the main window back.

#include "grid_window.h"

namespace rejections {

class Totales : public VentanaRejilla {
public:
    explicit Totales(forms::Program& program);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    // "&Reporte ...": the totals report file is outside the program and no
    // report component stands here, so the button does nothing.
    void cmdrepor_Click() override {}
};

}  // namespace rejections
