// The technicians' windows: adding a technician with its location, the
// refusal of existing initials, browsing with the data control, the
// location options and saving the shown technician.

#include "FrmTecnicos.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "data_combo.h"
#include "data_control.h"
#include "qt_printers.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

using quality::FrmTecnico;
using quality::FrmTecnicoModi;

struct Technicians : ::testing::Test {
    TernovaFolder folder;  // UBICACION: "0" CAR, "1" Centro de Mantenimiento
    quality::MdlTtlQuality state;
    forms::TestProgram app{"Ternova"};

    void SetUp() override { state.abrebase(); }
    void tecnico(const char* iniciales, const char* nombre, runtime::Value ubicacion) {
        state.conexion.execute(
            "INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES (?, ?, ?)",
            {iniciales, nombre, ubicacion});
    }
    // The rows of TECNICOS as "iniciales|nombre|ubicacion", in the order stored.
    std::vector<std::string> rows() {
        std::vector<std::string> out;
        auto rs = state.conexion.open_recordset(
            "SELECT Iniciales, Nombre, ubicacion FROM TECNICOS ORDER BY rowid", db::Cursor::Static);
        for (; !rs.eof(); rs.move_next())
            out.push_back(rs[0].to_text() + "|" + rs[1].to_text() + "|" +
                          (rs[2].is_null() ? "Null" : rs[2].to_text()));
        return out;
    }
    static QLineEdit* box(QWidget* w, const char* name) { return w->findChild<QLineEdit*>(name); }
    static QPushButton* button(QWidget* w, const char* name) {
        return w->findChild<QPushButton*>(name);
    }
};

TEST_F(Technicians, AddingStoresSmallInitialsACapitalNameAndTheLocationsId) {
    auto* w = app.show<FrmTecnico>(forms::Modeless, state);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Nuevo Técnico");
    EXPECT_EQ(w->findChild<QLabel*>("Label5")->text(), "Iniciales:");
    EXPECT_EQ(w->findChild<QLabel*>("Label6")->text(), "Nombre del Técnico:");
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), "Ubicación del Técnico:");
    EXPECT_EQ(box(w, "txtiniciales")->maxLength(), 3);
    EXPECT_EQ(button(w, "cmdbut3")->text(), "&Cancelar");
    QPushButton* agregar = button(w, "cmdbut4");
    EXPECT_EQ(agregar->text(), "&Agregar");
    auto* combo = w->findChild<forms::DataCombo*>("cmbubic");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), "Centro de Mantenimiento");

    EXPECT_FALSE(agregar->isEnabled());
    box(w, "txtiniciales")->setText("JPM");
    EXPECT_FALSE(agregar->isEnabled());
    box(w, "txtnombre")->setText("Juan O'Neil");
    EXPECT_TRUE(agregar->isEnabled());
    combo->setBoundText("1");
    app.messages.answer({forms::msg::Yes});
    agregar->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text,
              "El técnico jpm fue guardado exitosamente.\n¿Desea agregar otro técnico?");
    EXPECT_EQ(app.messages.shown[0].style, 36);
    EXPECT_EQ(app.messages.shown[0].title, "Ternova");
    // Yes: the boxes emptied for the next one, the location kept.
    EXPECT_TRUE(app.isLoaded(w));
    EXPECT_EQ(box(w, "txtiniciales")->text(), "");
    EXPECT_EQ(box(w, "txtnombre")->text(), "");
    EXPECT_EQ(combo->boundText(), "1");
    EXPECT_FALSE(agregar->isEnabled());

    // Existing initials, in other letter case: refused as typed, the initials emptied.
    app.messages.shown.clear();
    box(w, "txtiniciales")->setText("Jp'");
    box(w, "txtiniciales")->setText("jPm");
    box(w, "txtnombre")->setText("Otro");
    agregar->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "El técnico jPm ya está registrado.");
    EXPECT_EQ(app.messages.shown[0].style, 48);
    EXPECT_EQ(box(w, "txtiniciales")->text(), "");
    EXPECT_EQ(box(w, "txtnombre")->text(), "Otro");

    // No: the window goes; a quote in the initials is stored as typed.
    app.messages.shown.clear();
    combo->setBoundText("0");
    box(w, "txtiniciales")->setText("O'N");
    app.messages.answer({forms::msg::No});
    agregar->click();
    EXPECT_FALSE(app.isLoaded(w));
    EXPECT_EQ(rows(), (std::vector<std::string>{"jpm|JUAN O'NEIL|1", "o'n|OTRO|0"}));
}

TEST_F(Technicians, CancelarAddsNothing) {
    auto* w = app.show<FrmTecnico>(forms::Modeless, state);
    box(w, "txtiniciales")->setText("abc");
    button(w, "cmdbut3")->click();
    EXPECT_FALSE(app.isLoaded(w));
    EXPECT_TRUE(rows().empty());
}

TEST_F(Technicians, BrowsingShowsEachTechniciansLocationAndSavingWritesZeroOrOne) {
    tecnico("aaa", "ANA", "0");
    tecnico("bbb", "BETO", "1");
    tecnico("ccc", "CARLA", runtime::Value());
    tecnico("ddd", "DORA", "7");
    auto* w = app.show<FrmTecnicoModi>(forms::Modeless, state);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Modificar Técnico");
    EXPECT_EQ(w->findChild<QGroupBox*>("FameNivel")->title(), "Ubicación del Técnico:");
    auto* car = w->findChild<QRadioButton*>("Option1(0)");
    auto* centros = w->findChild<QRadioButton*>("Option1(1)");
    EXPECT_EQ(car->text(), "&CAR");
    EXPECT_EQ(centros->text(), "&Centros de Mantenimiento");
    EXPECT_TRUE(box(w, "txtiniciales")->isReadOnly());
    EXPECT_EQ(button(w, "cmdbut4")->text(), "&Actualizar");
    auto* data = w->findChild<forms::DataControl*>("Data1");
    ASSERT_NE(data, nullptr);

    struct Shown {
        QString iniciales;
        bool car;
        QString caption;
    };
    const Shown shown[] = {{"aaa", true, "Registro 1 de 4"},
                           {"bbb", false, "Registro 2 de 4"},
                           {"ccc", false, "Registro 3 de 4"},
                           {"ddd", false, "Registro 4 de 4"}};
    data->recordset().moveLast();
    data->recordset().moveFirst();
    for (const Shown& s : shown) {
        SCOPED_TRACE(s.iniciales.toStdString());
        EXPECT_EQ(box(w, "txtiniciales")->text(), s.iniciales);
        EXPECT_EQ(car->isChecked(), s.car);
        EXPECT_EQ(centros->isChecked(), !s.car);
        EXPECT_EQ(data->caption(), s.caption);
        EXPECT_TRUE(button(w, "cmdbut4")->isEnabled());
        if (s.iniciales != "ddd")
            data->recordset().moveNext();
    }

    // DORA ("7") saved as CAR with a new name in small letters, kept as edited.
    box(w, "txtnombre")->setText("dora o'hara");
    car->setChecked(true);
    button(w, "cmdbut4")->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "El técnico ddd fue modificado exitosamente.");
    EXPECT_EQ(app.messages.shown[0].style, 64);
    EXPECT_EQ(app.messages.shown[0].title, "Ternova");
    EXPECT_TRUE(app.isLoaded(w));
    // CARLA (empty) saved with the options as shown: the maintenance centres.
    data->recordset().moveTo(2);
    EXPECT_TRUE(centros->isChecked());
    button(w, "cmdbut4")->click();
    EXPECT_EQ(rows(), (std::vector<std::string>{"aaa|ANA|0", "bbb|BETO|1", "ccc|CARLA|1",
                                                "ddd|dora o'hara|0"}));
}

TEST_F(Technicians, NameEmptiedDisablesActualizarAndAnEmptyTableSavesNothing) {
    tecnico("aaa", "ANA", "0");
    auto* w = app.show<FrmTecnicoModi>(forms::Modeless, state);
    box(w, "txtnombre")->setText("");
    EXPECT_FALSE(button(w, "cmdbut4")->isEnabled());
    button(w, "cmdbut3")->click();
    EXPECT_FALSE(app.isLoaded(w));

    state.conexion.execute("DELETE FROM TECNICOS");
    w = app.show<FrmTecnicoModi>(forms::Modeless, state);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->findChild<forms::DataControl*>("Data1")->caption(), "Registro 0 de 0");
    EXPECT_FALSE(button(w, "cmdbut4")->isEnabled());
    w->cmdbut4_Click();  // nothing to save: no message, no failure
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_TRUE(rows().empty());
}

}  // namespace
