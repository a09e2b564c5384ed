// Every caption of every window of Zovavidevir shows whole at our font.

#include <gtest/gtest.h>

#include <QPushButton>

#include <functional>
#include <iterator>

#include "Filtra.h"
#include "caption_fit.h"
#include "frmAbout.h"
#include "frmSplash.h"
#include "product_texts.h"
#include "prueba.h"
#include "qt_printers.h"
#include "zovavidevir_fixture.h"

namespace {

using App = forms::TestProgram;
using billing::Importadat;
using Opens = std::function<forms::Form*(App&, Importadat&)>;

// The main window's button that opens the window wanted.
template <class T>
forms::Form* through(App& a, forms::Form& from, const char* button) {
    from.findChild<QPushButton*>(button)->click();
    return a.find<T>();
}

// Every window of the program, one line each: a new window adds its line.
// clang-format off
const Opens kWindows[] = {
    [](App&, Importadat& main) { return &main; },
    [](App& a, Importadat& main) { return through<billing::Filtra>(a, main, "Command2"); },
    [](App& a, Importadat& main) { return through<billing::prueba>(a, *through<billing::Filtra>(a, main, "Command2"), "Datos"); },
    [](App& a, Importadat&) { return a.show<shell::frmAbout>(forms::Modeless, shell::salvientTexts()); },
    [](App& a, Importadat&) { return a.show<shell::frmSplash>(forms::Modeless, shell::salvientTexts(), [] {}); },
};
// clang-format on

TEST(Captions, EveryCaptionOfEveryWindowFits) {
    for (std::size_t i = 0; i < std::size(kWindows); ++i) {
        billingtest::ProgramFolder folder;
        App app{"Zovavidevir"};
        billing::Module1 modulo;
        auto* main = app.show<Importadat>(forms::Modeless, modulo);
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(
            billingtest::storeRecords(modulo.base_datos, folder.dir, billingtest::filterRecords()),
            4);
        forms::Form* window = kWindows[i](app, *main);
        ASSERT_NE(window, nullptr) << "window " << i << " of the list";
        EXPECT_EQ(forms::captionsCut(*window), QStringList());
    }
}

}  // namespace
