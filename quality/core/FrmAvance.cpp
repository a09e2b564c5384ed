#include "FrmAvance.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <climits>

#include "controls.h"
#include "long_job.h"
#include "program.h"

namespace quality {

namespace {

QLabel* etiquetaFija(const QString& nombre, const QString& texto, QWidget* parent, int left,
                     int top, int width) {
    auto* label = forms::control<QLabel>(nombre, parent);
    label->setText(texto);
    forms::placeTwips(label, left, top, width, 255);
    return label;
}

// A progress bar holds int values: a report longer than that fills the bar early.
int enRango(long valor) {
    return static_cast<int>(std::clamp<long>(valor, 0, INT_MAX));
}

}  // namespace

FrmAvance::FrmAvance(forms::Program& program) : Form(program, "FrmAvance") {
    setWindowTitle("Porcentaje de Avance");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(5400, 2520);

    // The reading of the report:
    lblarch = etiquetaFija("lblarch", "Generando archivos semanales", client(), 240, 120, 4920);
    Barrita = forms::control<QProgressBar>("Barrita", client());
    Barrita->setTextVisible(false);
    Barrita->setRange(0, 0);
    forms::placeTwips(Barrita, 240, 420, 4920, 255);
    // "Completado en un " is wider at our font: the figure moves right with it.
    etiquetaFija("Label1", "Completado en un ", client(), 240, 780, 1800);
    lblporc = etiquetaFija("lblporc", "0.00", client(), 2040, 780, 600);
    etiquetaFija("Label2", "%", client(), 2640, 780, 300);

    // The random sample:
    lblbole = etiquetaFija("lblbole", "Generando boletas aleatorias", client(), 240, 1260, 4920);
    Barrita2 = forms::control<QProgressBar>("Barrita2", client());
    Barrita2->setTextVisible(false);
    Barrita2->setRange(0, 0);
    forms::placeTwips(Barrita2, 240, 1560, 4920, 255);
    etiquetaFija("Label4", "Completado en un ", client(), 240, 1920, 1800);
    lblporc1 = etiquetaFija("lblporc1", "0.00", client(), 2040, 1920, 600);
    etiquetaFija("Label5", "%", client(), 2640, 1920, 300);
}

// The run moves a bar for every ticket; a bar takes a new value only when
// it would be drawn differently (QProgressBar measures its style on every
// value it is given, which costs more than reading the ticket).
void FrmAvance::barra(Barra barra, long valor, long maximo) {
    QProgressBar* control = barra == Barra::Barrita ? Barrita : Barrita2;
    const int nuevo = enRango(valor);
    const int tope = enRango(maximo);
    if (control->maximum() != tope)
        control->setRange(0, tope);
    const int actual = control->value();
    if (actual == nuevo)
        return;
    auto columna = [&](int v) {
        return tope > 0 ? static_cast<long long>(v) * control->width() / tope : 0;
    };
    if (nuevo == 0 || nuevo == tope || actual < 0 || columna(nuevo) != columna(actual))
        control->setValue(nuevo);
    forms::refresh(control);
}

void FrmAvance::etiqueta(Etiqueta etiqueta, const QString& texto) {
    QLabel* control = etiqueta == Etiqueta::lblarch   ? lblarch
                      : etiqueta == Etiqueta::lblporc ? lblporc
                      : etiqueta == Etiqueta::lblbole ? lblbole
                                                      : lblporc1;
    // The reader sets the percentage for every ticket: paint only a change.
    if (control->text() == texto)
        return;
    control->setText(texto);
    forms::refresh(control);
}

FrmAvance* AvanceEnVentana::ventana() const {
    return program_.find<FrmAvance>();
}

void AvanceEnVentana::mostrar() {
    program_.show<FrmAvance>(forms::Modeless);
    for (std::string& texto : textos_)
        texto.clear();
}

void AvanceEnVentana::descargar() {
    if (FrmAvance* frm = ventana())
        program_.unload(*frm);
}

void AvanceEnVentana::barra(Barra barra, long valor, long maximo) {
    if (FrmAvance* frm = ventana())
        frm->barra(barra, valor, maximo);
}

void AvanceEnVentana::etiqueta(Etiqueta etiqueta, const std::string& texto) {
    // The reader gives the percentage for every ticket: only a change goes on.
    std::string& anterior = textos_[static_cast<int>(etiqueta)];
    if (anterior == texto)
        return;
    anterior = texto;
    if (FrmAvance* frm = ventana())
        frm->etiqueta(etiqueta, QString::fromStdString(texto));
}

}  // namespace quality
