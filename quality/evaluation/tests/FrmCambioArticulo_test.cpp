// The rating-change dialog driven through the modal service: its controls,
// both choices with and without a reason, cancelling and the close box, and
// a fresh dialog at every showing.

#include "FrmCambioArticulo.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "qt_printers.h"
#include "rating_image.h"
#include "test_program.h"
#include "text_box.h"

namespace {

using quality::EleccionCambio;
using quality::FrmCambioArticulo;

constexpr const char* kAntes = "Revisada.1) Boleta a123";

struct CambioArticulo : ::testing::Test {
    forms::TestProgram app{"Ternova"};
    QString comentarios = kAntes;

    static forms::MultiLineTextBox* causa(forms::Form& dialogo) {
        return dialogo.findChild<forms::MultiLineTextBox*>("txtcausa");
    }
    static void pulsa(forms::Form& dialogo, const char* boton) {
        dialogo.findChild<QPushButton*>(boton)->click();
    }
    EleccionCambio muestra() { return FrmCambioArticulo::muestra(app, comentarios); }
};

TEST_F(CambioArticulo, LooksAsDesigned) {
    app.modal.whenShown([](forms::Form& dialogo) {
        EXPECT_EQ(dialogo.windowTitle(), "Cambio de Calificación");
        EXPECT_EQ(dialogo.findChild<QPushButton*>("cmdacep")->text(), "&Satisfactorio");
        EXPECT_EQ(dialogo.findChild<QPushButton*>("cmdnocal")->text(), "&No Calificación");
        EXPECT_EQ(dialogo.findChild<QPushButton*>("cmdcance")->text(), "&Cancelar");
        EXPECT_EQ(dialogo.findChild<QLabel*>("Label32")->text(),
                  "ESCRIBA EL MOTIVO POR EL CUAL CAMBIARA EL ESTADO DEL REPORTE");
        EXPECT_EQ(causa(dialogo)->text(), "");
        auto* satisfactorio = dialogo.findChild<forms::Image*>("Image1");
        auto* sin_calificar = dialogo.findChild<forms::Image*>("Image2");
        ASSERT_TRUE(satisfactorio && sin_calificar);
        EXPECT_EQ(satisfactorio->picture().bitmap().toImage(),
                  forms::drawRatingPicture(forms::Rating::Bien).bitmap().toImage());
        EXPECT_EQ(sin_calificar->picture().bitmap().toImage(),
                  forms::drawRatingPicture(forms::Rating::Blanco).bitmap().toImage());
        EXPECT_EQ(dialogo.font().family(), "Tahoma");
        pulsa(dialogo, "cmdcance");
    });
    muestra();
    EXPECT_EQ(app.modal.shown, QStringList{"FrmCambioArticulo"});
}

TEST_F(CambioArticulo, BothChoicesNeedAReasonAndWriteItIntoTheComments) {
    struct Caso {
        const char* boton;
        EleccionCambio eleccion;
        QString causa;
    };
    const Caso casos[] = {
        {"cmdacep", EleccionCambio::Satisfactorio, "llamó el cliente"},
        {"cmdnocal", EleccionCambio::NoCalificacion, "sin datos"},
        {"cmdacep", EleccionCambio::Satisfactorio, "  "},  // blanks are a reason
        {"cmdnocal", EleccionCambio::NoCalificacion, "primera línea\nsegunda línea"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.causa.toStdString());
        comentarios = kAntes;
        app.modal.whenShown([&](forms::Form& dialogo) {
            pulsa(dialogo, c.boton);  // no reason yet: the dialog stays
            EXPECT_TRUE(app.isLoaded(&dialogo));
            causa(dialogo)->setText(c.causa);
            pulsa(dialogo, c.boton);
            EXPECT_FALSE(app.isLoaded(&dialogo));
        });
        EXPECT_EQ(muestra(), c.eleccion);
        EXPECT_EQ(comentarios, QString(kAntes) + " cambiada por " + c.causa + ".\n\r");
        EXPECT_EQ(app.find<FrmCambioArticulo>(), nullptr);
    }
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(CambioArticulo, CancellingOrClosingLeavesTheCommentsAsTheClickLeftThem) {
    // Cancelled right away, after typing a reason, by the close box, and
    // left open by the modal wait: the choice of an earlier showing counts
    // for none of them.
    app.modal.whenShown([&](forms::Form& dialogo) {
        causa(dialogo)->setText("motivo");
        pulsa(dialogo, "cmdacep");
    });
    EXPECT_EQ(muestra(), EleccionCambio::Satisfactorio);
    const std::function<void(forms::Form&)> maneras[] = {
        [](forms::Form& dialogo) { pulsa(dialogo, "cmdcance"); },
        [](forms::Form& dialogo) {
            causa(dialogo)->setText("otro");
            pulsa(dialogo, "cmdcance");
        },
        [](forms::Form& dialogo) { dialogo.close(); },
    };
    for (const auto& manera : maneras) {
        comentarios = kAntes;
        app.modal.whenShown(manera);
        EXPECT_EQ(muestra(), EleccionCambio::Cancelada);
        EXPECT_EQ(comentarios, kAntes);
        EXPECT_EQ(app.find<FrmCambioArticulo>(), nullptr);
    }
    EXPECT_EQ(muestra(), EleccionCambio::Cancelada);  // nothing scripted
    EXPECT_EQ(comentarios, kAntes);
    EXPECT_EQ(app.find<FrmCambioArticulo>(), nullptr);
}

TEST_F(CambioArticulo, EveryShowingStartsWithAnEmptyReason) {
    app.modal.whenShown([](forms::Form& dialogo) {
        causa(dialogo)->setText("escrito la primera vez");
        pulsa(dialogo, "cmdcance");
    });
    app.modal.whenShown([](forms::Form& dialogo) {
        EXPECT_EQ(causa(dialogo)->text(), "");
        pulsa(dialogo, "cmdcance");
    });
    muestra();
    muestra();
    EXPECT_EQ(app.modal.shown.size(), 2);
}

}  // namespace
