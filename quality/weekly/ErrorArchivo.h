#pragma once
// The failure of a weekly run on a report or a week it cannot complete: the
// run undoes what it wrote and tells the user "Error en el archivo. No se
// pudo completar la acción." The text says what went wrong, for the log and
// the tests; the user sees only the file-error message.

#include <stdexcept>
#include <string>

namespace quality {

class ErrorArchivo : public std::runtime_error {
public:
    explicit ErrorArchivo(const std::string& detalle) : std::runtime_error(detalle) {}
};

}  // namespace quality
