#pragma once
// An example of a window written on the forms layer, as the programs'
// windows are (README.md): the note a supervisor leaves on a ticket.
//
// FrmNota, caption "Nota de Boleta": `txtboleta` (ticket number, put in small
// letters when left), `txtnota` (the note; Enter saves), `Option1` (0)
// "&Satisfactorio" and (1) "&No satisfactorio" with `lblcalif` showing the
// choice, `cmdguardar` "&Guardar" (enabled while both boxes hold text),
// `cmdsalir` "&Salir", `sbStatusBar` with two panels.

#include <QString>

#include <vector>

#include "form.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace forms {
class StatusBar;
class TextBox;
}  // namespace forms

namespace formstest {

// What the window saves: plain data, no widget.
struct Nota {
    QString boleta;
    QString texto;
    QString calificacion;
};

class FrmNota : public forms::Form {
public:
    FrmNota(forms::Program& program, std::vector<Nota>& notas);

    // Event procedures, as the old form had them.
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void txtboleta_Change();
    void txtnota_Change();
    void txtboleta_LostFocus();
    void txtnota_KeyPress(int& keyAscii);
    void Option1_Click(int index);
    void cmdguardar_Click();
    void cmdsalir_Click();

private:
    forms::TextBox* txtboleta;
    forms::TextBox* txtnota;
    QRadioButton* Option1[2];
    QLabel* lblcalif;
    QPushButton* cmdguardar;
    QPushButton* cmdsalir;
    forms::StatusBar* sbStatusBar;

    std::vector<Nota>& notas_;
};

}  // namespace formstest
