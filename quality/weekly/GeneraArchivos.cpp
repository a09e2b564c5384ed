#include "GeneraArchivos.h"

#include <exception>
#include <optional>
#include <system_error>

#include "ErrorArchivo.h"
#include "LectorBoletas.h"
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

bool GeneraArchivos::generaarchivos(const fs::path& archivo) {
    archivoentrada = archivo;
    generado = false;
    libros_.clear();

    // The report, and an empty one refused at once:
    std::optional<runtime::LineReader> reporte;
    try {
        reporte.emplace(archivoentrada);
    } catch (const std::exception&) {
        avisos_.mensaje(kErrorEnArchivo, kCritico);
        return false;
    }
    if (reporte->eof()) {
        avisos_.mensaje(kErrorEnArchivo, kCritico);
        return false;
    }

    avisos_.reloj(true);
    avance_.mostrar();
    avance_.barra(Barra::Barrita, 0, static_cast<long>(reporte->length()));
    LectorBoletas lector(*reporte, conexion_, avance_);
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

        db::Transaction transaccion(conexion_);
        conexion_.execute(kBorraBoletasResueltasSql);
        lector.totalboletas = 0;
        lector.cargaboletas();
        totalboletas = lector.totalboletas;

        const std::string muestra = nombre_muestra(semana);
        libros_.push_back({temporal(muestra), semana.directorioentrada / muestra});
        MdlRandomTkt(conexion_, avance_, aleatorio_)
            .generaboletasaleatorias(semana, libros_.back().temporal);
        exportaboletastecnicos();

        // Everything stands: the workbooks take their names, then the data is kept.
        for (auto& libro : libros_) {
            fs::rename(libro.temporal, libro.final);
            libro.en_su_lugar = true;
        }
        transaccion.commit();
    } catch (const std::exception&) {
        falla();
        return false;
    }

    avisos_.reloj(false);
    generado = true;
    avance_.descargar();
    return true;
}

void GeneraArchivos::falla() {
    if (hoja_) {
        hoja_->close();
        hoja_.reset();
    }
    deshaz_archivos();
    avisos_.reloj(false);
    avance_.descargar();
    avisos_.mensaje(kErrorEnArchivo, kCritico);
}

void GeneraArchivos::deshaz_archivos() {
    std::error_code ignorado;
    for (const auto& libro : libros_)
        fs::remove(libro.en_su_lugar ? libro.final : libro.temporal, ignorado);
    libros_.clear();
}

fs::path GeneraArchivos::temporal(const std::string& nombre) const {
    return semana.directorioentrada / ("~" + nombre + ".tmp");
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
    hoja_ = std::make_unique<workbook::TemplateWorkbook>(
        workbook::TemplateWorkbook::open(runtime::program_file(kTicketsTecnicosPlantilla)));
    llenalistatrabajo();
    llenatotales();

    // The location code of the workbook's name:
    std::string codigo;
    {
        db::Recordset car = conexion_.open_recordset(kCarSql, db::Cursor::Static);
        if (!car.eof())
            codigo = car[0].to_text();
    }
    const std::string nombre = "bol_resv_tec_" + codigo + semana.mm + semana.dd + ".xls";
    libros_.push_back({temporal(nombre), semana.directorioentrada / nombre});
    hoja_->saveAs(libros_.back().temporal, {.readOnlyRecommended = true});
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
