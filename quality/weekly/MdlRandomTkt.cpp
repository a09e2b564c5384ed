#include "MdlRandomTkt.h"

#include <cmath>

#include "ErrorArchivo.h"
#include "LibrosSemana.h"
#include "runtime/conversions.h"
#include "runtime/program_folder.h"

namespace quality {

std::string nombre_muestra(const Semana& semana) {
    return "rand_boltec_wklist" + semana.mm + semana.dd + ".xls";
}

long registro_sorteado(long inicio, long fin, double rnd) {
    const long n = fin - inicio + 1;
    const long k = static_cast<long>(std::floor(rnd * double(n)));
    return fin - k;
}

MdlRandomTkt::MdlRandomTkt(db::Database& conexion, Avance& avance, Aleatorio& aleatorio)
    : conexion_(conexion), avance_(avance), aleatorio_(aleatorio) {}

MdlRandomTkt::~MdlRandomTkt() {
    if (hoja_)
        hoja_->close();  // a sampling that failed leaves no workbook behind
}

std::string MdlRandomTkt::texto_de(const char* columna) const {
    const runtime::Value& valor = rsgeneral_[columna];
    if (valor.is_null())
        throw ErrorArchivo(std::string("Una boleta de la semana no tiene ") + columna + ".");
    return valor.to_text();
}

void MdlRandomTkt::generaboletasaleatorias(const Semana& semana,
                                           const std::filesystem::path& libro) {
    semana_ = semana;
    libro_ = libro;
    aleatorio_.randomize();
    avance_.etiqueta(Etiqueta::lblarch, "Archivos semanales terminados");
    avance_.etiqueta(Etiqueta::lblporc, runtime::str(100));
    abrenumeroboletas();

    // The week is read once, forwards; only the rows of the group in hand
    // are kept, so the memory is a group's, not the week's.
    const long maximo = static_cast<long>(conexion_.scalar(kCuentaTecnicoWrklistSql).to_number());
    rsgeneral_ = conexion_.open_recordset(kTecnicoWrklistSql, db::Cursor::ForwardOnly);
    conexion_.execute(kBorraRndTicketsSql);
    rsRnd_ = conexion_.open_recordset(kRndTicketsSql, db::Cursor::Static);
    if (rsgeneral_.eof())
        throw ErrorArchivo("La semana no tiene boletas que sortear.");

    // The first group starts at the first row:
    fin = 0;
    inicio = 1;
    tecnico_ = texto_de("tecnico");
    listatrabajo_ = texto_de("listatrabajo");
    grupo_.clear();
    long valor = 0;
    avance_.barra(Barra::Barrita2, valor, maximo);

    // Each row either belongs to the group in hand or ends it:
    for (; !rsgeneral_.eof(); rsgeneral_.move_next()) {
        if (texto_de("tecnico") == tecnico_ && texto_de("listatrabajo") == listatrabajo_)
            fin += 1;
        else
            eligeboletas();
        guarda_en_grupo();
        if (maximo - 5 > valor) {
            valor += 1;
            avance_.barra(Barra::Barrita2, valor, maximo);
            avance_.etiqueta(Etiqueta::lblporc1,
                             runtime::number_to_text(std::floor(double(valor) * 100.0 / maximo)));
        }
    }
    sortea_grupo();  // the last group
    rsgeneral_ = db::Recordset();

    conexion_.execute(kHistoricoRndSql);
    guardahistorico();
    avance_.etiqueta(Etiqueta::lblbole, "Boletas aleatorias terminadas");
}

void MdlRandomTkt::abrenumeroboletas() {
    hoja_ = std::make_unique<workbook::TemplateWorkbook>(abre_plantilla(kNumeroBoletasPlantilla));
    armafecha(semana_);
    hoja_->setValue(3, 3, workbook::DateSerial{semana_.fechaini});
    hoja_->setValue(3, 7, workbook::DateSerial{semana_.fechafin});
    filaboletas = 5;
}

void MdlRandomTkt::eligeboletas() {
    sortea_grupo();
    // The current row is the first of the next group:
    inicio = fin + 1;
    fin = fin + 1;
    tecnico_ = texto_de("tecnico");
    listatrabajo_ = texto_de("listatrabajo");
    grupo_.clear();
}

void MdlRandomTkt::guarda_en_grupo() {
    grupo_.push_back({rsgeneral_["boleta"].to_text(), rsgeneral_["fecha_creada"].to_text(),
                      rsgeneral_["fecha_resuelta"].to_text(), rsgeneral_["prioridad"].to_text()});
}

void MdlRandomTkt::sortea_grupo() {
    const long registro = registro_sorteado(inicio, fin, aleatorio_.rnd());
    const BoletaDelGrupo& sorteada = grupo_.at(static_cast<std::size_t>(registro - inicio));
    boleta_ = sorteada.boleta;
    fecha_creada_ = sorteada.fecha_creada;
    fecha_resuelta_ = sorteada.fecha_resuelta;
    prioridad_ = sorteada.prioridad;
    guardaboletaaleatoria();
}

void MdlRandomTkt::guardaboletaaleatoria() {
    hoja_->setValue(filaboletas, 1, tecnico_);
    hoja_->setValue(filaboletas, 3, boleta_);
    hoja_->setValue(filaboletas, 5, listatrabajo_);
    filaboletas += 1;
    rsRnd_.add_new();
    rsRnd_.set("tecnico", tecnico_);
    rsRnd_.set("listatrabajo", listatrabajo_);
    rsRnd_.set("boleta", boleta_);
    rsRnd_.set("fecha_creada", fecha_creada_);
    rsRnd_.set("fecha_resuelta", fecha_resuelta_);
    rsRnd_.set("prioridad", prioridad_);
    rsRnd_.update();
}

void MdlRandomTkt::guardahistorico() {
    conexion_.execute(kHistoricoCalidadSql);
    guarda_libro(*hoja_, libro_, nombre_muestra(semana_));
    hoja_->close();
    hoja_.reset();
}

}  // namespace quality
