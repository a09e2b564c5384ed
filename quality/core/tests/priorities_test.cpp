// The priority window: the level recognised from the stored limits, the
// levels' values, saving them into the rows in `num` order, and an empty
// table refused.

#include "FrmPrioridades.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "qt_printers.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

using quality::FrmPrioridades;

struct Priorities : ::testing::Test {
    TernovaFolder folder;  // the installation holds the limits of "Nivel 1"
    quality::MdlTtlQuality state;
    forms::TestProgram app{"Ternova"};
    FrmPrioridades* window = nullptr;

    void SetUp() override { state.abrebase(); }
    void open() {
        window = app.show<FrmPrioridades>(forms::Modeless, state);
        ASSERT_NE(window, nullptr);
    }
    void store(const std::vector<runtime::Value>& tiempos) {
        for (std::size_t i = 0; i < tiempos.size(); ++i)
            state.conexion.execute("UPDATE Prioridades SET tiempo = ? WHERE num = ?",
                                   {tiempos[i], static_cast<int>(i + 1)});
    }
    QLineEdit* box(int i) { return window->findChild<QLineEdit*>(QString("Text1(%1)").arg(i)); }
    QRadioButton* option(int i) {
        return window->findChild<QRadioButton*>(QString("Option1(%1)").arg(i));
    }
    QPushButton* aceptar() { return window->findChild<QPushButton*>("cmdaceptar"); }
    QStringList boxes() {
        QStringList out;
        for (int i = 0; i < 6; ++i)
            out << box(i)->text();
        return out;
    }
    int selected() {
        for (int i = 0; i < 3; ++i)
            if (option(i)->isChecked())
                return i;
        return -1;
    }
    std::vector<std::string> stored() {
        std::vector<std::string> out;
        auto rs = state.conexion.open_recordset("SELECT tiempo FROM Prioridades ORDER BY num",
                                                db::Cursor::Static);
        for (; !rs.eof(); rs.move_next())
            out.push_back(rs[0].to_text());
        return out;
    }
};

TEST_F(Priorities, LooksAsDesigned) {
    open();
    EXPECT_EQ(window->windowTitle(), "Prioridades");
    QStringList labels;
    for (QLabel* label : window->findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"Tiempo de Reconocimiento (min.):", "Tiempo de Resolución (min.):",
                             "Crítica:", "Mayor:", "Menor:", "Seleccione el nivel:"})
        EXPECT_TRUE(labels.contains(text)) << text;
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(box(i)->isReadOnly()) << i;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(option(i)->text(), QString("Nivel %1").arg(i + 1));
    EXPECT_EQ(aceptar()->text(), "&Aceptar");
    EXPECT_EQ(window->findChild<QPushButton*>("cmdsalir")->text(), "&Salir");
}

TEST_F(Priorities, TheFirstLimitChoosesTheLevelShown) {
    struct Case {
        std::vector<runtime::Value> tiempos;
        int nivel;
        QStringList shown;
    };
    const Case cases[] = {
        {{45, 90, 180, 360, 1080, 2160}, 2, {"45", "90", "180", "360", "1080", "2160"}},
        // Changed outside the program: the level's own values are shown.
        {{15, 31, 61, 121, 361, 721}, 0, {"15", "30", "60", "120", "360", "720"}},
        // No level: the stored values, a limit without value as an empty box.
        {{20, 40, runtime::Value(), 200, 400, 800}, -1, {"20", "40", "", "200", "400", "800"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown.join(",").toStdString());
        store(c.tiempos);
        open();
        EXPECT_EQ(selected(), c.nivel);
        EXPECT_EQ(boxes(), c.shown);
        EXPECT_FALSE(aceptar()->isEnabled());
        window->findChild<QPushButton*>("cmdsalir")->click();
        EXPECT_FALSE(app.isLoaded(window));
    }
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(Priorities, SavingStoresTheChosenLevelInNumOrder) {
    store({20, 40, 80, 200, 400, 800});
    open();
    option(1)->click();
    EXPECT_EQ(boxes(), (QStringList{"30", "60", "120", "240", "720", "1440"}));
    EXPECT_TRUE(aceptar()->isEnabled());
    aceptar()->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "Los cambios fueron guardados con éxito");
    EXPECT_EQ(app.messages.shown[0].style, 64);
    EXPECT_EQ(app.messages.shown[0].title, "Ternova");
    EXPECT_FALSE(app.isLoaded(window));
    EXPECT_EQ(stored(), (std::vector<std::string>{"30", "60", "120", "240", "720", "1440"}));
    // The running program keeps the limits it read at start.
    EXPECT_EQ(state.tiemposrec[0], 0);
}

TEST_F(Priorities, AShortTableTakesOnlyAsManyValuesAndAnEmptyOneIsRefused) {
    state.conexion.execute("DELETE FROM Prioridades WHERE num > 2");
    open();
    option(2)->click();
    aceptar()->click();
    EXPECT_EQ(stored(), (std::vector<std::string>{"45", "90"}));

    app.messages.shown.clear();
    state.conexion.execute("DELETE FROM Prioridades");
    open();
    option(0)->click();
    aceptar()->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text,
              "La tabla Prioridades no tiene registros. Por favor consulte a su administrador");
    EXPECT_EQ(app.messages.shown[0].style, 48);
    EXPECT_TRUE(app.isLoaded(window));
    EXPECT_TRUE(stored().empty());
}

}  // namespace
