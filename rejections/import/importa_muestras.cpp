#include "importa_muestras.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/line_reader.h"
#include "runtime/still_working.h"
#include "sample_file.h"
#include "sample_lines.h"
#include "utf8_chars.h"

namespace rejections {

namespace {

// A block holds at most this many samples; the ones past it are counted but
// not kept.
constexpr long kMaxMuestras = 200;

// Month names of the date line, as the switch prints them.
constexpr std::array<std::string_view, 12> kMeses = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Lengths of a detail line that holds a record; any other is not stored.
constexpr std::size_t kLargoRegistro = 160;
constexpr std::size_t kLargoRegistroLargo = 163;

// Message titles.
constexpr std::string_view kTituloErrorImportacion = "Error de Importación";
constexpr std::string_view kTituloErrorArchivo = "Error en archivo";
constexpr std::string_view kTituloErrorMuestras = "Error en muestras";
constexpr std::string_view kTituloErrorEnImportacion = "Error en importación";
constexpr std::string_view kTituloFin = "Fin de importación";
constexpr std::optional<std::string_view> kTituloDelPrograma = std::nullopt;

// A count as the old runtime's Str writes it into a message: a blank where
// the sign of a negative number would stand.
std::string str_numero(long long n) {
    return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

// Mid and Right of the old runtime on single-byte text.
std::string_view mid(std::string_view text, std::size_t start, std::size_t count) {
    return start > text.size() ? std::string_view() : text.substr(start - 1, count);
}
std::string_view right(std::string_view text, std::size_t count) {
    return count >= text.size() ? text : text.substr(text.size() - count);
}

std::string_view trim_blanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Characters 1-2, 3-4 and the last two of a packed value, joined by sep: how
// a time "HHMMSS", a date and a duration of a record are written.
void en_tres_partes(std::string_view valor, char sep, std::string& out) {
    out.assign(mid(valor, 1, 2));
    out += sep;
    out += mid(valor, 3, 2);
    out += sep;
    out += right(valor, 2);
}

// The number at the start of text as the old runtime's Val reads it: blanks,
// tabs and line feeds anywhere are passed over, reading stops at the first
// character that can't continue the number, and no number at all reads 0.
double vb_val(std::string_view text) {
    std::string numero;
    bool digits = false;
    bool point = false;
    std::size_t exponent_at = std::string::npos;
    bool exponent_digits = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') {
            continue;
        }
        if ((c == '-' || c == '+') && (numero.empty() || numero.size() == exponent_at + 1)) {
            numero += c;
        } else if (c >= '0' && c <= '9') {
            numero += c;
            (exponent_at == std::string::npos ? digits : exponent_digits) = true;
        } else if (c == '.' && !point && exponent_at == std::string::npos) {
            numero += c;
            point = true;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digits &&
                   exponent_at == std::string::npos) {
            exponent_at = numero.size();
            numero += 'e';
        } else {
            break;
        }
    }
    if (!digits) {
        return 0;
    }
    if (exponent_at != std::string::npos && !exponent_digits) {
        numero.resize(exponent_at);
    }
    if (!numero.empty() && numero.front() == '+') {
        numero.erase(0, 1);
    }
    double value = 0;
    std::from_chars(numero.data(), numero.data() + numero.size(), value);
    return value;
}

// Sets a text field of the row from single-byte text, reusing its storage.
void set_text(FieldValue& field, std::string_view cp1252) {
    if (auto* text = std::get_if<std::string>(&field)) {
        text->clear();
        runtime::append_windows1252_as_utf8(*text, cp1252);
    } else {
        field = runtime::windows1252_to_utf8(cp1252);
    }
}

// What a record and a sample must have alike to match: central, route,
// duration or not, date, billing format, disconnection reason, error code,
// traffic ID and type. Each text goes with its length, so that no two
// different sets of values make the same key.
void clave_de_busqueda(std::string& clave, std::string_view central, std::string_view ruta,
                       bool con_duracion, std::string_view fecha, std::string_view formato,
                       std::string_view razon, std::string_view error, std::string_view trafico,
                       std::string_view tipo) {
    clave.clear();
    clave += con_duracion ? 'T' : 'F';
    for (std::string_view part : {central, ruta, fecha, formato, razon, error, trafico, tipo}) {
        const auto size = static_cast<std::uint32_t>(part.size());
        clave.append(reinterpret_cast<const char*>(&size), sizeof size);
        clave += part;
    }
}

// One sample of the current block, its fields as read (single-byte text).
struct Muestra {
    std::string s1;  // a date, written NN/NN/NN
    std::string s2, s3, s4, s5, s6, s7, s8, s9;
    std::string tipo;   // "LA" or "LO", the type heading it came under
    std::string resto;  // what follows the fields: "T" (with duration) or "X" and a figure
    bool t = false;     // resto begins with "T"
};

enum class Fin { Completa, Detenida };

// One run of the import's state machine over a file: stage 1 waits for a
// block's date line, 2 for its kind, 3 reads its samples up to "RE", 4 its
// detail records, as many as it had samples.
class Importacion {
public:
    Importacion(const ImportServices& services, const std::string& nombre);
    Fin run(SampleFile& archivo);
    long capturados() const { return n_; }

private:
    void show(std::string_view text, std::optional<std::string_view> title) {
        services_.messages.show(text, title);
    }
    void inicio_de_central();
    bool lee_fecha();
    void lee_muestra();
    bool lee_detalle();
    bool guarda_registro(std::string_view linea);
    void indexa_muestras();
    std::optional<const Muestra*> busca_muestra(const std::array<std::string_view, 21>& campo);

    const ImportServices& services_;
    std::string lin_original_;
    int etapa_ = 1;
    long k_ = 0;  // samples of the block, kept or not
    long c_ = 0;  // detail lines read of the block
    long n_ = 0;  // rows stored
    bool collection_ = false;
    std::string tipo_;
    std::string sello_;  // the block's stamp YY/MM/DD HH:MM (UTF-8)
    std::string yy_;     // the last two digits of the current year
    bool aviso_muestras_armado_ = true;
    bool aviso_detalle_dado_ = false;
    std::vector<Muestra> muestras_;
    // The first kept sample of each key, built when the block's records begin.
    std::unordered_map<std::string, long> indice_;
    std::string clave_;
    SampleRow row_;
    std::string hora_, fecha_, duracion_;
};

Importacion::Importacion(const ImportServices& services, const std::string& nombre)
    : services_(services), muestras_(kMaxMuestras) {
    const int yy = services.anio_actual % 100;
    yy_ = {static_cast<char>('0' + yy / 10), static_cast<char>('0' + yy % 10)};
    // The file-name date and the file name are the same in every row.
    row_.fields[25] =
        "0" + utf8_mid(nombre, 3, 1) + "/" + utf8_mid(nombre, 4, 2) + "/" + utf8_mid(nombre, 6, 2);
    row_.fields[26] = nombre;
}

Fin Importacion::run(SampleFile& archivo) {
    for (;;) {
        runtime::still_working();
        lin_original_ = lee_lin(archivo);
        if (lin_original_ == kFinDeArchivo) {
            return Fin::Completa;
        }
        const std::string_view prefijo = std::string_view(lin_original_).substr(0, 2);
        int d = 0;
        if (prefijo == "CI") {
            inicio_de_central();
        } else {
            switch (etapa_) {
                case 1:
                    if (prefijo != "FE") {
                        show("Se esperaba inicio de bloque", kTituloErrorArchivo);
                    } else if (lee_fecha()) {
                        d = 1;
                    } else {
                        return Fin::Detenida;
                    }
                    break;
                case 2:
                    if (prefijo == "SI") {
                        salta_bloque(archivo);
                        d = -1;
                    } else {
                        collection_ = prefijo == "CO";
                        d = 1;
                    }
                    break;
                case 3:
                    if (prefijo == "LA" || prefijo == "LO") {
                        tipo_ = prefijo;
                    } else if (prefijo == "RE") {
                        d = k_ > 0 ? 1 : -2;
                        if (k_ > 0) {
                            indexa_muestras();
                        }
                    } else {
                        lee_muestra();
                    }
                    break;
                case 4:
                    if (!lee_detalle()) {
                        return Fin::Detenida;
                    }
                    if (++c_ == k_) {
                        d = 1;
                        c_ = 0;
                        k_ = 0;
                    }
                    break;
            }
        }
        etapa_ += d;
        if (etapa_ > 4) {
            etapa_ = 1;
        }
    }
}

// A new central: whatever block was open ends here.
void Importacion::inicio_de_central() {
    etapa_ = 1;
    aviso_muestras_armado_ = true;
    if (k_ > 0) {
        show("Muestra sin detalles en alguna central en " +
                 std::string(collection_ ? "Collection, " : "Rating, ") + "se esperaban " +
                 str_numero(k_) + " registros.",
             kTituloErrorImportacion);
        c_ = 0;
        k_ = 0;
    }
}

// The date line: month name at 7-9, the day at 11-12 ("5|" for a day below
// 10), the time in its last five characters. False when the month is none
// of the twelve, which stops the import.
bool Importacion::lee_fecha() {
    const std::string_view linea = lin_original_;
    const std::string_view nombre_mes = mid(linea, 7, 3);
    std::size_t mes = 0;
    while (mes < kMeses.size() && kMeses[mes] != nombre_mes) {
        ++mes;
    }
    if (mes == kMeses.size()) {
        show("Demasiados registros en muestra " + str_numero(k_), kTituloDelPrograma);
        return false;
    }
    std::string dia(mid(linea, 11, 2));
    if (dia.size() == 2 && dia[1] == '|') {
        dia = "0" + dia.substr(0, 1);
    }
    const int m = static_cast<int>(mes) + 1;
    sello_ = yy_ + "/" + (m < 10 ? "0" : "") + std::to_string(m) + "/";
    runtime::append_windows1252_as_utf8(sello_, dia);
    sello_ += ' ';
    runtime::append_windows1252_as_utf8(sello_, right(linea, 5));
    return true;
}

// A sample line: its first character dropped, then s1 to s8 (a Rating line
// has one field more, which takes the place of s8), s9, and the rest.
void Importacion::lee_muestra() {
    ++k_;
    if (k_ > kMaxMuestras) {
        if (aviso_muestras_armado_) {
            show("Más de 200 muestras, por procesar, puede haber incompatibilidad en duraciones",
                 kTituloErrorMuestras);
            aviso_muestras_armado_ = false;
        }
        return;
    }
    std::string_view linea = std::string_view(lin_original_).substr(1);
    Muestra& muestra = muestras_[k_ - 1];
    const std::string_view s1 = sig_campo(linea);
    muestra.s1.assign(mid(s1, 1, 2))
        .append("/")
        .append(mid(s1, 3, 2))
        .append("/")
        .append(mid(s1, 5, 2));
    for (std::string* s : {&muestra.s2, &muestra.s3, &muestra.s4, &muestra.s5, &muestra.s6,
                           &muestra.s7, &muestra.s8}) {
        s->assign(sig_campo(linea));
    }
    if (!collection_) {
        muestra.s8.assign(sig_campo(linea));
    }
    muestra.s9.assign(sig_campo(linea));
    muestra.tipo = tipo_;
    muestra.resto.assign(linea);
    muestra.t = !muestra.resto.empty() && muestra.resto.front() == 'T';
}

// A detail line: a record when it is 160 or 163 characters long, otherwise
// it is only counted. False when the import must stop.
bool Importacion::lee_detalle() {
    const std::size_t largo = trim_blanks(lin_original_).size();
    const std::string_view linea = std::string_view(lin_original_).substr(1);
    if (largo == kLargoRegistro || largo == kLargoRegistroLargo) {
        return guarda_registro(linea);
    }
    if (!aviso_detalle_dado_) {
        std::string_view resto = linea;
        std::string_view central;
        for (int i = 0; i < 11; ++i) {
            central = sig_campo(resto);
        }
        show("Central: " + runtime::windows1252_to_utf8(central) +
                 (collection_ ? " datos de Collection," : " datos de Rating,") +
                 " validar directo de  muestra.",
             kTituloErrorEnImportacion);
        aviso_detalle_dado_ = true;
    }
    return true;
}

void Importacion::indexa_muestras() {
    indice_.clear();
    const long kept = std::min(k_, kMaxMuestras);
    for (long i = 1; i <= kept; ++i) {
        const Muestra& m = muestras_[i - 1];
        clave_de_busqueda(clave_, m.s3, m.s4, m.t, m.s1, m.s9, m.s7, m.s8, m.s6, m.tipo);
        indice_.emplace(clave_, i);  // an earlier sample of the same key stays
    }
}

// The first kept sample the record matches, as a search from the block's
// first sample to its last would find it; nullptr when none does. Empty
// when that search would run past the samples held (a block announced more
// than were kept and none of those matched), which stops the import.
std::optional<const Muestra*> Importacion::busca_muestra(
    const std::array<std::string_view, 21>& campo) {
    const bool t = !(campo[8] == "00:00:00" || campo[8] == "FF:FF:FF");
    const std::string_view tipo = campo[15] == "FF" ? "LO" : "LA";
    clave_de_busqueda(clave_, campo[9], campo[10], t, campo[7], campo[13], campo[2], campo[12],
                      campo[20], tipo);
    const auto found = indice_.find(clave_);
    if (found != indice_.end()) {
        return &muestras_[found->second - 1];
    }
    if (k_ > kMaxMuestras) {
        return std::nullopt;
    }
    return nullptr;
}

// Stores one record as a row: its 20 fields (a Rating record has its 17th,
// 18th and 19th in fields 18, 19 and 17), the block's kind and stamp, the
// file's date and name, and the figure of the sample it matches.
bool Importacion::guarda_registro(std::string_view linea) {
    std::array<std::string_view, 21> d{};
    for (std::size_t j = 1; j <= 20; ++j) {
        d[j] = sig_campo(linea);
    }
    std::array<std::string_view, 21> campo = d;
    if (!collection_) {
        campo[18] = d[17];
        campo[19] = d[18];
        campo[17] = d[19];
    }
    en_tres_partes(campo[6], ':', hora_);
    campo[6] = hora_;
    en_tres_partes(campo[7], '/', fecha_);
    campo[7] = fecha_;
    en_tres_partes(campo[8], ':', duracion_);
    campo[8] = duracion_;

    const std::optional<const Muestra*> muestra = busca_muestra(campo);
    if (!muestra) {
        show("Demasiados registros en muestra " + str_numero(k_), kTituloDelPrograma);
        return false;
    }

    for (std::size_t j = 1; j <= 20; ++j) {
        set_text(row_.fields[j], campo[j]);
    }
    row_.fields[21] = std::monostate();
    row_.fields[22] = std::monostate();
    row_.fields[23] = collection_;
    if (auto* sello = std::get_if<std::string>(&row_.fields[24])) {
        sello->assign(sello_);
    } else {
        row_.fields[24] = sello_;
    }
    if (*muestra) {
        // "T..." samples give the figure with duration, "X..." the one without.
        const std::string& resto = (*muestra)->resto;
        if (resto.size() < 5) {
            show("Error de formato", kTituloDelPrograma);
        } else {
            row_.fields[resto.front() == 'X' ? 22 : 21] = vb_val(std::string_view(resto).substr(5));
        }
    }

    try {
        services_.store.insertRow(row_);
        ++n_;
    } catch (const StoreError& error) {
        if (error.number() == kErrorRelatedRecordRequired) {
            show("Error en CLLI:" + std::get<std::string>(row_.fields[9]), kTituloDelPrograma);
        } else {
            show("Error: " + str_numero(error.number()), kTituloDelPrograma);
        }
    }
    return true;
}

// The rows of the import, dropped unless they were made lasting.
class RowsOfImport {
public:
    explicit RowsOfImport(SampleStore& store) : store_(store) { store_.beginRows(); }
    ~RowsOfImport() {
        if (!committed_) {
            store_.rollbackRows();
        }
    }
    RowsOfImport(const RowsOfImport&) = delete;
    RowsOfImport& operator=(const RowsOfImport&) = delete;
    void commit() {
        store_.commitRows();
        committed_ = true;
    }

private:
    SampleStore& store_;
    bool committed_ = false;
};

// The hourglass for the length of the import; the screen's pointer is the
// default again however the import ends.
class Hourglass {
public:
    explicit Hourglass(WaitPointer& pointer) : pointer_(pointer) {
        pointer_.setWindowPointer(MousePointer::Hourglass);
        pointer_.setScreenPointer(MousePointer::Hourglass);
    }
    ~Hourglass() { restore(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
    void restore() {
        if (on_) {
            pointer_.setScreenPointer(MousePointer::Default);
            on_ = false;
        }
    }

private:
    WaitPointer& pointer_;
    bool on_ = true;
};

}  // namespace

void importa_muestras(const ImportServices& services, const std::filesystem::path& ruta,
                      const std::string& nombre) {
    auto show_error = [&](long number) {
        services.messages.show("Error: " + str_numero(number), kTituloDelPrograma);
    };

    std::optional<SampleFile> archivo;
    try {
        archivo.emplace(ruta);
    } catch (const SampleFileError& error) {
        show_error(error.number());
        return;
    }
    std::optional<RowsOfImport> rows;
    try {
        rows.emplace(services.store);
    } catch (const StoreError& error) {
        show_error(error.number());
        return;
    }
    Hourglass hourglass(services.pointer);

    Importacion importacion(services, nombre);
    Fin fin = Fin::Detenida;
    try {
        fin = importacion.run(*archivo);
    } catch (const SampleFileError& error) {
        show_error(error.number());
    }
    archivo.reset();

    // What was stored stays stored, also after a stop.
    try {
        rows->commit();
    } catch (const StoreError& error) {
        show_error(error.number());
        return;
    }
    hourglass.restore();
    if (fin == Fin::Completa) {
        services.messages.show(
            "Se capturaron " + str_numero(importacion.capturados()) + " registros muestra",
            kTituloFin);
    }
}

}  // namespace rejections
