#pragma once
// FrmPrioridades, caption "Prioridades": the six time limits, in minutes,
// within which a ticket must be acknowledged and resolved, by priority. The
// user picks one of three preset levels and saves its six values into the
// six rows of Prioridades in `num` order; the program reads the limits only
// when it starts.
//
// `Text1` (0..5), locked: acknowledgement then resolution, each critical,
// major, minor. `Option1` (0..2) "Nivel 1", "Nivel 2", "Nivel 3" under
// "Seleccione el nivel:"; `cmdaceptar` "&Aceptar" (enabled by any change of
// the boxes after loading), `cmdsalir` "&Salir".

#include <array>

#include "MdlTtlQuality.h"
#include "form.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace forms {
class TextBox;
}

namespace quality {

// The preset levels' limits in minutes, in the boxes' order.
inline constexpr std::array<std::array<int, 6>, 3> kNiveles = {{
    {15, 30, 60, 120, 360, 720},
    {30, 60, 120, 240, 720, 1440},
    {45, 90, 180, 360, 1080, 2160},
}};

class FrmPrioridades : public forms::Form {
public:
    FrmPrioridades(forms::Program& program, MdlTtlQuality& state);

    void Form_Load() override;
    void Option1_Click(int index);
    void Text1_Change(int index);
    void cmdaceptar_Click();
    void cmdsalir_Click();

private:
    MdlTtlQuality& state_;

    std::array<forms::TextBox*, 6> Text1{};
    std::array<QRadioButton*, 3> Option1{};
    QPushButton* cmdaceptar;
    QPushButton* cmdsalir;
};

}  // namespace quality
