#pragma once
// What the weekly run shows in the progress window FrmAvance: the upper bar
// `Barrita` (the report read so far) with its percentage `lblporc`, the lower
// bar `Barrita2` (the sampling) with `lblporc1`, and the two captions
// `lblarch` and `lblbole`. The run drives it through this interface; the
// window implements it, and tests record every value.

#include <string>

namespace quality {

enum class Barra { Barrita, Barrita2 };
enum class Etiqueta { lblarch, lblporc, lblbole, lblporc1 };

class Avance {
public:
    virtual ~Avance() = default;

    // The window is shown modeless at the start of the run and unloaded at its end.
    virtual void mostrar() = 0;
    virtual void descargar() = 0;

    // A bar's value and maximum (its minimum is 0), repainted at once.
    virtual void barra(Barra barra, long valor, long maximo) = 0;
    // A label's text, repainted at once.
    virtual void etiqueta(Etiqueta etiqueta, const std::string& texto) = 0;
};

// A window that shows nothing (for runs without a screen, such as the benchmark).
class SinAvance : public Avance {
public:
    void mostrar() override {}
    void descargar() override {}
    void barra(Barra, long, long) override {}
    void etiqueta(Etiqueta, const std::string&) override {}
};

}  // namespace quality
