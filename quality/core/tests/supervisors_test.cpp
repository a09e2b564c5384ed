// The users' windows: changing a password and adding a supervisor, their
// buttons following the boxes, their refusals and the rows they write.

#include "FrmSupervisores.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qt_printers.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

using quality::FrmCambiar;
using quality::FrmSuper;

struct Users : ::testing::Test {
    TernovaFolder folder;  // the supervisor SUPERVISOR holds "clave"
    quality::MdlTtlQuality state;
    forms::TestProgram app{"Ternova"};

    void SetUp() override {
        state.abrebase();
        state.conexion.execute("INSERT INTO SUPERVISORES (nombre, contraseña) VALUES (?, ?)",
                               {"ANA LOPEZ", "luna"});
    }
    template <typename W>
    QLineEdit* box(W* window, const char* name) {
        return window->template findChild<QLineEdit*>(name);
    }
    template <typename W>
    QPushButton* button(W* window, const char* name) {
        return window->template findChild<QPushButton*>(name);
    }
    // The rows of SUPERVISORES as "nombre=contraseña", by name.
    std::vector<std::string> rows() {
        std::vector<std::string> out;
        auto rs = state.conexion.open_recordset(
            "SELECT nombre, contraseña FROM SUPERVISORES ORDER BY nombre", db::Cursor::Static);
        for (; !rs.eof(); rs.move_next())
            out.push_back(rs[0].to_text() + "=" + rs[1].to_text());
        return out;
    }
    void expectMessage(const QString& text, int style) {
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown[0].text, text);
        EXPECT_EQ(app.messages.shown[0].style, style);
        EXPECT_EQ(app.messages.shown[0].title, "Ternova");
        app.messages.shown.clear();
    }
};

TEST_F(Users, TheWindowsLookAsDesigned) {
    auto* cambiar = app.show<FrmCambiar>(forms::Modeless, state);
    EXPECT_EQ(cambiar->windowTitle(), "Cambiar Contraseña...");
    EXPECT_EQ(cambiar->findChild<QLabel*>("Label1")->text(), "Contraseña Actual:");
    EXPECT_EQ(cambiar->findChild<QLabel*>("Label2")->text(), "Contraseña Nueva:");
    EXPECT_EQ(cambiar->findChild<QLabel*>("Label3")->text(), "Confirme nueva contraseña:");
    for (const char* name : {"txtclave", "txtnueva", "txtconfirma"}) {
        EXPECT_EQ(box(cambiar, name)->echoMode(), QLineEdit::Password) << name;
        EXPECT_EQ(box(cambiar, name)->maxLength(), 10) << name;
    }
    EXPECT_EQ(button(cambiar, "cmdaceptar")->text(), "&Aceptar");
    EXPECT_EQ(button(cambiar, "cmdsalir")->text(), "&Salir");

    auto* super = app.show<FrmSuper>(forms::Modeless, state);
    EXPECT_EQ(super->windowTitle(), "Nuevo Supervisor");
    EXPECT_EQ(super->findChild<QLabel*>("Label6")->text(), "Nombre del Supervisor:");
    EXPECT_EQ(super->findChild<QLabel*>("Label5")->text(), "Contraseña:");
    EXPECT_EQ(super->findChild<QLabel*>("Label1")->text(), "Confirmar Contraseña:");
    EXPECT_EQ(box(super, "txtnombre")->maxLength(), 50);
    EXPECT_EQ(box(super, "txtnombre")->echoMode(), QLineEdit::Normal);
    for (const char* name : {"txtcontra", "txtconfir"}) {
        EXPECT_EQ(box(super, name)->echoMode(), QLineEdit::Password) << name;
        EXPECT_EQ(box(super, name)->maxLength(), 10) << name;
    }
    EXPECT_EQ(button(super, "cmdbut4")->text(), "&Agregar");
    EXPECT_EQ(button(super, "cmdbut3")->text(), "&Cancelar");
}

TEST_F(Users, TheButtonsFollowAllThreeBoxes) {
    auto* cambiar = app.show<FrmCambiar>(forms::Modeless, state);
    auto* super = app.show<FrmSuper>(forms::Modeless, state);
    struct Window {
        QWidget* window;
        std::vector<const char*> boxes;
        const char* button;
    };
    const Window windows[] = {{cambiar, {"txtclave", "txtnueva", "txtconfirma"}, "cmdaceptar"},
                              {super, {"txtnombre", "txtcontra", "txtconfir"}, "cmdbut4"}};
    for (const Window& w : windows) {
        QPushButton* accept = button(w.window, w.button);
        EXPECT_FALSE(accept->isEnabled());
        for (std::size_t i = 0; i < w.boxes.size(); ++i) {
            EXPECT_FALSE(accept->isEnabled()) << w.button << " before " << w.boxes[i];
            box(w.window, w.boxes[i])->setText("x");
        }
        EXPECT_TRUE(accept->isEnabled());
        for (const char* name : w.boxes) {
            box(w.window, name)->setText("");
            EXPECT_FALSE(accept->isEnabled()) << name << " emptied";
            box(w.window, name)->setText("x");
            EXPECT_TRUE(accept->isEnabled());
        }
    }
}

TEST_F(Users, ChangingAPasswordStoresItAsTyped) {
    auto* w = app.show<FrmCambiar>(forms::Modeless, state);
    auto change = [&](const QString& clave, const QString& nueva, const QString& confirma) {
        box(w, "txtclave")->setText(clave);
        box(w, "txtnueva")->setText(nueva);
        box(w, "txtconfirma")->setText(confirma);
        button(w, "cmdaceptar")->click();
    };
    // Refusals leave the window open and the table as it was.
    change("sol", "Nueva", "Nueva");
    expectMessage("La clave que introdujo no es correcta", 16);
    change("x' OR 'a'='a", "Nueva", "Nueva");
    expectMessage("La clave que introdujo no es correcta", 16);
    change("luna", "Nueva", "nueva");
    expectMessage("Confirmación incorrecta.", 16);
    EXPECT_TRUE(app.isLoaded(w));
    EXPECT_EQ(rows(), (std::vector<std::string>{"ANA LOPEZ=luna", "SUPERVISOR=clave"}));
    EXPECT_EQ(box(w, "txtclave")->text(), "luna");

    change("luna", "O'Sol", "O'Sol");
    expectMessage("Contraseña cambiada existosamente.", 64);
    EXPECT_FALSE(app.isLoaded(w));
    EXPECT_EQ(rows(), (std::vector<std::string>{"ANA LOPEZ=O'Sol", "SUPERVISOR=clave"}));
}

TEST_F(Users, AddingASupervisorStoresTheNameInCapitalsAndThePasswordInSmallLetters) {
    auto* w = app.show<FrmSuper>(forms::Modeless, state);
    auto add = [&](const QString& nombre, const QString& contra, const QString& confir) {
        box(w, "txtnombre")->setText(nombre);
        box(w, "txtcontra")->setText(contra);
        box(w, "txtconfir")->setText(confir);
        button(w, "cmdbut4")->click();
    };
    add("Ana Lopez", "x", "x");  // the name compared blind to case
    expectMessage("El supervisor ya está registrado.", 48);
    add("Beto O'Hara", "Sol", "sal");
    expectMessage("Confirmación de contraseña incorrecta.", 16);
    EXPECT_TRUE(app.isLoaded(w));
    EXPECT_EQ(rows(), (std::vector<std::string>{"ANA LOPEZ=luna", "SUPERVISOR=clave"}));

    add("Beto O'Hara", "SoL'1", "sOl'1");
    expectMessage("El supervisor fue guardado exitosamente.", 64);
    EXPECT_FALSE(app.isLoaded(w));
    EXPECT_EQ(rows(), (std::vector<std::string>{"ANA LOPEZ=luna", "BETO O'HARA=sol'1",
                                                "SUPERVISOR=clave"}));
}

TEST_F(Users, SalirAndCancelarLeaveWithoutWriting) {
    auto* cambiar = app.show<FrmCambiar>(forms::Modeless, state);
    box(cambiar, "txtclave")->setText("luna");
    button(cambiar, "cmdsalir")->click();
    EXPECT_FALSE(app.isLoaded(cambiar));
    auto* super = app.show<FrmSuper>(forms::Modeless, state);
    box(super, "txtnombre")->setText("Nadie");
    button(super, "cmdbut3")->click();
    EXPECT_FALSE(app.isLoaded(super));
    EXPECT_EQ(rows(), (std::vector<std::string>{"ANA LOPEZ=luna", "SUPERVISOR=clave"}));
    EXPECT_TRUE(app.messages.shown.empty());
}

}  // namespace

namespace {

TEST_F(Users, ADatabaseFailureIsShownAndTheWindowStays) {
    state.conexion.execute("DROP TABLE SUPERVISORES");
    auto* w = app.show<FrmSuper>(forms::Modeless, state);
    box(w, "txtnombre")->setText("Nadie");
    box(w, "txtcontra")->setText("x");
    box(w, "txtconfir")->setText("x");
    button(w, "cmdbut4")->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].style, 16);
    EXPECT_TRUE(app.isLoaded(w));
}

}  // namespace
