// The grid window through the services, on a factura.mdb holding records
// stored by the importer: the record counter, the grid's size and the
// workbook report read back from disk with its messages.

#include "prueba.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include <filesystem>
#include <string>

#include "Filtra.h"
#include "data_control.h"
#include "data_grid.h"
#include "placement.h"
#include "qt_printers.h"
#include "reporte_registros.h"
#include "runtime/clock.h"
#include "runtime/date_serial.h"
#include "text_box.h"
#include "workbook_reader.h"
#include "zovavidevir_fixture.h"

namespace {

using billing::Filtra;
using billing::prueba;

class GridWindow : public billingtest::ZovavidevirWindows {
protected:
    // The grid on the filters typed into the given boxes.
    prueba* openGrid(std::initializer_list<std::pair<const char*, const char*>> typed = {}) {
        click(main, "Command2");
        Filtra* filtra = app.find<Filtra>();
        if (!filtra)
            return nullptr;
        for (const auto& [box, text] : typed)
            child<forms::TextBox>(filtra, box)->setText(text);
        click(filtra, "Datos");
        return app.find<prueba>();
    }
    std::filesystem::path reportFile() const {
        return folder.dir.path() / billing::kArchivoReporte;
    }
};

TEST_F(GridWindow, TheCounterFollowsTheCurrentRecord) {
    prueba* grid = openGrid();
    ASSERT_NE(grid, nullptr);
    auto* data = child<forms::DataControl>(grid, "Data1");
    EXPECT_EQ(data->caption(), "Registro: 1 de: 4");
    data->recordset().moveLast();
    EXPECT_EQ(data->caption(), "Registro: 4 de: 4");
    data->recordset().moveNext();  // past the last: no current record
    EXPECT_EQ(data->caption(), "Registro: 0 de: 4");
    data->recordset().moveTo(1);
    EXPECT_EQ(data->caption(), "Registro: 2 de: 4");
    EXPECT_FALSE(app.cursor.waiting);  // each move puts the default pointer back
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_EQ(child<QPushButton>(grid, "Reporte")->text(), "&Reporte");
    EXPECT_EQ(child<QPushButton>(grid, "Filtros")->text(), "Ver &filtros");
}

TEST_F(GridWindow, TheGridTakesTheHeightTheStripAndTheDataControlLeave) {
    prueba* grid = openGrid({{"cs1", "01"}});
    ASSERT_NE(grid, nullptr);
    for (int height : {6600, 9000, 3000}) {
        grid->setClientSizeTwips(11400, height);
        auto* table = child<forms::DataGrid>(grid, "DBGrid1");
        auto* data = child<forms::DataControl>(grid, "Data1");
        auto* strip = child<QWidget>(grid, "PicBox");
        const int expected = grid->clientHeightTwips() - forms::toTwips(data->height()) -
                             forms::toTwips(strip->height()) - 5;
        EXPECT_NEAR(forms::toTwips(table->height()), expected, 15) << height;
        EXPECT_LE(table->geometry().bottom(), data->geometry().top()) << height;
        EXPECT_EQ(table->width(), grid->client()->width()) << height;
    }
}

TEST_F(GridWindow, TheReportHoldsEveryStoredRecordWhateverTheFilter) {
    runtime::FixedClock clock(runtime::date_serial(2026, 12, 9) + 0.5);
    runtime::ScopedClock fixed(clock);
    prueba* grid = openGrid({{"cs1", "02"}});
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(gridSequences(grid), "3");
    for (int report = 0; report < 2; ++report) {  // the second replaces the first
        click(grid, "Reporte");
        ASSERT_EQ(app.messages.shown.size(), report + 1u);
        EXPECT_EQ(app.messages.shown.back().text,
                  "El archivo de reporte es: " + QString::fromStdString(reportFile().string()));
        EXPECT_EQ(app.messages.shown.back().title, "Fin de Reporte");
        EXPECT_EQ(app.messages.shown.back().style, forms::msg::OkOnly);
        clock.set(clock.now() + 1);
    }
    EXPECT_FALSE(app.cursor.waiting);

    workbook_test::WorkbookRead read(reportFile());
    EXPECT_EQ(read.sheetNames(), std::vector<std::string>{"Registros Facturación2026.12.10"});
    EXPECT_EQ(read.dimension(), "A1:AL5");
    auto cells = read.cells();
    EXPECT_EQ(cells["A1"].value, "Tipo de servicio");
    EXPECT_EQ(cells["C1"].value, "Causa de salida");
    EXPECT_EQ(cells["AL1"].value, "Servicio de Red Inteligente");
    EXPECT_TRUE(read.style(cells["A1"].style).bold);
    std::string sequences;
    for (const char* cell : {"F2", "F3", "F4", "F5"})
        sequences += cells[cell].value;
    EXPECT_EQ(sequences, "1234");
    EXPECT_EQ(cells["C4"].value, "02");
    EXPECT_TRUE(grid->isVisible());  // the grid stays as it was
}

// A report that can't be saved says why and announces no file.
TEST_F(GridWindow, AReportThatCantBeSavedShowsTheErrorAlone) {
    std::filesystem::create_directory(reportFile());
    prueba* grid = openGrid();
    ASSERT_NE(grid, nullptr);
    click(grid, "Reporte");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_TRUE(app.messages.shown[0].text.startsWith("Error: 1004 "))
        << app.messages.shown[0].text.toStdString();
    EXPECT_TRUE(app.messages.shown[0].text.contains(billing::kArchivoReporte))
        << app.messages.shown[0].text.toStdString();
    EXPECT_EQ(app.messages.shown[0].title, "Zovavidevir");
    EXPECT_FALSE(app.cursor.waiting);
}

// A grid whose query can't run (the file gone) tells the engine's words and
// hands back to the filters.
TEST_F(GridWindow, AGridThatCantOpenItsRecordsGoesBackToTheFilters) {
    std::filesystem::rename(folder.dir.path() / "factura.mdb", folder.dir.path() / "otro.mdb");
    EXPECT_EQ(openGrid(), nullptr);
    ASSERT_FALSE(app.messages.shown.empty());
    EXPECT_TRUE(app.messages.shown[0].text.startsWith("Error: 3000 "))
        << app.messages.shown[0].text.toStdString();
    ASSERT_NE(app.find<Filtra>(), nullptr);
    EXPECT_TRUE(app.find<Filtra>()->isVisible());
}

}  // namespace
