// Every caption of every window of Ternova shows whole at our font.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include "FrmAvance.h"
#include "FrmAyuda.h"
#include "FrmContrasena.h"
#include "FrmPlanBoletas.h"
#include "FrmPrioridades.h"
#include "FrmSupervisores.h"
#include "FrmTecnicos.h"
#include "FrmVerBoletas.h"
#include "caption_fit.h"
#include "frmMain.h"
#include "frmacerca.h"
#include "qt_printers.h"
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
};

using Opens = std::function<forms::Form*(forms::TestProgram&, Week&)>;

// Every window of the program, one line each: a new window adds its line.
const std::pair<const char*, Opens> kWindows[] = {
    {"frmMain",
     [](auto& app, Week& w) { return app.template show<frmMain>(forms::Modeless, w.state); }},
    {"FrmContraseña",
     [](auto& app, Week& w) {
         return app.template show<FrmContraseña>(forms::Modeless, w.state, [] {});
     }},
    {"FrmPlanBoletas",
     [](auto& app, Week& w) {
         return app.template show<FrmPlanBoletas>(
             forms::Modeless, w.state,
             w.state.conexion.open_recordset("Select * from Ultimafecha")[0]);
     }},
    {"FrmVerBoletas",
     [](auto& app, Week&) { return app.template show<FrmVerBoletas>(forms::Modeless); }},
    {"FrmAyuda", [](auto& app, Week&) { return app.template show<FrmAyuda>(forms::Modeless); }},
    {"FrmAvance", [](auto& app, Week&) { return app.template show<FrmAvance>(forms::Modeless); }},
    {"FrmPrioridades",
     [](auto& app, Week& w) {
         return app.template show<FrmPrioridades>(forms::Modeless, w.state);
     }},
    {"FrmCambiar",
     [](auto& app, Week& w) { return app.template show<FrmCambiar>(forms::Modeless, w.state); }},
    {"FrmSuper",
     [](auto& app, Week& w) { return app.template show<FrmSuper>(forms::Modeless, w.state); }},
    {"FrmTecnico",
     [](auto& app, Week& w) { return app.template show<FrmTecnico>(forms::Modeless, w.state); }},
    {"FrmTecnicoModi",
     [](auto& app, Week& w) {
         return app.template show<FrmTecnicoModi>(forms::Modeless, w.state);
     }},
    {"frmacerca", [](auto& app, Week&) { return app.template show<frmacerca>(forms::Modeless); }},
};

TEST(Captions, EveryCaptionOfEveryWindowFits) {
    for (const auto& [name, opens] : kWindows) {
        Week week;
        forms::TestProgram app{"Ternova"};
        // The main window opens behind its login.
        app.modal.whenShown([](forms::Form& login) {
            if (auto* clave = login.findChild<QLineEdit*>("txtclave")) {
                clave->setText("clave");
                login.findChild<QPushButton*>("cmdaceptar")->click();
            }
        });
        forms::Form* window = opens(app, week);
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(forms::captionsCut(*window), QStringList()) << name;
    }
}

}  // namespace
