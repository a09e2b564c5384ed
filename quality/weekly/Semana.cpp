#include "Semana.h"

#include "runtime/format.h"

namespace quality {

void armafecha(Semana& semana) {
    semana.mm = runtime::format_date(semana.fechafin, "mm");
    semana.dd = runtime::format_date(semana.fechafin, "dd");
}

}  // namespace quality
