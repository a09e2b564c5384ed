#pragma once
// The reader of the resolved-tickets report: one block per work list, headed
// by a "LISTA DE TRABAJO" line; the week's dates on the first "DE FECHA"
// line; a separator line beginning "-"; fixed-column detail lines; a block
// ending at a line whose first 12 characters, trimmed, are empty or begin
// with "FIN DE LIST". Every detail line becomes a row of Boletas_Resueltas.
//
// The procedures keep their names and their order of use: the weekly run
// calls buscalista() and leefechas() for the first block's name and the
// week's dates, then cargaboletas() for every detail line of the report.
// A report they cannot read raises ErrorArchivo, which names the line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Avance.h"
#include "database/database.h"
#include "database/statement.h"
#include "runtime/date_serial.h"
#include "runtime/line_reader.h"

namespace quality {

inline constexpr const char* kBoletasResueltasSql = "Select * From Boletas_Resueltas";
// The append of one ticket to Boletas_Resueltas.
inline constexpr const char* kInsertaBoletaSql =
    "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico, fecha_creada, fecha_resuelta,"
    " prioridad) VALUES (?, ?, ?, ?, ?, ?)";

// A ticket moment of the report's fixed columns, "dd/mm/yyyy hh:mm" or
// "dd/mm/yy hh:mm", with or without ":ss", blanks around it ignored, always
// day first, as the stored form "dd/mm/yy hh:mm"; nothing when the text is
// none of these forms or names no real day and time.
std::optional<std::string> momento_boleta(std::string_view texto);

// The current ticket, as separacampos() cuts it from a detail line.
struct Boleta {
    std::string boleta, tecnico, fecha_creada, fecha_resuelta, prioridad;
};

// One line of the reading, handed to the storing side: whether the bar
// moved and to which value, and the ticket the line held, if any, with its
// work list when it differs from the ticket's before.
struct PasoLectura {
    bool mueve = false;
    long valor = 0;
    bool con_boleta = false;
    bool otra_lista = false;
    std::string listatrabajo;
    Boleta boleta;
};

class LectorBoletas {
public:
    // Reads `reporte` (file 1) from where it stands, stores into `conexion`
    // and moves the upper bar of `avance`, whose maximum is the report's
    // length in bytes.
    LectorBoletas(runtime::LineReader& reporte, db::Database& conexion, Avance& avance);

    // The procedures of the reader.

    // Reads up to the next work-list header; listatrabajo := its name.
    void buscalista();
    // Reads up to the first "DE FECHA" line, one step of the bar per line;
    // fechaini and fechafin := its two dates.
    void leefechas();
    // Reads up to the next separator line.
    void buscaseparador();
    // Cuts linea into the current ticket; false when its creation or
    // resolution moment can't be read (the line is then left out). A line
    // too short for the technician's column raises ErrorArchivo.
    bool separacampos();
    // Appends the current ticket to Boletas_Resueltas; lblporc := the bar's
    // percentage; totalboletas += 1.
    void guardaboleta();
    // Stores every detail line of the report, block by block, up to its end;
    // a detail line standing last, without a closing line, is stored too.
    // Detail lines whose moments can't be read are left out and counted.
    void cargaboletas();

    // The state the reader leaves.

    std::string linea;         // the line in hand
    std::string principio;     // the first 12 characters of the line, trimmed
    std::string listatrabajo;  // the current work list
    runtime::DateSerial fechaini = 0, fechafin = 0;
    Boleta boleta;
    // The detail lines left out: how many, and the numbers of the first ones.
    long total_omitidas = 0;
    std::vector<long> omitidas;
    static constexpr std::size_t kOmitidasNombradas = 10;

private:
    // While the tickets are stored, the reading's thread writes the members
    // above and numero_, the storing's totalboletas and the ones after it,
    // and both read the ones from here to totalboletas. Each group stands on
    // cache lines of its own: a line one side writes at every ticket and the
    // other reads is taken from core to core at every ticket.
    alignas(64) long maximo_ = 0;  // Barrita's maximum
    runtime::LineReader& reporte_;
    db::Database& conexion_;
    Avance& avance_;

public:
    alignas(64) double totalboletas = 0;  // tickets stored in this run

private:
    void leer();                   // the next line into linea
    std::string en_linea() const;  // "Línea N: ", N the number of the line in hand
    void avanza(long pasos);
    static bool empieza(std::string_view texto, std::string_view inicio);
    // Appends a ticket, moves lblporc and counts it (guardaboleta's work).
    void guarda(const std::string& lista, const Boleta& b);

    std::optional<db::Statement> inserta_;  // the prepared append, while tickets are stored
    long valor_ = 0;                        // Barrita's value
    long porcentaje_ = -1;                  // lblporc's last value, and its text
    std::string lblporc_;
    alignas(64) long numero_ = 0;  // the number of the line in hand, from 1
};

}  // namespace quality
