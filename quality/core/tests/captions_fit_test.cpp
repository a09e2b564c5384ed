// Every caption of every window of Ternova shows whole at our font.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <iterator>

#include "FrmAvance.h"
#include "FrmAyuda.h"
#include "FrmCambioArticulo.h"
#include "FrmContrasena.h"
#include "FrmGraficas.h"
#include "FrmObserva.h"
#include "FrmPlanBoletas.h"
#include "FrmPrioridades.h"
#include "FrmSupervisores.h"
#include "FrmTecnicos.h"
#include "FrmVerBoletas.h"
#include "caption_fit.h"
#include "frmMain.h"
#include "frmacerca.h"
#include "qt_printers.h"
#include "report_window.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

using namespace quality;

// A week with sampled tickets, so that the browsers open on data.
struct Week {
    TernovaFolder folder;
    MdlTtlQuality state;
    Week() {
        db::Database setup(folder.file);
        setup.execute(
            "INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES ('AL', 'ANA LOPEZ', '1')");
        setup.execute(
            "INSERT INTO Historico_Boletas_Calidad "
            "(Tecnico, Listatrabajo, Boleta, Fecha_creada, Fecha_resuelta, prioridad) VALUES "
            "('AL', 'CENTRAL SUR - INSTALACION', '1001', '01/03/26 08:00', '02/03/26 09:00', "
            "'20')");
        setup.execute(
            "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico, fecha_resuelta) "
            "VALUES ('WL1', 'X', 'AL', '20/03/26 10:00')");
        setup.execute(
            "INSERT INTO Datos_General (fechaini, fechaend, boletas_totales) "
            "VALUES (cdate('14/03/26'), cdate('20/03/26'), 480)");
        state.abrebase();
    }
    FrmCambioArticulo::Resultado cambio;
    runtime::Value ultimaFecha() {
        return state.conexion.open_recordset("Select * from Ultimafecha")[0];
    }
};

using App = forms::TestProgram;
using Opens = std::function<forms::Form*(App&, Week&)>;

// Every window of the program, one line each: a new window adds its line.
// clang-format off
const Opens kWindows[] = {
    [](App& a, Week& w) { return a.show<frmMain>(forms::Modeless, w.state); },
    [](App& a, Week& w) { return a.show<FrmContraseña>(forms::Modeless, w.state, [] {}); },
    [](App& a, Week& w) { return a.show<FrmPlanBoletas>(forms::Modeless, w.state, w.ultimaFecha()); },
    [](App& a, Week&) { return a.show<FrmVerBoletas>(forms::Modeless); },
    [](App& a, Week&) { return a.show<FrmAyuda>(forms::Modeless); },
    [](App& a, Week&) { return a.show<FrmAvance>(forms::Modeless); },
    [](App& a, Week& w) { return a.show<FrmPrioridades>(forms::Modeless, w.state); },
    [](App& a, Week& w) { return a.show<FrmCambiar>(forms::Modeless, w.state); },
    [](App& a, Week& w) { return a.show<FrmSuper>(forms::Modeless, w.state); },
    [](App& a, Week& w) { return a.show<FrmTecnico>(forms::Modeless, w.state); },
    [](App& a, Week& w) { return a.show<FrmTecnicoModi>(forms::Modeless, w.state); },
    [](App& a, Week&) { return a.show<frmacerca>(forms::Modeless); },
    [](App& a, Week& w) { return a.show<FrmObserva>(forms::Modeless, w.state); },
    [](App& a, Week& w) { return a.show<FrmCambioArticulo>(forms::Modeless, w.cambio); },
    [](App& a, Week& w) { return a.show<FrmGraficas>(forms::Modeless, w.state); },
    [](App& a, Week&) { return a.show<report::ReportWindow>(forms::Modeless); },
};
// clang-format on

TEST(Captions, EveryCaptionOfEveryWindowFits) {
    for (std::size_t i = 0; i < std::size(kWindows); ++i) {
        Week week;
        forms::TestProgram app{"Ternova"};
        // The main window opens behind its login.
        app.modal.whenShown([](forms::Form& login) {
            if (auto* clave = login.findChild<QLineEdit*>("txtclave")) {
                clave->setText("clave");
                login.findChild<QPushButton*>("cmdaceptar")->click();
            }
        });
        forms::Form* window = kWindows[i](app, week);
        ASSERT_NE(window, nullptr) << "window " << i << " of the list";
        EXPECT_EQ(forms::captionsCut(*window), QStringList());
    }
}

}  // namespace
