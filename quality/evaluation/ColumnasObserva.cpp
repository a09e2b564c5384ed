#include "ColumnasObserva.h"

#include "MdlTtlQuality.h"
#include "runtime/conversions.h"
#include "runtime/format.h"
#include "runtime/strings.h"

namespace quality {

namespace {

std::string formatea(const std::string& texto, const char* patron) {
    return runtime::format(runtime::Value(texto), patron);
}

std::string formatea(const runtime::Value& valor, const char* patron) {
    return runtime::format(valor, patron);
}

// A day-first moment's date alone, read through "dd/mm/yy".
runtime::Value fechaDe(const runtime::Value& momento) {
    return runtime::Value(runtime::format(momento, "dd/mm/yy"));
}

}  // namespace

bool yaestaboleta(const BoletasDeLasSemanas& boletas, std::string_view seleccion) {
    if (seleccion.empty())
        return false;
    for (const std::string& boleta : boletas) {
        if (boleta == seleccion)
            return true;
    }
    return false;
}

std::optional<int> columnaParaColocar(const BoletasDeLasSemanas& boletas,
                                      std::string_view seleccion) {
    if (yaestaboleta(boletas, seleccion))
        return std::nullopt;
    auto llena = [&](int semana) { return !boletas[semana - 1].empty(); };
    if (!llena(1) && !llena(4))
        return 1;
    for (int semana = 2; semana <= 4; ++semana) {
        if (llena(semana - 1) && !llena(semana))
            return semana;
    }
    return std::nullopt;
}

std::string mensajeYaColocada(std::string_view seleccion) {
    return "La boleta " + std::string(seleccion) + " ya fue evaluada, seleccione otra.";
}

bool todasLlenas(const BoletasDeLasSemanas& boletas) {
    for (const std::string& boleta : boletas) {
        if (boleta.empty())
            return false;
    }
    return true;
}

Busqueda buscaBoleta(db::Database& conexion, const BoletasDeLasSemanas& boletas, int semana,
                     std::string_view boleta, std::string_view tecnico, std::string_view mes) {
    for (int otra = 1; otra <= 4; ++otra) {
        if (otra != semana && boletas[otra - 1] == boleta)
            return Busqueda{Busqueda::Repetida, {}, {}};
    }
    return traefechas(boletaMuestreada(conexion, boleta), tecnico, mes);
}

const char* mensajeDeRechazo(Busqueda::Resultado resultado) {
    switch (resultado) {
        case Busqueda::Repetida:
            return "La boleta ya fue evaluada, por favor seleccione otra.";
        case Busqueda::Desconocida:
        case Busqueda::Ajena:
            return "La boleta no corresponde al mes o al técnico seleccionado.";
        case Busqueda::Aceptada:
            break;
    }
    return nullptr;
}

Busqueda traefechas(const std::optional<BoletaMuestreada>& fila, std::string_view tecnico,
                    std::string_view mes) {
    Busqueda busqueda;
    if (!fila)
        return busqueda;
    busqueda.año = std::to_string(runtime::year(fechaDe(fila->fecha_creada)));
    const int mesResuelta = runtime::month(fechaDe(fila->fecha_resuelta));
    if (fila->nombre != tecnico || kMeses[mesResuelta - 1] != mes) {
        busqueda.resultado = Busqueda::Ajena;
        return busqueda;
    }
    busqueda.resultado = Busqueda::Aceptada;
    const std::string creada = fila->fecha_creada.to_text();
    TextosColumna& textos = busqueda.textos;
    textos.creada = formatea(fila->fecha_creada, "dd/mm/yy hh:mm");
    // The stored creation may carry a four-digit year.
    const std::string diez = runtime::left(creada, 10);
    textos.recFecha =
        formatea(runtime::is_date(diez) ? diez : runtime::left(creada, 8), "dd/mm/yy");
    textos.recHora = formatea(runtime::right(creada, 5), "hh:mm");
    textos.resuelta = formatea(fila->fecha_resuelta, "dd/mm/yy hh:mm");
    textos.prioridad = fila->prioridad.to_text();
    return busqueda;
}

std::optional<int> semanaGuardada(const runtime::Value& semana) {
    const std::string texto = semana.to_text();
    if (texto.size() == 1 && texto[0] >= '1' && texto[0] <= '4')
        return texto[0] - '0';
    return std::nullopt;
}

TextosColumna llenacolumna(const EvaluacionGuardada& fila) {
    TextosColumna textos;
    textos.boleta = fila.boleta;
    textos.creada = fila.fecha_creada;
    textos.resuelta = fila.fecha_resuelta;
    textos.prioridad = fila.prioridad;
    textos.recFecha = formatea(runtime::left(fila.fecha_reconoce, 8), "dd/mm/yy");
    textos.recHora = formatea(runtime::right(fila.fecha_reconoce, 5), "hh:mm");
    return textos;
}

std::optional<Valorimagen> calificacionGuardada(const runtime::Value& articulo) {
    if (!runtime::is_numeric(articulo))
        return std::nullopt;
    const double valor = articulo.to_number();
    if (valor == kBlanco || valor == kBien || valor == kMal)
        return static_cast<Valorimagen>(valor);
    return std::nullopt;
}

}  // namespace quality
