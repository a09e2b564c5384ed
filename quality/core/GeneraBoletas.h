#pragma once
// The main window's "Generar Boletas" (cmdgenerar_Click): the report is
// chosen through the file dialog, then the weekly run writes the week's data
// and workbooks while FrmAvance shows its progress. The main window calls it
// in one line:
//
//     void frmMain::cmdgenerar_Click() {
//         quality::generaBoletas(*this, state_, [this](const QString& t) { panel(1, t); });
//     }

#include <QString>

#include <functional>

#include "MdlTtlQuality.h"

namespace forms {
class Form;
}

namespace quality {

class Aleatorio;

// Returns generado: true when the week was generated (the user was told so).
// `panel` shows what the run is doing in the main window's status bar (may be
// empty). `aleatorio`, for tests, replaces the generator seeded from the clock.
bool generaBoletas(forms::Form& principal, MdlTtlQuality& estado,
                   const std::function<void(const QString&)>& panel = {},
                   Aleatorio* aleatorio = nullptr);

}  // namespace quality
