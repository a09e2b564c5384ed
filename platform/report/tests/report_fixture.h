#pragma once
// A small database of monthly totals (text compared blind to case, as the
// programs' schemas declare it) and report files written by the tests.

#include <string>

#include "database/database.h"
#include "temp_dir.h"

struct TotalsDatabase {
    testsupport::TempDir dir;
    db::Database database;

    TotalsDatabase() {
        const auto file = dir.path() / "totales.mdb";
        db::Database::create_file(file, R"(
CREATE TABLE GRAFICAS (rubro TEXT COLLATE CASEBLIND, mes TEXT COLLATE CASEBLIND,
                       "año" TEXT COLLATE CASEBLIND, valor INTEGER,
                       ubicacion TEXT COLLATE CASEBLIND);
CREATE TABLE OTRA (x TEXT);
INSERT INTO GRAFICAS VALUES
  ('SATISFACTORIOS', 'MARZO', '1999', 7, 'CAR'),
  ('NO SATISFACTORIOS', 'MARZO', '1999', 2, 'CAR'),
  ('NO SATISFACTORIOS', 'ENERO', '1999', 4, 'CAR'),
  ('SATISFACTORIOS', 'ENERO', '1999', 5, 'CAR'),
  ('SATISFACTORIOS', 'DICIEMBRE', '1999', 9, 'CAR'),
  ('SATISFACTORIOS', 'MARZO', '1999', 30, 'CENTRO DE MANTENIMIENTO'),
  ('SATISFACTORIOS', 'MARZO', '2000', 1, 'CAR');
)");
        database.open(file);
    }

    std::filesystem::path reportFile(const std::string& name, const std::string& text) const {
        return dir.write(name, text);
    }
};

// The annual layout: months in calendar order, the two kinds of rating.
inline const char* const kAnnualReport = R"(# every graphed month of a year
title = Calificaciones del año
source = GRAFICAS
layout = bars
category = mes
series = rubro
value = valor
category-order = ENERO, FEBRERO, MARZO, ABRIL, MAYO, JUNIO, JULIO, AGOSTO, SEPTIEMBRE, OCTUBRE, NOVIEMBRE, DICIEMBRE
series-order = SATISFACTORIOS, NO SATISFACTORIOS
category-title = Mes
value-title = Calificaciones
)";
