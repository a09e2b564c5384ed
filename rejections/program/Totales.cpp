#include "Totales.h"

#include "Importadat.h"
#include "program.h"

namespace rejections {

Totales::Totales(forms::Program& program)
    : VentanaRejilla(program, "Totales", "Total de Errores por Central", "&Cerrar") {
    setClientSizeTwips(7680, 5280);
}

void Totales::Form_Load() {
    muestra_consulta("select * from Totales");
}

void Totales::Form_Unload(bool& /*cancel*/) {
    if (auto* main = program().find<Importadat>())
        main->setVisible(true);
}

}  // namespace rejections
