#include "GeneraArchivos.h"

#include <exception>
#include <optional>
#include <system_error>

#include "ErrorArchivo.h"
#include "LectorBoletas.h"
#include "LibrosSemana.h"
#include "MdlRandomTkt.h"
#include "runtime/line_reader.h"
#include "runtime/program_folder.h"

namespace quality {

namespace fs = std::filesystem;

GeneraArchivos::GeneraArchivos(db::Database& conexion, Avance& avance, AvisosCorrida& avisos,
                               Aleatorio& aleatorio)
    : conexion_(conexion), avance_(avance), avisos_(avisos), aleatorio_(aleatorio) {}

GeneraArchivos::~GeneraArchivos() {
    if (hoja_)
        hoja_->close();
}

namespace {

// What failed, in the user's words, for the line under the file-error message.
std::string que_fallo(const std::exception& e) {
    if (dynamic_cast<const ErrorArchivo*>(&e))
        return e.what();
    if (const auto* base = dynamic_cast<const db::Error*>(&e))
        return "La base de datos respondió: " + base->reason();
    if (const auto* archivo = dynamic_cast<const fs::filesystem_error*>(&e))
        return "No se pudo escribir " + archivo->path1().string() + ": " +
               archivo->code().message();
    return e.what();
}

}  // namespace

std::string mensaje_de_error(const std::string& detalle) {
    return std::string(kErrorEnArchivo) + "\n" + detalle;
}

std::string mensaje_de_exito(long total_omitidas, const std::vector<long>& omitidas) {
    std::string mensaje = kGenerados;
    if (total_omitidas == 0)
        return mensaje;
    std::string numeros;
    for (std::size_t i = 0; i < omitidas.size(); ++i)
        numeros += (i ? ", " : "") + std::to_string(omitidas[i]);
    if (total_omitidas == 1)
        return mensaje + "\nSe dejó fuera 1 línea que no se pudo leer: la línea " + numeros + ".";
    mensaje += "\nSe dejaron fuera " + std::to_string(total_omitidas) +
               " líneas que no se pudieron leer: ";
    if (total_omitidas > static_cast<long>(omitidas.size()))
        return mensaje + "las " + std::to_string(omitidas.size()) + " primeras son las líneas " +
               numeros + ".";
    return mensaje + "las líneas " + numeros + ".";
}

bool GeneraArchivos::generaarchivos(const fs::path& archivo) {
    archivoentrada = archivo;
    generado = false;
    libros_.clear();
    total_omitidas = 0;
    omitidas.clear();

    // What an earlier run left half done is finished or undone first, so that
    // a week stored without its workbooks in place is never generated again.
    completa_pendientes(conexion_);

    // The report, and an empty one refused at once:
    std::optional<runtime::LineReader> reporte;
    try {
        reporte.emplace(archivoentrada);
    } catch (const std::exception&) {
        avisos_.mensaje(
            mensaje_de_error("No se pudo abrir el reporte " + archivoentrada.string() + "."),
            kCritico);
        return false;
    }
    if (reporte->eof()) {
        avisos_.mensaje(mensaje_de_error("El reporte " + archivoentrada.string() + " está vacío."),
                        kCritico);
        return false;
    }

    avisos_.reloj(true);
    avance_.mostrar();
    avance_.barra(Barra::Barrita, 0, static_cast<long>(reporte->length()));
    LectorBoletas lector(*reporte, conexion_, avance_);
    bool guardada = false;
    try {
        // The week, from the first block:
        obtienedirectorio();
        lector.buscalista();
        lector.leefechas();
        semana.fechaini = lector.fechaini;
        semana.fechafin = lector.fechafin;
        armafecha(semana);

        // A week whose sample workbook is in the folder is not generated again:
        if (existenarchivos()) {
            avisos_.mensaje(kNoEsNecesario, kInformacion);
            avisos_.reloj(false);
            avance_.descargar();
            return false;
        }

        // The two workbooks, known to the database before they are written:
        const std::string muestra = nombre_muestra(semana);
        const std::string tecnicos = nombre_tecnicos();
        libros_ = {{temporal(muestra), semana.directorioentrada / muestra},
                   {temporal(tecnicos), semana.directorioentrada / tecnicos}};
        registra_libros(conexion_, libros_);

        db::Transaction transaccion(conexion_);
        conexion_.execute(kBorraBoletasResueltasSql);
        conexion_.execute_script(kQuitaIndiceTecnicoSql);
        lector.totalboletas = 0;
        lector.cargaboletas();
        conexion_.execute_script(kIndiceTecnicoSql);
        totalboletas = lector.totalboletas;
        total_omitidas = lector.total_omitidas;
        omitidas = lector.omitidas;

        MdlRandomTkt(conexion_, avance_, aleatorio_)
            .generaboletasaleatorias(semana, libros_[0].temporal);
        exportaboletastecnicos();

        // The workbooks take their names with the week or not at all:
        for (const LibroSemana& libro : libros_) {
            std::error_code error;
            if (fs::exists(libro.final, error) && !fs::is_regular_file(libro.final, error))
                throw ErrorArchivo("El libro " + libro.final.string() +
                                   " no puede tomar su nombre: otro archivo lo ocupa.");
        }
        marca_listos(conexion_, libros_);
        transaccion.commit();
        guardada = true;
        pon_en_su_lugar(conexion_, libros_);
    } catch (const std::exception& e) {
        falla(que_fallo(e), guardada);
        return false;
    }

    avisos_.reloj(false);
    generado = true;
    avance_.descargar();
    return true;
}

void GeneraArchivos::falla(const std::string& detalle, bool guardada) {
    if (hoja_) {
        hoja_->close();
        hoja_.reset();
    }
    // A stored week keeps its workbooks: they take their names at the next start.
    std::string que = detalle;
    if (guardada)
        que += "\nLa semana quedó guardada: sus libros tomarán su nombre en la siguiente corrida.";
    else
        descarta_libros(conexion_, libros_);
    libros_.clear();
    avisos_.reloj(false);
    avance_.descargar();
    avisos_.mensaje(mensaje_de_error(que), kCritico);
}

fs::path GeneraArchivos::temporal(const std::string& nombre) const {
    return semana.directorioentrada / ("~" + nombre + ".tmp");
}

std::string GeneraArchivos::nombre_tecnicos() {
    // The location code of the workbook's name:
    std::string codigo;
    db::Recordset car = conexion_.open_recordset(kCarSql, db::Cursor::Static);
    if (!car.eof())
        codigo = car[0].to_text();
    return "bol_resv_tec_" + codigo + semana.mm + semana.dd + ".xls";
}

void GeneraArchivos::obtienedirectorio() {
    semana.directorioentrada = fs::absolute(archivoentrada).parent_path();
}

bool GeneraArchivos::existenarchivos() const {
    std::error_code error;
    const bool existe = fs::exists(semana.directorioentrada / nombre_muestra(semana), error);
    return existe && !error;
}

void GeneraArchivos::exportaboletastecnicos() {
    hoja_ = std::make_unique<workbook::TemplateWorkbook>(abre_plantilla(kTicketsTecnicosPlantilla));
    llenalistatrabajo();
    llenatotales();
    guarda_libro(*hoja_, libros_[1].temporal, libros_[1].final.filename().string());
    hoja_->close();
    hoja_.reset();
    guardadatosgeneral();
}

void GeneraArchivos::llenalistatrabajo() {
    db::Recordset rs = conexion_.open_recordset(kTecnicoListaTrabajoSql, db::Cursor::Static);
    hoja_->setValue(2, 2, workbook::DateSerial{semana.fechaini});
    hoja_->setValue(2, 4, workbook::DateSerial{semana.fechafin});
    int fila = 5;
    for (; !rs.eof(); rs.move_next(), ++fila) {
        hoja_->setValue(fila, 1, rs["tecnico"].to_text());
        hoja_->setValue(fila, 2, rs["cantidad"].to_number());
        hoja_->setValue(fila, 4, rs["listatrabajo"].to_text());
    }
}

void GeneraArchivos::llenatotales() {
    db::Recordset rs = conexion_.open_recordset(kTecnicoTotalesSql, db::Cursor::Static);
    hoja_->setValue(3, 5, totalboletas);
    int fila = 5;
    for (; !rs.eof(); rs.move_next(), ++fila) {
        const double cantidad = rs["cantidad"].to_number();
        hoja_->setValue(fila, 7, rs[0].to_text());
        hoja_->setValue(fila, 8, cantidad);
        hoja_->setValue(fila, 9, cantidad / totalboletas);
    }
}

void GeneraArchivos::guardadatosgeneral() {
    db::Recordset rs = conexion_.open_recordset(kDatosGeneralSql);
    if (rs.eof())
        rs.add_new();
    else
        rs.move_first();
    rs.set("fechaini", runtime::Value::date(semana.fechaini));
    rs.set("fechaend", runtime::Value::date(semana.fechafin));
    rs.set("boletas_totales", totalboletas);
    rs.update();
}

}  // namespace quality
