#include "posicion.h"

namespace rejections {

std::size_t posicion(std::string_view buscado, std::string_view texto) {
    const std::size_t found = texto.find(buscado);
    return found == std::string_view::npos ? 0 : found + 1;
}

}  // namespace rejections
