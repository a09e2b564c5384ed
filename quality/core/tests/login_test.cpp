// The login window: who a password finds, the administration entries, the
// accept button following the box, and the ways out.

#include "FrmContrasena.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "qt_printers.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

using quality::FrmContraseña;

struct Login : ::testing::Test {
    TernovaFolder folder;  // the supervisor SUPERVISOR holds "clave"
    quality::MdlTtlQuality state;
    forms::TestProgram app{"Ternova"};
    int administracion = 0;
    FrmContraseña* window = nullptr;

    void SetUp() override {
        state.abrebase();
        state.conexion.execute("INSERT INTO SUPERVISORES (nombre, contraseña) VALUES (?, ?)",
                               {"ANA LOPEZ", "luna"});
        state.conexion.execute("INSERT INTO SUPERVISORES (nombre, contraseña) VALUES (?, ?)",
                               {"BETO O'HARA", "o'hara"});
        open();
    }
    void open() {
        window = app.show<FrmContraseña>(forms::Modeless, state, [this] { ++administracion; });
        ASSERT_NE(window, nullptr);
    }
    QLineEdit* clave() { return window->findChild<QLineEdit*>("txtclave"); }
    QPushButton* aceptar() { return window->findChild<QPushButton*>("cmdaceptar"); }
    void type(const QString& text) {
        clave()->setText(text);
        aceptar()->click();
    }
};

TEST_F(Login, LooksAsDesigned) {
    EXPECT_EQ(window->windowTitle(), "Contraseña");
    EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(), "Escriba su contraseña:");
    EXPECT_EQ(clave()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(aceptar()->text(), "&Aceptar");
    EXPECT_EQ(window->findChild<QPushButton*>("cmdsalir")->text(), "&Salir");
    EXPECT_NE(window->findChild<QLabel*>("Picture1"), nullptr);
}

TEST_F(Login, APasswordLogsItsSupervisorIn) {
    struct Case {
        QString typed;
        std::string usuario;
        int administracion;
    };
    const Case cases[] = {
        {"ClAvE", "SUPERVISOR", 1},  // the supervisor's password in other letter case
        {"luna", "ANA LOPEZ", 0},
        {"o'hara", "BETO O'HARA", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        administracion = 0;
        open();
        type(c.typed);
        EXPECT_EQ(state.usuario, c.usuario);
        EXPECT_EQ(administracion, c.administracion);
        EXPECT_FALSE(app.isLoaded(window));
        EXPECT_TRUE(app.messages.shown.empty());
    }
}

TEST_F(Login, AWrongPasswordLetsTheUserTryAgain) {
    for (const QString& typed : {QString("nada"), QString("x' OR 'a'='a")}) {
        SCOPED_TRACE(typed.toStdString());
        app.messages.shown.clear();
        type(typed);
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown[0].text, "La clave que introdujo no es correcta.");
        EXPECT_EQ(app.messages.shown[0].style, 16);
        EXPECT_EQ(app.messages.shown[0].title, "Ternova");
        EXPECT_TRUE(app.isLoaded(window));
        EXPECT_TRUE(state.usuario.empty());
    }
    type("luna");
    EXPECT_EQ(state.usuario, "ANA LOPEZ");
}

TEST_F(Login, WithoutTheSupervisorRowAnyPasswordLogsInWithoutAdministration) {
    state.conexion.execute("DELETE FROM SUPERVISORES WHERE nombre = 'SUPERVISOR'");
    type("luna");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text,
              "El usuario supervisor no existe. Por favor consulte a su administrador.");
    EXPECT_EQ(app.messages.shown[0].style, 64);
    EXPECT_EQ(state.usuario, "ANA LOPEZ");
    EXPECT_EQ(administracion, 0);
    EXPECT_FALSE(app.isLoaded(window));
}

TEST_F(Login, AcceptFollowsThePasswordBoxAndEnterAccepts) {
    EXPECT_FALSE(aceptar()->isEnabled());
    clave()->setText("l");
    EXPECT_TRUE(aceptar()->isEnabled());
    clave()->setText("");
    EXPECT_FALSE(aceptar()->isEnabled());

    QTest::keyClick(clave(), Qt::Key_Return);  // nothing typed: nothing asked
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_TRUE(app.isLoaded(window));

    QTest::keyClicks(clave(), "luna");
    QTest::keyClick(clave(), Qt::Key_Return);
    EXPECT_EQ(state.usuario, "ANA LOPEZ");
    EXPECT_FALSE(app.isLoaded(window));
}

TEST_F(Login, SalirAndTheCloseBoxEndTheProgram) {
    window->findChild<QPushButton*>("cmdsalir")->click();
    EXPECT_TRUE(app.ended());

    forms::TestProgram another;
    auto* login = another.show<FrmContraseña>(forms::Modeless, state, [] {});
    ASSERT_NE(login, nullptr);
    login->close();  // the close box
    EXPECT_TRUE(another.ended());
    EXPECT_TRUE(state.usuario.empty());
}

}  // namespace
