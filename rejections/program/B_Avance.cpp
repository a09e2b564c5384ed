#include "B_Avance.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "controls.h"
#include "long_job.h"
#include "placement.h"
#include "program.h"

namespace rejections {

namespace {

// A progress bar holds int values: a longer report fills the bar early.
int enRango(long valor) {
    return static_cast<int>(std::clamp<long>(valor, 0, INT_MAX));
}

}  // namespace

B_Avance::B_Avance(forms::Program& program) : Form(program, "B_Avance") {
    setWindowTitle("Exportando Reporte a MS Excel");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(4815, 1335);

    // The bar and its percentage:
    ProgressBar1 = forms::control<QProgressBar>("ProgressBar1", client());
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 0);
    forms::placeTwips(ProgressBar1, 240, 240, 4335, 375);
    Label1 = forms::control<QLabel>("Label1", client());
    Label1->setAlignment(Qt::AlignCenter);
    forms::placeTwips(Label1, 240, 780, 4335, 255);
}

// A report calls this for every record: the bar moves by a thousandth of its
// length at least, which is finer than it can draw, and reaches its end.
void B_Avance::avance(long valor, long maximo, const QString& etiqueta) {
    const int nuevo = enRango(valor);
    if (ProgressBar1->maximum() != enRango(maximo)) {
        ProgressBar1->setRange(0, enRango(maximo));
        paso_ = std::max(1, ProgressBar1->maximum() / 1000);
        ProgressBar1->setValue(nuevo);
    }
    const int actual = ProgressBar1->value();
    if (nuevo != actual &&
        (std::abs(nuevo - actual) >= paso_ || nuevo == ProgressBar1->maximum())) {
        ProgressBar1->setValue(nuevo);
        forms::refresh(ProgressBar1);
    }
    if (Label1->text() != etiqueta) {
        Label1->setText(etiqueta);
        forms::refresh(Label1);
    }
}

// Set before it shows, so that a window kept from an earlier report does not
// show that one's end.
void AvanceEnB_Avance::muestra(long total) {
    etiqueta_ = "0% de avance";
    texto_ = QString::fromStdString(etiqueta_);
    ventana_ = program_.load<B_Avance>();
    if (!ventana_)
        return;
    ventana_->avance(0, total, texto_);
    program_.show(*ventana_, forms::Modeless);
}

void AvanceEnB_Avance::avance(long valor, long maximo, const std::string& etiqueta) {
    if (!ventana_)
        return;
    if (etiqueta != etiqueta_) {
        etiqueta_ = etiqueta;
        texto_ = QString::fromStdString(etiqueta);
    }
    ventana_->avance(valor, maximo, texto_);
}

void AvanceEnB_Avance::oculta() {
    if (ventana_)
        ventana_->hide();
    ventana_ = nullptr;
}

}  // namespace rejections
