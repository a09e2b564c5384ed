// The filter window through the services, on a factura.mdb holding records
// stored by the importer: its boxes and hidden labels, the way from the main
// window to the grid and back, and the queries the grid runs.

#include "Filtra.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <string>

#include "Importadat.h"
#include "prueba.h"
#include "qt_printers.h"
#include "text_box.h"
#include "zovavidevir_fixture.h"

namespace {

using billing::Filtra;
using billing::prueba;

class FilterWindow : public billingtest::ZovavidevirWindows {
protected:
    Filtra* openFilters() {
        click(main, "Command2");
        return app.find<Filtra>();
    }
    forms::TextBox* box(Filtra* filtra, const char* name) {
        return child<forms::TextBox>(filtra, name);
    }
    QString label(Filtra* filtra, const char* name) {
        auto* found = child<QLabel>(filtra, name);
        return found ? found->text() : "?";
    }
};

TEST_F(FilterWindow, HasItsBoxesCaptionsHiddenLabelsAndButtons) {
    Filtra* filtra = openFilters();
    ASSERT_NE(filtra, nullptr);
    EXPECT_EQ(filtra->windowTitle(), "Filtros");
    const struct {
        const char* box;
        const char* caption;
        int longest;
        const char* label;
    } boxes[] = {
        {"cs1", "Causa de salida", 2, "cs"},
        {"na1", "Número de cliente A", 10, "na"},
        {"cc1", "Categoría cliente A", 2, "cc"},
        {"nb1", "Número de cliente B", 18, "nb"},
        {"rd1", "Razón de desconexión", 2, "rd"},
        {"fi1", "Fecha inicio de facturación (aa/mm/dd)", 8, "fi"},
        {"hi1", "Hora de inicio de facturación (hh:mm:ss)", 8, "hi"},
        {"df1", "Tiempo de duración de facturación (hh:mm:ss)", 8, "df"},
        {"di1", "Tiempo de duración de la interrupción", 4, "di"},
        {"rs1", "Ruta de Salida", 14, "rs"},
        {"re1", "Ruta de Entrada", 14, "re"},
        {"irs1", "Indice de ruta de salida", 4, "irs"},
        {"ire1", "Indice de ruta de entrada", 4, "ire"},
    };
    for (const auto& expected : boxes) {
        auto* found = box(filtra, expected.box);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->maxLength(), expected.longest) << expected.box;
        auto* caption = child<QLabel>(filtra, (std::string(expected.box) + "_titulo").c_str());
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->text(), QString::fromUtf8(expected.caption));
        EXPECT_EQ(caption->buddy(), found);
        auto* hidden = child<QLabel>(filtra, expected.label);
        ASSERT_NE(hidden, nullptr);
        EXPECT_FALSE(hidden->isVisible()) << expected.label;
        EXPECT_EQ(hidden->text(), "");
    }
    EXPECT_EQ(child<QPushButton>(filtra, "Command1")->text(), "L&impia Filtros");
    EXPECT_EQ(child<QPushButton>(filtra, "Cierra")->text(), "C&errar");
    EXPECT_EQ(child<QPushButton>(filtra, "Datos")->text(), "Ver &datos");
}

TEST_F(FilterWindow, TheLabelsFollowTheBoxesAndLimpiaFiltrosEmptiesBoth) {
    Filtra* filtra = openFilters();
    ASSERT_NE(filtra, nullptr);
    box(filtra, "cs1")->setText("01");
    box(filtra, "rs1")->setText("AB'C");
    EXPECT_EQ(label(filtra, "cs"), "01");
    EXPECT_EQ(label(filtra, "rs"), "AB'C");
    for (const auto& [typed, shown] :
         {std::pair{"7", "00:00:07"}, {" 1:30", "00:01:30"}, {"12:34:56", "12:34:56"}, {"", ""}}) {
        box(filtra, "df1")->setText(typed);
        EXPECT_EQ(label(filtra, "df"), shown) << typed;
    }

    for (const char* name : {"cs1", "na1", "cc1", "nb1", "rd1", "fi1", "hi1", "df1", "di1", "rs1",
                             "re1", "irs1", "ire1"})
        box(filtra, name)->setText("1");
    EXPECT_EQ(label(filtra, "df"), "00:00:01");
    click(filtra, "Command1");
    for (const char* name : {"cs1", "na1", "cc1", "nb1", "rd1", "fi1", "hi1", "df1", "di1", "rs1",
                             "re1", "irs1", "ire1"})
        EXPECT_EQ(box(filtra, name)->text(), "") << name;
    EXPECT_EQ(filtra->filtros(), billing::FiltroRegistros{});
    ASSERT_NE(app.show<prueba>(forms::Modeless, modulo, filtra->filtros()), nullptr);
    EXPECT_EQ(gridSequences(app.find<prueba>()), "1234");
}

TEST_F(FilterWindow, MainWindowToFiltersToGridAndBackAgain) {
    // The button and the menu entry both put the filters in the main window's place:
    for (const char* opener : {"Command2", "Menu_regfac"}) {
        if (std::string(opener) == "Command2")
            click(main, opener);
        else
            child<QAction>(main, opener)->trigger();
        Filtra* filtra = app.find<Filtra>();
        ASSERT_NE(filtra, nullptr) << opener;
        EXPECT_TRUE(filtra->isVisible());
        EXPECT_FALSE(main->isVisible());
        click(filtra, "Cierra");
        EXPECT_EQ(app.find<Filtra>(), nullptr);
        EXPECT_TRUE(main->isVisible());
        forms::deleteUnloadedWindows();
    }

    Filtra* filtra = openFilters();
    box(filtra, "cs1")->setText("01");
    click(filtra, "Datos");
    prueba* grid = app.find<prueba>();
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isVisible());
    EXPECT_FALSE(filtra->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(grid->windowTitle(), "Registro de Facturación");
    EXPECT_EQ(gridSequences(grid), "12");

    // Back to the filters, which kept what was typed; a new filter, a new query:
    click(grid, "Filtros");
    EXPECT_EQ(app.find<prueba>(), nullptr);
    EXPECT_TRUE(filtra->isVisible());
    EXPECT_EQ(box(filtra, "cs1")->text(), "01");
    EXPECT_EQ(label(filtra, "cs"), "01");
    forms::deleteUnloadedWindows();
    box(filtra, "na1")->setText("5559");
    click(filtra, "Datos");
    ASSERT_NE(app.find<prueba>(), nullptr);
    EXPECT_EQ(gridSequences(app.find<prueba>()), "2");
    EXPECT_TRUE(app.messages.shown.empty());

    // A new filter window starts empty:
    click(app.find<prueba>(), "Filtros");
    click(filtra, "Cierra");
    EXPECT_TRUE(main->isVisible());
    forms::deleteUnloadedWindows();
    filtra = openFilters();
    ASSERT_NE(filtra, nullptr);
    EXPECT_EQ(box(filtra, "cs1")->text(), "");
    EXPECT_EQ(filtra->filtros(), billing::FiltroRegistros{});
}

TEST_F(FilterWindow, AFilterThatMatchesNothingSaysSoAndTheFiltersComeBack) {
    Filtra* filtra = openFilters();
    box(filtra, "na1")->setText("9");
    click(filtra, "Datos");
    EXPECT_EQ(app.find<prueba>(), nullptr);
    EXPECT_TRUE(filtra->isVisible());
    EXPECT_FALSE(main->isVisible());
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "No existe información en la base de datos");
    EXPECT_EQ(app.messages.shown[0].title, "Zovavidevir");
    EXPECT_EQ(app.messages.shown[0].style, forms::msg::OkOnly);

    // After "&Borra Datos" even the empty filter finds nothing.
    click(filtra, "Cierra");
    click(main, "Command3");
    filtra = openFilters();
    click(filtra, "Datos");
    EXPECT_EQ(app.find<prueba>(), nullptr);
    EXPECT_EQ(app.messages.shown.size(), 2u);
    EXPECT_TRUE(filtra->isVisible());
}

TEST_F(FilterWindow, AQuoteTypedInABoxIsMatchedAsItStands) {
    Filtra* filtra = openFilters();
    box(filtra, "rs1")->setText("'A");
    click(filtra, "Datos");
    ASSERT_NE(app.find<prueba>(), nullptr);
    EXPECT_EQ(gridSequences(app.find<prueba>()), "3");
    EXPECT_TRUE(app.messages.shown.empty());
}

}  // namespace
