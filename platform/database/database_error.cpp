#include "database_error.h"

#include <sqlite3.h>

namespace db {

void throw_sqlite_error(sqlite3* handle, int rc, const std::string& context) {
    int extended = handle ? sqlite3_extended_errcode(handle) : rc;
    std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
    std::string where = context.empty() ? "" : " (" + context + ")";
    switch (extended) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY: {
            const std::string reason =
                "Los cambios no se realizaron porque crearían valores duplicados en el "
                "índice o la clave principal: " +
                message;
            throw Error(kDuplicateKey, reason + where, Failure::RowRefused, reason);
        }
        case SQLITE_CONSTRAINT_FOREIGNKEY: {
            const std::string reason =
                "No se puede agregar o cambiar el registro porque se necesita un registro "
                "relacionado en otra tabla: " +
                message;
            throw Error(kRelatedRecordRequired, reason + where, Failure::RowRefused, reason);
        }
        default:
            break;
    }
    // A value the row brought (a constraint, a type, a size) is the row's
    // fault; anything else is the database failing.
    const int primary = extended & 0xff;
    const bool refused = primary == SQLITE_CONSTRAINT || primary == SQLITE_MISMATCH ||
                         primary == SQLITE_TOOBIG || primary == SQLITE_RANGE;
    throw Error(kGeneralError, message + where, refused ? Failure::RowRefused : Failure::Database,
                message);
}

}  // namespace db
