#include "CalificaArticulos.h"

#include "ValidaReconocimiento.h"
#include "runtime/conversions.h"
#include "runtime/format.h"

namespace quality {

bool se_puede_calificar(std::string_view boleta, std::string_view creada, std::string_view resuelta,
                        std::string_view prioridad, std::string_view fecharec,
                        std::string_view horarec) {
    return !boleta.empty() && !creada.empty() && !resuelta.empty() && !prioridad.empty() &&
           fecharec != kFechaVacia && horarec != kHoraVacia;
}

bool se_puede_calificar(const TextosColumna& semana) {
    return se_puede_calificar(semana.boleta, semana.creada, semana.resuelta, semana.prioridad,
                              semana.recFecha, semana.recHora);
}

std::optional<CambioDeCalificacion> clic_manual(Valorimagen antes) {
    switch (antes) {
        case kBlanco:
            return CambioDeCalificacion{kBien, kSinCalificarAntes};
        case kBien:
            return CambioDeCalificacion{kMal, kCambioEntreCalificaciones};
        case kMal:
            return CambioDeCalificacion{kBlanco, kDeMalABlanco};
        default:
            return std::nullopt;
    }
}

bool abre_cambio(Valorimagen antes) {
    return antes == kMal;
}

std::string linea_de_cambio(int criterio, std::string_view boleta) {
    return std::to_string(criterio) + ") Boleta " + std::string(boleta);
}

std::optional<CambioDeCalificacion> cambio_elegido(EleccionCambio eleccion) {
    switch (eleccion) {
        case EleccionCambio::Satisfactorio:
            return CambioDeCalificacion{kBien, kCambioEntreCalificaciones};
        case EleccionCambio::NoCalificacion:
            return CambioDeCalificacion{kBlanco, kDeMalABlanco};
        case EleccionCambio::Cancelada:
            break;
    }
    return std::nullopt;
}

namespace {

// The count boxes as cuenta_articulos changes them, keeping every write.
class Contadores {
public:
    Contadores(std::string_view sat, std::string_view insat)
        : sat_(runtime::val(sat)), insat_(runtime::val(insat)) {}

    void suma(Contador cual) { escribe(cual, valor(cual) + 1); }
    // A count taken below 0 is written as it came out, then as "0".
    void resta(Contador cual) {
        escribe(cual, valor(cual) - 1);
        if (valor(cual) < 0)
            escribe(cual, 0);
    }
    std::vector<Escritura> escrituras() && { return std::move(escrituras_); }

private:
    double& valor(Contador cual) { return cual == Contador::Sat ? sat_ : insat_; }
    void escribe(Contador cual, double nuevo) {
        valor(cual) = nuevo;
        escrituras_.push_back({cual, runtime::number_to_text(nuevo)});
    }

    double sat_;
    double insat_;
    std::vector<Escritura> escrituras_;
};

}  // namespace

std::vector<Escritura> cuenta_articulos(Valorimagen nueva, int codigocuenta, std::string_view sat,
                                        std::string_view insat) {
    Contadores cuentas(sat, insat);
    const bool desde_otra = codigocuenta == kCambioEntreCalificaciones;
    const bool desde_mal = codigocuenta == kDeMalABlanco;
    switch (nueva) {
        case kBien:
            cuentas.suma(Contador::Sat);
            if (desde_otra || desde_mal)
                cuentas.resta(Contador::Insat);
            break;
        case kMal:
            cuentas.suma(Contador::Insat);
            if (desde_otra)
                cuentas.resta(Contador::Sat);
            break;
        case kBlanco:
            if (desde_otra) {
                cuentas.resta(Contador::Insat);
                cuentas.suma(Contador::Sat);
            } else if (desde_mal) {
                cuentas.resta(Contador::Insat);
            }
            break;
        default:
            break;
    }
    return std::move(cuentas).escrituras();
}

Cuentas cuentas_de(const CalificacionesSemana& calificaciones) {
    Cuentas cuentas;
    for (Valorimagen valor : calificaciones) {
        cuentas.sat += valor == kBien;
        cuentas.insat += valor == kMal;
    }
    return cuentas;
}

TotalesDelMes totales_del_mes(const std::array<std::string, 4>& sat,
                              const std::array<std::string, 4>& insat, Contador cambiado) {
    double s = 0;
    double u = 0;
    for (std::size_t semana = 0; semana < 4; ++semana) {
        s += runtime::val(sat[semana]);
        u += runtime::val(insat[semana]);
    }
    TotalesDelMes totales{runtime::number_to_text(s), runtime::number_to_text(u), std::nullopt};
    if (s + u != 0)
        totales.total = runtime::number_to_text(s / (s + u));
    else if (cambiado == Contador::Sat)
        totales.total = "0";
    return totales;
}

std::string porcentaje(std::string_view total) {
    return runtime::format(runtime::Value(total), "##.0%");
}

}  // namespace quality
