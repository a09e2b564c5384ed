#include "placement.h"

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPushButton>

#include "form.h"
#include "qt_printers.h"
#include "test_program.h"

namespace {

struct Plain : forms::Form {
    explicit Plain(forms::Program& p) : Form(p, "FrmObserva") {
        setWindowTitle("Observación de Calidad en Boletas VIV");
    }
};

TEST(Twips, FifteenToAPixel) {
    EXPECT_EQ(forms::toTwips(1), 15);
    EXPECT_EQ(forms::toTwips(728), 10920);
    const std::pair<int, int> cases[] = {{10920, 728}, {1035, 69}, {11150, 743}, {7, 0}, {8, 1}};
    for (const auto& [twips, pixels] : cases)
        EXPECT_EQ(forms::toPixels(twips), pixels) << twips;
}

TEST(Placement, AWindowStandsWhereItWasPlacedInTwips) {
    forms::TestProgram app;
    Plain* window = app.show<Plain>(forms::Modeless);
    const forms::Placement where{1200, 900, 6000, 4500};
    window->setPlacement(where);
    EXPECT_EQ(window->placement(), where);

    window->setHeightTwips(11150);  // the nearest whole pixel
    EXPECT_EQ(window->heightTwips(), 11145);
    EXPECT_EQ(window->placement().width, 6000);
}

TEST(Placement, TheClientAreaLiesBelowTheMenuBar) {
    forms::TestProgram app;
    Plain* window = app.load<Plain>();
    window->menuBar()->addMenu("&Archivo");
    window->setClientSizeTwips(10920, 8100);
    app.show(*window);
    EXPECT_EQ(window->clientWidthTwips(), 10920);
    EXPECT_EQ(window->clientHeightTwips(), 8100);
    EXPECT_GT(window->height(), 540);  // the menu bar's height comes on top
}

TEST(Placement, ControlsArePlacedInTwips) {
    QWidget parent;
    QPushButton button(&parent);
    forms::placeTwips(&button, 9120, 1080, 1695, 435);
    EXPECT_EQ(button.geometry(), QRect(608, 72, 113, 29));
}

TEST(Placement, IsSavedAsTextSettingsOfTheProgram) {
    sys::SettingsDouble settings;
    forms::savePlacement(settings, "Ternova", "Settings", "Main", {1200, 900, 6000, 4515});
    EXPECT_EQ(settings.getSetting("Ternova", "Settings", "MainLeft"), "1200");
    EXPECT_EQ(settings.getSetting("Ternova", "Settings", "MainTop"), "900");
    EXPECT_EQ(settings.getSetting("Ternova", "Settings", "MainWidth"), "6000");
    EXPECT_EQ(settings.getSetting("Ternova", "Settings", "MainHeight"), "4515");
}

TEST(Form, PrintsTheImageOfItsClientArea) {
    forms::TestProgram app;
    Plain* window = app.load<Plain>();
    window->setClientSizeTwips(10920, 8100);
    app.show(*window);
    ASSERT_TRUE(window->printForm());
    ASSERT_EQ(app.printer.images.size(), 1u);
    EXPECT_EQ(app.printer.images[0].size(), QSize(728, 540));
    EXPECT_EQ(app.printer.jobs, QStringList({"Observación de Calidad en Boletas VIV"}));
}

TEST(Form, MessagesCarryTheProgramsTitleUnlessGivenOne) {
    forms::TestProgram app("Dovrane");
    Plain* window = app.load<Plain>();
    app.messages.answer({forms::msg::No});
    EXPECT_EQ(window->msgBox("No existe información en la base de datos"), forms::msg::No);
    EXPECT_EQ(window->msgBox("Archivo ya capturado", 0, "Error en Archivo"), forms::msg::Ok);
    ASSERT_EQ(app.messages.shown.size(), 2u);
    EXPECT_EQ(app.messages.shown[0].title, "Dovrane");
    EXPECT_EQ(app.messages.shown[1].title, "Error en Archivo");
    window->setHourglass(true);
    window->setHourglass(false);
    window->beep();
    EXPECT_EQ(app.cursor.changes, (std::vector<bool>{true, false}));
    EXPECT_EQ(app.beeps.count, 1);
}

TEST(Program, RefusesServicesWithOneMissing) {
    forms::Services services = forms::qtServices();
    EXPECT_TRUE(services.complete());
    services.printer.reset();
    EXPECT_THROW(forms::Program("Ternova", std::move(services)), std::invalid_argument);
}

}  // namespace
