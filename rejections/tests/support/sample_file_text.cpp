#include "sample_file_text.h"

#include <stdexcept>

namespace rejections::testing {

Registro registro(const std::string& clli, int numero) {
    Registro r;
    r.d = {"",
           "09",
           "031",
           "55512" + std::to_string(10000 + numero),
           "5557654321",
           "1",
           "103015",
           "080614",
           "000130",
           clli,
           "0012",
           "0034",
           "E07",
           "LR1",
           "16",
           "01",
           "CAR",
           "CF7",
           "XS8",
           "RI9",
           "ID" + std::to_string(numero)};
    return r;
}

std::string linea_muestra(const Registro& r, bool rating, const std::string& resto) {
    // s1 date (packed as in the record), s2, s3 central, s4 route, s5, s6
    // traffic ID, s7 disconnection reason, s8 error code, s9 billing format.
    std::string linea =
        "|" + r.d[7] + "|S2|" + r.d[9] + "|" + r.d[10] + "|S5|" + r.d[20] + "|" + r.d[2] + "|";
    if (rating) {
        linea += "OTRO|";
    }
    return linea + r.d[12] + "|" + r.d[13] + "|" + resto;
}

std::string linea_detalle(const Registro& r, std::size_t largo) {
    std::string linea = "|";
    for (std::size_t j = 1; j <= 20; ++j) {
        linea += r.d[j] + "|";
    }
    if (linea.size() > largo) {
        throw std::logic_error("detail line longer than asked: " + linea);
    }
    linea.append(largo - linea.size(), '0');
    return linea;
}

std::string linea_fecha(const std::string& mes, const std::string& dia, const std::string& hora) {
    return "FECHA:" + mes + " " + dia + " 2008  " + hora;
}

std::string texto(const std::vector<std::string>& lineas, const std::string& fin) {
    std::string out;
    for (const std::string& linea : lineas) {
        out += linea + fin;
    }
    return out;
}

}  // namespace rejections::testing
