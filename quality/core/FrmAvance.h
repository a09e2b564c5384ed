#pragma once
// FrmAvance, caption "Porcentaje de Avance": the progress of the weekly run.
// The upper bar `Barrita` follows the reading of the report, with `lblporc`
// its percentage between "Completado en un " and "%"; the lower bar
// `Barrita2` follows the sampling, with `lblporc1`. `lblarch` and `lblbole`
// say which of the two is running or done. The window has no code of its
// own: the run moves its controls (AvanceEnVentana).

#include <string>

#include "Avance.h"
#include "form.h"

class QLabel;
class QProgressBar;

namespace quality {

class FrmAvance : public forms::Form {
public:
    explicit FrmAvance(forms::Program& program);

    // What the run sets; each change is refreshed (drawn at once, or within
    // 50 ms during the run).
    void barra(Barra barra, long valor, long maximo);
    void etiqueta(Etiqueta etiqueta, const QString& texto);

private:
    QLabel* lblarch;
    QProgressBar* Barrita;
    QLabel* lblporc;
    QLabel* lblbole;
    QProgressBar* Barrita2;
    QLabel* lblporc1;
};

// The progress window as the run sees it: shown modeless by mostrar(),
// unloaded by descargar().
class AvanceEnVentana : public Avance {
public:
    explicit AvanceEnVentana(forms::Program& program) : program_(program) {}

    void mostrar() override;
    void descargar() override;
    void barra(Barra barra, long valor, long maximo) override;
    void etiqueta(Etiqueta etiqueta, const std::string& texto) override;

private:
    FrmAvance* ventana() const;  // null when it is not loaded
    forms::Program& program_;
    std::string textos_[4];  // the last text given to each label since mostrar()
};

}  // namespace quality
