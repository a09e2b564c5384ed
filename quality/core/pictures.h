#pragma once
// The pictures of Ternova's picture buttons and windows, drawn by the
// program itself so that no image file has to travel with it.

#include <QIcon>

namespace quality {

enum class Picture {
    Generar,     // the weekly run: a page of tickets with a die
    Ver,         // the ticket browser: a magnifier over a list
    Totales,     // the totals: a small table with its sum
    Evaluar,     // the evaluation: a check mark on a page
    Contrasena,  // the password: a key
    Graficas,    // the graphs: bars
    Programa,    // the program's icon: a ticket with a check mark
};

QIcon picture(Picture which);

}  // namespace quality
