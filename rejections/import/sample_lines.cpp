#include "sample_lines.h"

#include <array>

#include "posicion.h"

namespace rejections {

namespace {

// Headings, rulers and totals of the printed listing, never data.
constexpr std::array<std::string_view, 5> kSkippedPrefixes = {"__", "AR", "TO", "|T", "MU"};

bool is_kept(std::string_view linea) {
    if (linea.empty()) {
        return false;
    }
    const std::string_view prefix = linea.substr(0, 2);
    for (std::string_view skipped : kSkippedPrefixes) {
        if (prefix == skipped) {
            return false;
        }
    }
    return true;
}

bool is_blank(std::string_view linea) {
    return linea.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::string limpia_lin(std::string_view linea) {
    std::string limpia;
    std::size_t from = linea.find_first_not_of(" *");
    if (from == std::string_view::npos) {
        return limpia;
    }
    limpia.reserve(linea.size() - from);
    while (from < linea.size()) {
        const std::size_t star = linea.find('*', from);
        limpia.append(linea.substr(from, star - from));
        if (star == std::string_view::npos) {
            break;
        }
        from = star + 1;
    }
    return limpia;
}

std::string lee_lin(SampleFile& archivo) {
    std::string linea;
    while (archivo.read_line(linea)) {
        std::string limpia = limpia_lin(linea);
        if (is_kept(limpia)) {
            return limpia;
        }
    }
    return std::string(kFinDeArchivo);
}

std::string salta_bloque(SampleFile& archivo) {
    std::string linea;
    for (int i = 0; i < 2; ++i) {
        if (!archivo.read_line(linea)) {
            return std::string(kFinDeArchivo);
        }
    }
    while (archivo.read_line(linea)) {
        if (is_blank(linea)) {
            return linea;
        }
    }
    return std::string(kFinDeArchivo);
}

std::string_view sig_campo(std::string_view& lin_original) {
    const std::size_t p = posicion("|", lin_original);
    if (p == 0) {
        return {};
    }
    if (lin_original.size() < 3) {
        return lin_original.substr(0, 1);
    }
    const std::string_view campo = lin_original.substr(0, p - 1);
    lin_original.remove_prefix(p);
    return campo;
}

}  // namespace rejections
