// Every caption of every window of riruzoz shows whole at our font.

#include <gtest/gtest.h>

#include <QPushButton>

#include <cstdlib>
#include <functional>
#include <iterator>

#include "B_Avance.h"
#include "Filtra.h"
#include "Importadat.h"
#include "Module1.h"
#include "Totales.h"
#include "caption_fit.h"
#include "database/database.h"
#include "frmAbout.h"
#include "frmSplash.h"
#include "product_texts.h"
#include "prueba.h"
#include "qt_printers.h"
#include "riruzozs_database.h"
#include "temp_dir.h"
#include "test_program.h"

namespace rejections::testing {
namespace {

// A riruzozs.mdb with one stored sample, so that the grids open on data.
struct Store {
    testsupport::TempDir dir;
    Store() {
        const auto file = dir.path() / "riruzozs.mdb";
        create_riruzozs_file(file);
        db::Database database(file);
        database.execute(
            "INSERT INTO Centrales VALUES ('MEXCCO01', 'Mexico Centro', '5ESS', "
            "'Metro')");
        database.execute("INSERT INTO [Archivos Alta] VALUES ('CO80615.txt', '08/06/15')");
        database.execute(
            "INSERT INTO [Riruzozs alta] (tr, rd, numero_a, numero_b, t, hora, fecha, "
            "duracion, clli, irs, ire, err, lr, cs, pa, carrier, cf_ni, x_subscriber, "
            "red_inteligente, id_trafico, trcd, trsd, collection, f_recoleccion, fech_arch, "
            "archivo) VALUES ('1', '16', '5512345678', '5550001', 'T', '10:45:00', '08/06/15', "
            "'00:01:30', 'MEXCCO01', '101', '202', 'E7', 'LR1', 'CS2', '01', 'TEL', 'N', 'X', "
            "'RI', 'ID9', 1, 0, 1, '08/06/15 10:45', '08/06/15', 'CO80615.txt')");
        setenv("PROGRAM_FOLDER", dir.path().c_str(), 1);
    }
    ~Store() {
        cierra_base();
        unsetenv("PROGRAM_FOLDER");
    }
};

using App = forms::TestProgram;
using Opens = std::function<forms::Form*(App&)>;

// The main window, then the button that opens the window wanted.
template <class T>
forms::Form* through(App& a, const char* button) {
    a.show<Importadat>(forms::Modeless)->findChild<QPushButton*>(button)->click();
    return a.find<T>();
}

// Every window of the program, one line each: a new window adds its line.
// clang-format off
const Opens kWindows[] = {
    [](App& a) { return a.show<Importadat>(forms::Modeless); },
    [](App& a) { return through<Filtra>(a, "Command2"); },
    [](App& a) { through<Filtra>(a, "Command2")->findChild<QPushButton*>("Datos")->click(); return a.find<prueba>(); },
    [](App& a) { return through<Totales>(a, "Command4"); },
    [](App& a) { auto* w = a.show<B_Avance>(forms::Modeless); w->avance(4, 4, " 100% de avance"); return w; },
    [](App& a) { return a.show<shell::frmAbout>(forms::Modeless, shell::dovraneTexts()); },
    [](App& a) { return a.show<shell::frmSplash>(forms::Modeless, shell::dovraneTexts(), [] {}); },
};
// clang-format on

TEST(Captions, EveryCaptionOfEveryWindowFits) {
    for (std::size_t i = 0; i < std::size(kWindows); ++i) {
        Store store;
        App app{"riruzoz"};
        forms::Form* window = kWindows[i](app);
        ASSERT_NE(window, nullptr) << "window " << i << " of the list";
        EXPECT_EQ(forms::captionsCut(*window), QStringList());
    }
}

}  // namespace
}  // namespace rejections::testing
