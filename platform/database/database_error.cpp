#include "database_error.h"

#include <sqlite3.h>

namespace db {

void throw_sqlite_error(sqlite3* handle, int rc, const std::string& context) {
    int extended = handle ? sqlite3_extended_errcode(handle) : rc;
    std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
    std::string where = context.empty() ? "" : " (" + context + ")";
    switch (extended) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            throw Error(kDuplicateKey,
                        "Los cambios no se realizaron porque crearían valores duplicados en el "
                        "índice o la clave principal: " +
                            message + where);
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            throw Error(kRelatedRecordRequired,
                        "No se puede agregar o cambiar el registro porque se necesita un registro "
                        "relacionado en otra tabla: " +
                            message + where);
        default:
            throw Error(kGeneralError, message + where);
    }
}

}  // namespace db
