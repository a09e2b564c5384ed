#pragma once
// The login of Ternova and the compaction of its database: the main
// window's database work, apart from its widgets.

#include <optional>
#include <string>
#include <string_view>

#include "MdlTtlQuality.h"

namespace quality {

// The login's statements; the typed password is bound, never put into the text.
inline constexpr const char* kLoginSql = "SELECT * FROM SUPERVISORES WHERE contraseña = ?;";
inline constexpr const char* kSupervisorSql =
    "SELECT contraseña FROM supervisores WHERE Nombre = 'SUPERVISOR';";

// The login.

// What a typed password finds.
struct Ingreso {
    // The `nombre` of the first supervisor whose password it is, compared as
    // the database compares text (blind to case); nothing when it is nobody's.
    std::optional<std::string> usuario;
    // Whether the supervisor SUPERVISOR exists (asked only when `usuario` was found).
    bool hay_supervisor = false;
    // Whether the password is SUPERVISOR's, both in capitals: the
    // administration entries are enabled then.
    bool administrador = false;
};

// Looks the typed password up. Throws db::Error when a query fails.
Ingreso busca_supervisor(db::Database& conexion, std::string_view clave);

// Compaction.

// The compacted copy's file name in the program folder.
inline constexpr const char* kCompactCopyFileName = kCopiaCompactada;

// Closes the connection, copies the database compacted into "Ternova1.mdb",
// checks the copy, puts it in place of "Ternova.mdb" in one step and reopens
// the connection. On a failure the database stays as it was, no copy is
// left, the connection is reopened on what is there (a missing file is not
// created and leaves it closed) and the error is thrown.
void compacta_base(MdlTtlQuality& state);

}  // namespace quality
