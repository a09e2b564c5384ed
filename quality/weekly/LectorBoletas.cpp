#include "LectorBoletas.h"

#include <algorithm>
#include <cmath>

#include <sqlite3.h>

#include "ErrorArchivo.h"
#include "runtime/conversions.h"
#include "runtime/format.h"
#include "runtime/pipeline.h"
#include "runtime/strings.h"

namespace quality {

namespace {

constexpr std::string_view kEncabezado = "LISTA DE TRABAJO";
constexpr std::string_view kFechas = "DE FECHA";
constexpr std::string_view kSeparador = "-";
constexpr std::string_view kFinDeLista = "FIN DE LIST";

// Two digits at `pos` of `texto`, or -1.
int dos_digitos(std::string_view texto, std::size_t pos) {
    if (pos + 2 > texto.size())
        return -1;
    const char a = texto[pos], b = texto[pos + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

bool es_ascii(std::string_view linea) {
    return std::all_of(linea.begin(), linea.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The fixed columns of a line, counted in characters: a report line is
// nearly always plain ASCII, whose characters are bytes and are cut without
// counting or copying.
class Columnas {
public:
    explicit Columnas(const std::string& linea) : linea_(linea) {
        ascii_ = es_ascii(linea);
        largo_ = ascii_ ? long(linea.size()) : runtime::len(linea);
    }
    long largo() const { return largo_; }
    // Mid(linea, desde, cuantos): `cuantos` characters from the 1-based `desde`.
    std::string_view mid(long desde, long cuantos) const {
        if (ascii_)
            return runtime::mid_view(linea_, std::size_t(desde), std::size_t(cuantos));
        const std::size_t a = runtime::byte_offset(linea_, desde);
        const std::size_t b = runtime::byte_offset(linea_, desde + cuantos);
        return std::string_view(linea_).substr(a, b - a);
    }

private:
    const std::string& linea_;
    bool ascii_;
    long largo_;
};

runtime::DateSerial fecha_del_reporte(const std::string& texto, const char* cual, long linea) {
    const auto fecha = runtime::parse_date(texto);
    if (!fecha || runtime::time_part(*fecha) != 0)
        throw ErrorArchivo("Línea " + std::to_string(linea) + ": la fecha " + cual + " \"" + texto +
                           "\" no se puede leer.");
    return *fecha;
}

}  // namespace

// momento_boleta into `guardado`, whose storage is reused; false when unreadable.
static bool lee_momento(std::string_view texto, std::string& guardado) {
    const std::string_view t = runtime::trim_view(texto);
    // dd/mm/ then yy or yyyy, a blank, hh:mm and perhaps :ss.
    const int dia = dos_digitos(t, 0), mes = dos_digitos(t, 3);
    if (dia < 0 || mes < 0 || t.size() < 14 || t[2] != '/' || t[5] != '/')
        return false;
    std::size_t pos = 6;
    int anio = dos_digitos(t, pos);
    const int siglo_o_anio = anio;
    if (anio < 0)
        return false;
    if (pos + 2 < t.size() && t[pos + 2] != ' ') {
        const int resto = dos_digitos(t, pos + 2);
        if (resto < 0)
            return false;
        anio = siglo_o_anio * 100 + resto;
        pos += 4;
    } else {
        anio = runtime::expand_two_digit_year(anio);
        pos += 2;
    }
    if (pos >= t.size() || t[pos] != ' ')
        return false;
    ++pos;
    const int hora = dos_digitos(t, pos), minuto = dos_digitos(t, pos + 3);
    if (hora < 0 || minuto < 0 || pos + 5 > t.size() || t[pos + 2] != ':')
        return false;
    pos += 5;
    if (pos < t.size()) {
        const int segundo = dos_digitos(t, pos + 1);
        if (t[pos] != ':' || segundo < 0 || segundo > 59 || pos + 3 != t.size())
            return false;
    }
    if (!runtime::is_valid_day(anio, mes, dia) || hora > 23 || minuto > 59)
        return false;
    // "dd/mm/yy hh:mm", the digits as they stand.
    guardado.assign(t.substr(0, 6));
    guardado.push_back(char('0' + anio % 100 / 10));
    guardado.push_back(char('0' + anio % 10));
    guardado.push_back(' ');
    guardado.append(t.substr(pos - 5, 5));
    return true;
}

std::optional<std::string> momento_boleta(std::string_view texto) {
    std::string guardado;
    if (!lee_momento(texto, guardado))
        return std::nullopt;
    return guardado;
}

LectorBoletas::LectorBoletas(runtime::LineReader& reporte, db::Database& conexion, Avance& avance)
    : maximo_(static_cast<long>(reporte.length())),
      reporte_(reporte),
      conexion_(conexion),
      avance_(avance) {}

bool LectorBoletas::empieza(std::string_view texto, std::string_view inicio) {
    return texto.substr(0, inicio.size()) == inicio;
}

void LectorBoletas::leer() {
    reporte_.read_line(linea);
    ++numero_;
}

std::string LectorBoletas::en_linea() const {
    return "Línea " + std::to_string(numero_) + ": ";
}

void LectorBoletas::avanza(long pasos) {
    valor_ += pasos;
    avance_.barra(Barra::Barrita, valor_, maximo_);
}

void LectorBoletas::buscalista() {
    while (!empieza(linea, kEncabezado) && !reporte_.eof())
        leer();
    if (!empieza(linea, kEncabezado))
        return;
    // The name begins at column 18: a header of 16 characters has none to give.
    if (runtime::len(linea) == 16)
        throw ErrorArchivo(en_linea() + "el encabezado \"" + linea +
                           "\" no tiene nombre de lista.");
    listatrabajo = runtime::trim(runtime::mid(linea, 18));
}

void LectorBoletas::leefechas() {
    while (!empieza(linea, kFechas) && !reporte_.eof()) {
        leer();
        avanza(1);
    }
    if (!empieza(linea, kFechas))
        throw ErrorArchivo("El reporte no tiene línea \"DE FECHA\".");
    const long largo = runtime::len(linea);
    if (largo - 16 < 1)
        throw ErrorArchivo(en_linea() + "la línea de fechas \"" + linea + "\" es muy corta.");
    fechaini = fecha_del_reporte(runtime::mid(linea, 10, 8), "inicial", numero_);
    fechafin =
        fecha_del_reporte(runtime::trim(runtime::mid(linea, largo - 16, 8)), "final", numero_);
}

void LectorBoletas::buscaseparador() {
    while (!empieza(linea, kSeparador) && !reporte_.eof())
        leer();
}

bool LectorBoletas::separacampos() {
    const Columnas columnas(linea);
    const long largo = columnas.largo();
    // The technician stands 21 characters from the end of the line.
    if (largo < 21)
        throw ErrorArchivo(en_linea() + "la línea \"" + linea + "\" es muy corta para una boleta.");
    boleta.boleta.assign(runtime::trim_view(columnas.mid(14, 14)));
    boleta.tecnico.assign(runtime::trim_view(columnas.mid(largo - 20, 8)));
    boleta.prioridad.assign(runtime::trim_view(columnas.mid(largo - 4, 5)));
    return lee_momento(columnas.mid(30, 16), boleta.fecha_creada) &&
           lee_momento(columnas.mid(46, 19), boleta.fecha_resuelta);
}

void LectorBoletas::guardaboleta() {
    guarda(listatrabajo, boleta);
}

void LectorBoletas::guarda(const std::string& lista, const Boleta& b) {
    if (!inserta_)
        inserta_.emplace(conexion_.handle(), kInsertaBoletaSql);
    sqlite3_stmt* inserta = inserta_->get();
    int i = 1;
    for (const std::string* campo :
         {&lista, &b.boleta, &b.tecnico, &b.fecha_creada, &b.fecha_resuelta, &b.prioridad})
        sqlite3_bind_text(inserta, i++, campo->data(), int(campo->size()), SQLITE_STATIC);
    inserta_->step();
    inserta_->reset();
    const long porcentaje = static_cast<long>(std::floor(double(valor_) * 100.0 / double(maximo_)));
    if (porcentaje != porcentaje_) {
        porcentaje_ = porcentaje;
        lblporc_ = runtime::number_to_text(double(porcentaje));
    }
    avance_.etiqueta(Etiqueta::lblporc, lblporc_);
    totalboletas += 1;
}

// The report is read on a thread of its own while this one stores the
// tickets and moves the bar, in the order of the lines.
void LectorBoletas::cargaboletas() {
    long leido = valor_;         // the bar's value as the reading moves it
    std::string enviada, lista;  // the work list last handed over, on either side
    runtime::pipelined<PasoLectura>(
        [&](runtime::Pipe<PasoLectura>& pipe) {
            bool primera_lista = true;
            buscaseparador();
            bool primera = true;
            // In a block: linea is its separator or a line of its details.
            bool enbloque = empieza(linea, kSeparador);
            while (enbloque && !reporte_.eof()) {
                leer();
                PasoLectura& paso = pipe.next();
                paso.mueve = primera || maximo_ - 100 > leido;
                if (primera)
                    leido += 1;
                else if (paso.mueve)
                    leido += 100;
                paso.valor = leido;
                paso.con_boleta = false;
                primera = false;
                principio.assign(runtime::trim_view(
                    es_ascii(linea) ? runtime::left_view(linea, 12)
                                    : std::string_view(runtime::left(linea, 12))));
                if (principio.empty() || empieza(principio, kFinDeLista)) {
                    // The block ended: on to the next header and its separator.
                    buscalista();
                    if (!empieza(linea, kEncabezado))
                        break;
                    buscaseparador();
                    enbloque = empieza(linea, kSeparador);
                } else if (separacampos()) {
                    paso.con_boleta = true;
                    // The work list goes over only when it changes.
                    paso.otra_lista = primera_lista || listatrabajo != enviada;
                    primera_lista = false;
                    if (paso.otra_lista) {
                        paso.listatrabajo = listatrabajo;
                        enviada = listatrabajo;
                    }
                    paso.boleta = boleta;
                } else {
                    // A line whose moments can't be read is left out; the run says which.
                    if (omitidas.size() < kOmitidasNombradas)
                        omitidas.push_back(numero_);
                    ++total_omitidas;
                }
            }
        },
        [&](const PasoLectura& paso) {
            if (paso.mueve) {
                valor_ = paso.valor;
                avance_.barra(Barra::Barrita, valor_, maximo_);
            }
            if (paso.con_boleta) {
                if (paso.otra_lista)
                    lista = paso.listatrabajo;
                guarda(lista, paso.boleta);
            }
        });
    inserta_.reset();
}

}  // namespace quality
