#pragma once
// The technicians' windows, on table TECNICOS:
//
// FrmTecnico, caption "Nuevo Técnico": adds a technician, the initials in
// small letters and the name in capitals, with the `Id` of the UBICACION
// row chosen in the combo. `txtiniciales` "Iniciales:" (3 characters),
// `txtnombre` "Nombre del Técnico:", `cmbubic` "Ubicación del Técnico:"
// (listing UBICACION through the hidden `Data1`), `cmdbut4` "&Agregar"
// (enabled while both boxes hold text), `cmdbut3` "&Cancelar".
//
// FrmTecnicoModi, caption "Modificar Técnico": browses TECNICOS with the
// data control `Data1` and saves the shown technician's name and location.
// `txtiniciales` (locked) and `txtnombre` bound to "Iniciales" and
// "Nombre"; `FameNivel` "Ubicación del Técnico:" with `Option1` (0) "&CAR"
// (code "0") and (1) "&Centros de Mantenimiento" (code "1"); `cmdbut4`
// "&Actualizar" (enabled while both boxes hold text), `cmdbut3` "&Cancelar".

#include <array>

#include "MdlTtlQuality.h"
#include "form.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace forms {
class DataCombo;
class DataControl;
class TextBox;
}  // namespace forms

namespace quality {

class FrmTecnico : public forms::Form {
public:
    FrmTecnico(forms::Program& program, MdlTtlQuality& state);

    void Form_Load() override;
    void txtiniciales_Change();
    void cmdbut4_Click();
    void cmdbut3_Click();

private:
    MdlTtlQuality& state_;

    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label1;
    forms::TextBox* txtiniciales;
    forms::TextBox* txtnombre;
    forms::DataCombo* cmbubic;
    forms::DataControl* Data1;
    QPushButton* cmdbut4;
    QPushButton* cmdbut3;
};

class FrmTecnicoModi : public forms::Form {
public:
    FrmTecnicoModi(forms::Program& program, MdlTtlQuality& state);

    void Form_Load() override;
    void Data1_Reposition();
    void txtiniciales_Change();
    void cmdbut4_Click();
    void cmdbut3_Click();

private:
    void muestraRegistro();

    QLabel* Label5;
    QLabel* Label6;
    forms::DataControl* Data1;
    forms::TextBox* txtiniciales;
    forms::TextBox* txtnombre;
    QGroupBox* FameNivel;
    std::array<QRadioButton*, 2> Option1{};
    QPushButton* cmdbut4;
    QPushButton* cmdbut3;
};

}  // namespace quality
