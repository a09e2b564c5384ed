#pragma once
// Ratings in the history table as the evaluation window leaves them, for the
// count queries behind the graphs: one ticket row per call, its five
// criteria 1 (not rated), 2 (satisfactory) or 3 (unsatisfactory).

#include <array>
#include <string>

#include "database/database.h"

// The technicians of the two locations (UBICACION 0 "CAR", 1 "Centro de Mantenimiento").
inline void addRatingTechnicians(db::Database& d) {
    d.execute(
        "INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES "
        "('JPR', 'JUAN PEREZ', '0'), ('LRH', 'LUIS RAMOS', '1')");
}

inline void addRatedTicket(db::Database& d, const std::string& tecnico, const std::string& boleta,
                           const std::string& creada, const std::array<int, 5>& articulos) {
    d.execute(
        "INSERT INTO Historico_Boletas_Calidad (Tecnico, Boleta, Fecha_creada, articulo1, "
        "articulo2, articulo3, articulo4, articulo5) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
        {tecnico, boleta, creada, articulos[0], articulos[1], articulos[2], articulos[3],
         articulos[4]});
}

// March 1999 at CAR: 7 satisfactory and 2 unsatisfactory ratings, and one
// criterion of the second ticket not rated yet.
inline void addMarch1999AtCar(db::Database& d) {
    addRatedTicket(d, "JPR", "B1", "15/03/99 10:00", {2, 2, 2, 2, 2});
    addRatedTicket(d, "JPR", "B2", "31/03/99 23:59", {2, 3, 2, 3, 1});
}
