#include "importa_muestras.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/conversions.h"
#include "runtime/line_reader.h"
#include "runtime/pipeline.h"
#include "runtime/still_working.h"
#include "runtime/strings.h"
#include "sample_file.h"
#include "sample_lines.h"

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
constexpr std::string_view kTituloErrorEnArchivo = "Error en Archivo";
constexpr std::string_view kTituloErrorMuestras = "Error en muestras";
constexpr std::string_view kTituloErrorEnImportacion = "Error en importación";
constexpr std::string_view kTituloFin = "Fin de importación";
constexpr std::optional<std::string_view> kTituloDelPrograma = std::nullopt;

// A count as the old runtime's Str writes it into a message: a blank where
// the sign of a negative number would stand.
std::string str_numero(long long n) {
    return runtime::str(static_cast<double>(n));
}

using runtime::mid_view;
using runtime::right_view;

// Characters 1-2, 3-4 and the last two of a packed value, joined by sep: how
// a time "HHMMSS", a date and a duration of a record are written.
void en_tres_partes(std::string_view valor, char sep, std::string& out) {
    out.assign(mid_view(valor, 1, 2));
    out += sep;
    out += mid_view(valor, 3, 2);
    out += sep;
    out += right_view(valor, 2);
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

// Sets a text field of the row from UTF-8 text, reusing its storage.
void set_utf8(FieldValue& field, const std::string& utf8) {
    if (auto* text = std::get_if<std::string>(&field)) {
        text->assign(utf8);
    } else {
        field = utf8;
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

// Where the reading puts what it makes, in file order: rows to store and
// messages to show.
class Salida {
public:
    virtual ~Salida() = default;
    virtual void mensaje(std::string_view text, std::optional<std::string_view> title) = 0;
    // Takes the row's values; `row` is left with storage to reuse.
    virtual void fila(SampleRow& row) = 0;
};

// One thing the reading made.
struct Hecho {
    bool is_row = false;
    SampleRow row;
    std::string text;
    std::optional<std::string> title;
};

// The reading's output handed to the storing thread.
class EnTuberia : public Salida {
public:
    explicit EnTuberia(runtime::Pipe<Hecho>& tuberia) : tuberia_(tuberia) {}
    void mensaje(std::string_view text, std::optional<std::string_view> title) override {
        Hecho& hecho = tuberia_.next();
        hecho.is_row = false;
        hecho.text.assign(text);
        hecho.title = title ? std::optional<std::string>(std::string(*title)) : std::nullopt;
    }
    void fila(SampleRow& row) override {
        Hecho& hecho = tuberia_.next();
        hecho.is_row = true;
        std::swap(hecho.row, row);  // no copy: each side keeps storage for the next row
    }

private:
    runtime::Pipe<Hecho>& tuberia_;
};

// One run of the import's state machine over a file: stage 1 waits for a
// block's date line, 2 for its kind, 3 reads its samples up to "RE", 4 its
// detail records, as many as it had samples.
class Importacion {
public:
    Importacion(Salida& salida, int anio_actual, const std::string& nombre);
    Fin run(SampleFile& archivo);

private:
    void show(std::string_view text, std::optional<std::string_view> title) {
        salida_.mensaje(text, title);
    }
    void inicio_de_central();
    bool lee_fecha();
    void lee_muestra();
    bool lee_detalle();
    bool guarda_registro(std::string_view linea);
    void indexa_muestras();
    std::optional<const Muestra*> busca_muestra(const std::array<std::string_view, 21>& campo);

    Salida& salida_;
    std::string lin_original_;
    int etapa_ = 1;
    long k_ = 0;  // samples of the block, kept or not
    long c_ = 0;  // detail lines read of the block
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
    std::string fecha_archivo_, nombre_;  // fields 25 and 26, the same in every row
};

Importacion::Importacion(Salida& salida, int anio_actual, const std::string& nombre)
    : salida_(salida), muestras_(kMaxMuestras) {
    const int yy = anio_actual % 100;
    yy_ = {static_cast<char>('0' + yy / 10), static_cast<char>('0' + yy % 10)};
    // The file-name date and the file name are the same in every row.
    fecha_archivo_ = "0" + runtime::mid(nombre, 3, 1) + "/" + runtime::mid(nombre, 4, 2) + "/" +
                     runtime::mid(nombre, 6, 2);
    nombre_ = nombre;
}

Fin Importacion::run(SampleFile& archivo) {
    for (;;) {
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
    const std::string_view nombre_mes = mid_view(linea, 7, 3);
    std::size_t mes = 0;
    while (mes < kMeses.size() && kMeses[mes] != nombre_mes) {
        ++mes;
    }
    if (mes == kMeses.size()) {
        show("Demasiados registros en muestra " + str_numero(k_), kTituloDelPrograma);
        return false;
    }
    std::string dia(mid_view(linea, 11, 2));
    if (dia.size() == 2 && dia[1] == '|') {
        dia = "0" + dia.substr(0, 1);
    }
    const int m = static_cast<int>(mes) + 1;
    sello_ = yy_ + "/" + (m < 10 ? "0" : "") + std::to_string(m) + "/";
    runtime::append_windows1252_as_utf8(sello_, dia);
    sello_ += ' ';
    runtime::append_windows1252_as_utf8(sello_, right_view(linea, 5));
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
    muestra.s1.assign(mid_view(s1, 1, 2))
        .append("/")
        .append(mid_view(s1, 3, 2))
        .append("/")
        .append(mid_view(s1, 5, 2));
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
    const std::size_t largo = runtime::trim_view(lin_original_).size();
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
    set_utf8(row_.fields[25], fecha_archivo_);
    set_utf8(row_.fields[26], nombre_);
    set_utf8(row_.fields[24], sello_);
    if (*muestra) {
        // "T..." samples give the figure with duration, "X..." the one without.
        const std::string& resto = (*muestra)->resto;
        if (resto.size() < 5) {
            show("Error de formato", kTituloDelPrograma);
        } else {
            row_.fields[resto.front() == 'X' ? 22 : 21] = vb_val(std::string_view(resto).substr(5));
        }
    }

    salida_.fila(row_);
    return true;
}

// Stores what the reading made, in its order, and counts the rows stored.
class Guardado {
public:
    explicit Guardado(const ImportServices& services) : services_(services) {}
    long capturados() const { return n_; }

    void guarda(const Hecho& item) {
        if (!item.is_row) {
            services_.messages.show(item.text, item.title
                                                   ? std::optional<std::string_view>(*item.title)
                                                   : std::nullopt);
            return;
        }
        try {
            services_.store.insertRow(item.row);
            ++n_;
        } catch (const StoreError& error) {
            if (error.database_failure()) {
                throw;  // no record's fault: the import stops
            }
            if (error.number() == kErrorRelatedRecordRequired) {
                services_.messages.show(
                    "Error en CLLI:" + std::get<std::string>(item.row.fields[9]),
                    kTituloDelPrograma);
            } else {
                services_.messages.show("Error: " + str_numero(error.number()), kTituloDelPrograma);
            }
        }
    }

private:
    const ImportServices& services_;
    long n_ = 0;  // rows stored
};

// Reads the file on a thread of its own while the caller's thread stores:
// returns how the reading ended; a failure of either side stops both and is
// thrown here, the storing's first.
Fin lee_y_guarda(SampleFile& archivo, int anio_actual, const std::string& nombre,
                 Guardado& guardado) {
    Fin fin = Fin::Detenida;
    runtime::pipelined<Hecho>(
        [&](runtime::Pipe<Hecho>& tuberia) {
            EnTuberia salida(tuberia);
            Importacion importacion(salida, anio_actual, nombre);
            fin = importacion.run(archivo);
        },
        [&](const Hecho& hecho) {
            runtime::still_working();  // the windows are drawn from this thread
            guardado.guarda(hecho);
        });
    return fin;
}

// The import's transaction, begun by the caller with the file's row in
// "Archivos Alta": rolled back unless it was committed.
class ImportTransaction {
public:
    explicit ImportTransaction(SampleStore& store) : store_(store) {}
    ~ImportTransaction() {
        if (!ended_) {
            store_.rollback();
        }
    }
    ImportTransaction(const ImportTransaction&) = delete;
    ImportTransaction& operator=(const ImportTransaction&) = delete;
    void commit() {
        ended_ = true;
        try {
            store_.commit();
        } catch (const StoreError&) {
            store_.rollback();
            throw;
        }
    }

private:
    SampleStore& store_;
    bool ended_ = false;
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

void muestra_falla_de_base(ImportMessages& messages, const std::string& ruta,
                           const StoreError& error) {
    messages.show("No se pudo capturar el archivo " + ruta + ".\nLa base de datos respondió: " +
                      error.description() + "\nNo se guardó ningún registro del archivo.",
                  kTituloErrorEnArchivo);
}

void importa_muestras(const ImportServices& services, const std::filesystem::path& ruta,
                      const std::string& nombre) {
    ImportTransaction transaction(services.store);
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
    Hourglass hourglass(services.pointer);

    Guardado guardado(services);
    Fin fin = Fin::Detenida;
    try {
        fin = lee_y_guarda(*archivo, services.anio_actual, nombre, guardado);
        // What was stored before a stop stays stored, with the file's row.
        transaction.commit();
    } catch (const SampleFileError& error) {
        // A file that can't be read to its end leaves nothing of it.
        show_error(error.number());
        return;
    } catch (const StoreError& error) {
        archivo.reset();
        hourglass.restore();
        muestra_falla_de_base(services.messages, ruta.string(), error);
        return;
    }
    archivo.reset();
    hourglass.restore();
    if (fin == Fin::Completa) {
        services.messages.show(
            "Se capturaron " + str_numero(guardado.capturados()) + " registros muestra",
            kTituloFin);
    }
}

}  // namespace rejections
