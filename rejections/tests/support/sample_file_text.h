#pragma once
// Sample files written by the tests, line by line, from the format of the
// switches' listings: a central's block is a "CI" line, a date line, the
// kind line ("CO" for Collection, anything else for Rating), type headings
// "LA"/"LO" with their sample lines, "RE", then one detail line per sample.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace rejections::testing {

// The 20 fields of a detail record in file order (index 1 to 20; 0 unused).
struct Registro {
    std::array<std::string, 21> d;
};

// A record of central clli that a matching sample describes with duration:
// time 10:30:15, date 08/06/14, duration 00:01:30, access prefix "01"
// (a long-distance "LA" sample). `numero` tells records and their samples
// apart: the calling number (field 3) ends in 10000 + numero and the traffic
// ID (field 20) is "ID" and numero.
Registro registro(const std::string& clli, int numero);

// The sample line that record r matches: its date, central, route, traffic
// ID, disconnection reason, error code and billing format, then the rest
// (which begins with "T" for a record with duration, "X" without, and holds
// the figure after its 5th character). A Rating line has one field more
// before the error code.
std::string linea_muestra(const Registro& r, bool rating, const std::string& resto);

// The detail line of record r, filled after its last field to `largo`
// characters (a record is 160 or 163 characters long).
std::string linea_detalle(const Registro& r, std::size_t largo = 160);

// "FECHA:" then the month at characters 7-9, the day at 11-12 ("5|" for a
// one-digit day) and the time in the last five characters.
std::string linea_fecha(const std::string& mes, const std::string& dia, const std::string& hora);

// The lines joined with the line end given.
std::string texto(const std::vector<std::string>& lineas, const std::string& fin = "\r\n");

}  // namespace rejections::testing
