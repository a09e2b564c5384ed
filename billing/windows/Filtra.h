#pragma once
// Filtra, "Filtros": narrows the stored billing records by the leading
// characters of thirteen of their fields. Each box has a hidden label that
// mirrors its text (the duration box's completed to hh:mm:ss); the grid
// window prueba builds its statement from the labels. "Ver &datos" shows
// prueba and hides this window; "C&errar" unloads it, and its unload shows
// the main window again.
//
// Boxes in tab order, each with its caption beside it and its hidden label:
// `cs1` `cs`, `na1` `na`, `cc1` `cc`, `nb1` `nb`, `rd1` `rd`, `fi1` `fi`,
// `hi1` `hi`, `df1` `df`, `di1` `di`, `rs1` `rs`, `re1` `re`, `irs1` `irs`,
// `ire1` `ire`. Buttons `Command1` "L&impia Filtros", `Cierra` "C&errar",
// `Datos` "Ver &datos".

#include <array>

#include "filtro_registros.h"
#include "form.h"

class QLabel;
class QPushButton;

namespace forms {
class TextBox;
}

namespace billing {

struct Module1;

class Filtra : public forms::Form {
public:
    // `modulo` holds the program-wide database; it outlives the window.
    Filtra(forms::Program& program, Module1& modulo);

    // Event procedures, as the old form had them.
    void Form_Unload(bool& cancel) override;
    // The change of a box (by its place in the tab order): its label follows.
    void filtro_Change(int indice);
    void Command1_Click();
    void Cierra_Click();
    void Datos_Click();

    // The hidden labels' texts, in the boxes' order.
    FiltroRegistros filtros() const;

private:
    std::array<forms::TextBox*, kFiltros> cajas_{};
    std::array<QLabel*, kFiltros> etiquetas_{};
    QPushButton* Command1;
    QPushButton* Cierra;
    QPushButton* Datos;

    Module1& modulo_;
};

}  // namespace billing
