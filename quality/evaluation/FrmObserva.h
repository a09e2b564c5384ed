#pragma once
// FrmObserva, caption "Observación de Calidad en Boletas VIV": a supervisor
// rates the sampled tickets of one technician and month, one ticket per
// week column "1" to "4", each on five criteria shown as pictures (not
// rated, satisfactory, unsatisfactory). Choosing the technician, month or
// year loads the weeks already saved, locked; "&Colocar Boleta" puts the
// ticket chosen in the ticket browser into the next free column.
//
// The criteria 2, 3 and 5 are rated by clicks, 1 and 4 computed from the
// acknowledgement that the supervisor enters (and overturned through
// FrmCambioArticulo); "&Actualizar Registros" saves the complete weeks and
// locks them, "Imprimir" prints the window with the technician's name.
//
// The rules live beside the window, apart from any widget: the columns in
// ColumnasObserva.h, the reading of the database in ObservaDatos.h, the
// clicks and counters in CalificaArticulos.h, the acknowledgement checks in
// ValidaReconocimiento.h, the time criteria in CalificaTiempos.h and the
// save in GuardaEvaluacion.h. The window holds its named controls and the
// event procedures that apply them.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

#include "CalificaArticulos.h"
#include "CalificaTiempos.h"
#include "ColumnasObserva.h"
#include "MdlTtlQuality.h"
#include "form.h"
#include "rating_image.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace forms {
class DataCombo;
class DataControl;
class MaskedBox;
class MultiLineTextBox;
class TextBox;
class UpDown;
}  // namespace forms

namespace quality {

class FrmObserva : public forms::Form {
public:
    FrmObserva(forms::Program& program, MdlTtlQuality& state);

    // Event procedures. `semana` is the week column 1..4, `articulo` the
    // criterion 1..5.
    void Form_Load() override;
    void Form_Activate() override;
    void cmbmes_Click();
    void cmbtecnicos_Change();
    void txtaño_Change();
    void txtaño_LostFocus();
    void cmdcoloca_Click();
    void txtboleta_Change(int semana);
    void txtboleta_KeyPress(int semana, int& keyAscii);
    void txtboleta_LostFocus(int semana);
    void txtcreada_Change(int semana);
    void txtsat_Change(int semana);
    void txtinsat_Change(int semana);
    void txttotal_Change();
    void Image_Click(int semana, int articulo);
    void txtrecfe_GotFocus(int semana);
    void txtrecho_GotFocus(int semana);
    void flechitas_GotFocus(int semana);
    void flechitas_DownClick(int semana);
    void flechitas_UpClick(int semana);
    void txtrecfe_LostFocus(int semana);
    void txtrecho_LostFocus(int semana);
    void cmdActualiza_Click();
    void cmdImprime_Click();
    void cmdconfig_Click();
    void cmdsalir_Click();

    // The week's counters after `imagen` took a new rating, by codigocuenta.
    void cuenta_articulos(forms::Image* imagen, forms::TextBox* sat, forms::TextBox* insat);

private:
    // One week column's controls.
    struct Columna {
        forms::TextBox* txtboleta;
        forms::MultiLineTextBox* txtcreada;
        forms::MaskedBox* txtrecfe;
        forms::MaskedBox* txtrecho;
        forms::UpDown* flechitas;
        forms::MultiLineTextBox* txtres;
        forms::TextBox* txtprio;
        std::array<forms::Image*, 5> imagenes;
        forms::TextBox* txtsat;
        forms::TextBox* txtinsat;
    };

    void creaColumna(int semana);
    Columna& columna(int semana) { return columnas_[semana - 1]; }

    // The procedures of the window.
    void imagenesblancas(int semana, bool todos);
    void llenaimagen(std::optional<Valorimagen> valorimagen, forms::Image* imagen);
    void disableobjects(int semana);
    void buscaregistros();
    void llenacolumna(int semana, const TextosColumna& textos);
    void obtenmes();
    void traefechas(int semana);

    // A column's boxes and ratings emptied, the comments kept; the ticket
    // box too unless `tambienLaBoleta` is false.
    void vaciaColumna(int semana, bool tambienLaBoleta = true);
    // The rating an image shows (kSinCalificacion: none of the three pictures).
    Valorimagen obtenimagen(const forms::Image* imagen) const;
    void califica(forms::Image* imagen, Valorimagen valorimagen);
    // The week's counters set from the ratings its images show.
    void recuenta(int semana);
    // What a week's boxes and images show.
    TextosColumna textos(int semana) const;
    CalificacionesSemana calificaciones(int semana) const;
    // The acknowledgement as the week's boxes show it: date & " " & time.
    QString reconocimiento(int semana) const;
    // The arrows' step of the box `campoactivo` names.
    void paso(int semana, bool adelante);
    bool validatmporec(int semana);
    void calificatiempos(int semana);
    // Criteria 1 and 4 as a time rating gave them, with the week's counts.
    void muestraTiempos(int semana, Valorimagen articulo1, Valorimagen articulo4,
                        const Cuentas& cuentas);
    Limites limites() const;
    BoletasDeLasSemanas boletas() const;
    void totales(Contador cambiado);
    // A failing database operation: what failed and why, the window stays usable.
    void avisaFallo(const QString& que, const std::exception& error);

    MdlTtlQuality& state_;

    // Form-level state.
    int codigocuenta = 0;
    int campoactivo = 0;
    std::array<std::uint8_t, 4> respuesta{};
    std::array<MemoriaColumna, 4> memoria_{};
    // Set while a refused ticket empties its box: the comments stay.
    bool rechazando_ = false;

    QLabel* lblencabezado;
    forms::DataControl* Data3;
    forms::DataCombo* cmbtecnicos;
    forms::TextBox* txttecnico;
    forms::TextBox* txtaño;
    forms::TextBox* txtsuper;
    QComboBox* cmbmes;
    forms::Image* bien;
    forms::Image* mal;
    forms::Image* blanco;
    forms::Image* Imagen;
    std::array<Columna, 4> columnas_{};
    forms::TextBox* txtsattotal;
    forms::TextBox* txtinsattotal;
    forms::TextBox* txttotal;
    forms::MultiLineTextBox* txtcomen;
    QPushButton* cmdActualiza;
    QPushButton* cmdImprime;
    QPushButton* cmdconfig;
    QPushButton* cmdsalir;
    QPushButton* cmdcoloca;
};

}  // namespace quality
