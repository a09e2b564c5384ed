#pragma once
// The record grid of riruzoz, "Registros Muestra": the stored samples that
// pass the filters of Filtra, through the data control Data1 and the grid
// DBGrid1, with the buttons `cmdrepor` "&Reporte ..." and `Filtros`
// "Ver &filtros" in the picture box PicBox. An empty result says so and
// closes the grid, which brings the filters back.

#include <QString>

#include <string>

#include "grid_window.h"

class QLabel;
namespace rejections {

class Filtra;

// The statement over the saved query "prueba" made from the hidden labels of
// the filter window: each column's filter is a "like" (or, with `negada`, a
// "not like") of its label's text, quoted, followed by the date range.
// Without exclusion each text ends in "*" here; with it the filter window
// has already put one there.
std::string consulta_prueba(const Filtra& filtros, bool negada);

class prueba : public VentanaRejilla {
public:
    explicit prueba(forms::Program& program);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    // "&Reporte ..." writes the records the grid shows into the workbook
    // "Reporte de Riruzozs.xls" in the program folder, with the progress in
    // B_Avance, and names the file; a failure is told as it is instead.
    void cmdrepor_Click() override;

private:
    QLabel* Label1;
};

}  // namespace rejections
