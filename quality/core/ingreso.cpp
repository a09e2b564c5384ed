#include "ingreso.h"

#include "database/compaction.h"
#include "runtime/program_folder.h"
#include "runtime/strings.h"

namespace quality {

Ingreso busca_supervisor(db::Database& conexion, std::string_view clave) {
    Ingreso ingreso;
    db::Recordset rsgeneral =
        conexion.open_recordset(kLoginSql, db::Cursor::Static, {runtime::Value(clave)});
    if (rsgeneral.eof())
        return ingreso;
    ingreso.usuario = rsgeneral["nombre"].to_text();
    rsgeneral = conexion.open_recordset(kSupervisorSql, db::Cursor::Static);
    ingreso.hay_supervisor = !rsgeneral.eof();
    ingreso.administrador =
        ingreso.hay_supervisor && runtime::ucase(clave) == runtime::ucase(rsgeneral[0].to_text());
    return ingreso;
}

void compacta_base(MdlTtlQuality& state) {
    try {
        state.conexion.close();
        db::compact_database(MdlTtlQuality::base_de_datos(),
                             runtime::program_file(kCompactCopyFileName));
        state.abrebase();
    } catch (const std::exception&) {
        try {
            state.abrebase();
        } catch (const db::Error&) {
            // Nothing left to open: the next query names the missing file.
        }
        throw;
    }
}

}  // namespace quality
