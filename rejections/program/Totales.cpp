#include "Totales.h"

#include "Importadat.h"
#include "Module1.h"
#include "program.h"
#include "runtime/program_folder.h"

namespace rejections {

Totales::Totales(forms::Program& program)
    : VentanaRejilla(program, "Totales", "Total de Errores por Central", "&Cerrar"),
      Reports(*this, base_datos) {
    setClientSizeTwips(7680, 5280);
}

void Totales::Form_Load() {
    muestra_consulta("select * from Totales");
}

void Totales::cmdrepor_Click() {
    setHourglass(true);
    Reports.ReportFileName = QString::fromStdString(runtime::program_file("totales.rpt").string());
    Reports.SelectionFormula = "";
    Reports.Action(1);
    setHourglass(false);
}

void Totales::Form_Unload(bool& /*cancel*/) {
    if (auto* main = program().find<Importadat>())
        main->setVisible(true);
}

}  // namespace rejections
