#pragma once
// The failure of a weekly run on a report or a week it cannot complete: the
// run undoes what it wrote and tells the user "Error en el archivo. No se
// pudo completar la acción." and, on a line of its own, this text: what went
// wrong in the user's words (the report's line and field, the template).

#include <stdexcept>
#include <string>

namespace quality {

class ErrorArchivo : public std::runtime_error {
public:
    explicit ErrorArchivo(const std::string& detalle) : std::runtime_error(detalle) {}
};

}  // namespace quality
