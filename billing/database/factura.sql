-- factura.mdb: the detailed billing records of the calls.
--
-- "Facturación Detallada" is the store the import appends to: a counter key
-- at position 0, then fields 1 to 38 of the record at positions 1 to 38.
-- prueba shows the same rows, fields 1 to 38 at positions 0 to 37, under
-- the names the filter window and the grid use; the grid, the filter and
-- the report read it, and deleting from it deletes from the store.

CREATE TABLE "Facturación Detallada" (
  "Id"                       INTEGER PRIMARY KEY AUTOINCREMENT,
  "Tipo servicio"            TEXT COLLATE CASEBLIND,
  "Longitud registro"        INTEGER,
  "Causa de Salida"          TEXT COLLATE CASEBLIND,
  "Número registro"          TEXT COLLATE CASEBLIND,
  "Ident llamada"            INTEGER,
  "Secuencia registro"       INTEGER,
  "# cliente A"              TEXT COLLATE CASEBLIND,
  "Cat cliente A"            TEXT COLLATE CASEBLIND,
  "# cliente B"              TEXT COLLATE CASEBLIND,
  "Estado B"                 TEXT COLLATE CASEBLIND,
  "Razón desconexión"        TEXT COLLATE CASEBLIND,
  "Código falla entrante"    TEXT COLLATE CASEBLIND,
  "Fecha inicio fact"        TEXT COLLATE CASEBLIND,
  "Hora inicio fact"         TEXT COLLATE CASEBLIND,
  "Duración fact"            TEXT COLLATE CASEBLIND,
  "Duración interrupción"    TEXT COLLATE CASEBLIND,
  "Toma reg a inicio fact"   TEXT COLLATE CASEBLIND,
  "Carrier"                  TEXT COLLATE CASEBLIND,
  "Ruta salida"              TEXT COLLATE CASEBLIND,
  "Ruta entrada"             TEXT COLLATE CASEBLIND,
  "Ind reenrutamiento"       TEXT COLLATE CASEBLIND,
  "Estado llamada"           TEXT COLLATE CASEBLIND,
  "Ind liberación anormal"   TEXT COLLATE CASEBLIND,
  "Ind ruta salida"          TEXT COLLATE CASEBLIND,
  "Ind ruta entrada"         TEXT COLLATE CASEBLIND,
  "Ind facilidades abonado"  TEXT COLLATE CASEBLIND,
  "Número abreviado"         TEXT COLLATE CASEBLIND,
  "Llamada relacionada"      TEXT COLLATE CASEBLIND,
  "Ind marcación correcta"   TEXT COLLATE CASEBLIND,
  "Título procedimiento"     TEXT COLLATE CASEBLIND,
  "# cliente X"              TEXT COLLATE CASEBLIND,
  "Cliente facturado"        TEXT COLLATE CASEBLIND,
  "Ind servicio inmediato"   TEXT COLLATE CASEBLIND,
  "Precio"                   TEXT COLLATE CASEBLIND,
  "Origen cobro"             TEXT COLLATE CASEBLIND,
  "Clase tarifa"             TEXT COLLATE CASEBLIND,
  "Ind tarifa conmutada"     TEXT COLLATE CASEBLIND,
  "Servicio Red Inteligente" TEXT COLLATE CASEBLIND
);

CREATE VIEW prueba AS
SELECT
  "Tipo servicio",
  "Longitud registro",
  "Causa de Salida",
  "Número registro",
  "Ident llamada",
  "Secuencia registro",
  "# cliente A",
  "Cat cliente A",
  "# cliente B",
  "Estado B",
  "Razón desconexión",
  "Código falla entrante",
  "Fecha inicio fact",
  "Hora inicio fact",
  "Duración fact",
  "Duración interrupción",
  "Toma reg a inicio fact",
  "Carrier",
  "Ruta salida",
  "Ruta entrada",
  "Ind reenrutamiento",
  "Estado llamada",
  "Ind liberación anormal",
  "Ind ruta salida",
  "Ind ruta entrada",
  "Ind facilidades abonado",
  "Número abreviado",
  "Llamada relacionada",
  "Ind marcación correcta",
  "Título procedimiento",
  "# cliente X",
  "Cliente facturado",
  "Ind servicio inmediato",
  "Precio",
  "Origen cobro",
  "Clase tarifa",
  "Ind tarifa conmutada",
  "Servicio Red Inteligente"
FROM "Facturación Detallada";

-- A row of prueba carries no key: each deleted row takes one store row
-- equal to it in every field (exact texts), the lowest key first, so that a
-- delete of the whole view walks the store from its front.
CREATE TRIGGER "prueba delete" INSTEAD OF DELETE ON prueba
BEGIN
  DELETE FROM "Facturación Detallada"
  WHERE "Id" = (
    SELECT "Id" FROM "Facturación Detallada"
    WHERE "Tipo servicio" IS OLD."Tipo servicio" COLLATE BINARY
      AND "Longitud registro" IS OLD."Longitud registro"
      AND "Causa de Salida" IS OLD."Causa de Salida" COLLATE BINARY
      AND "Número registro" IS OLD."Número registro" COLLATE BINARY
      AND "Ident llamada" IS OLD."Ident llamada"
      AND "Secuencia registro" IS OLD."Secuencia registro"
      AND "# cliente A" IS OLD."# cliente A" COLLATE BINARY
      AND "Cat cliente A" IS OLD."Cat cliente A" COLLATE BINARY
      AND "# cliente B" IS OLD."# cliente B" COLLATE BINARY
      AND "Estado B" IS OLD."Estado B" COLLATE BINARY
      AND "Razón desconexión" IS OLD."Razón desconexión" COLLATE BINARY
      AND "Código falla entrante" IS OLD."Código falla entrante" COLLATE BINARY
      AND "Fecha inicio fact" IS OLD."Fecha inicio fact" COLLATE BINARY
      AND "Hora inicio fact" IS OLD."Hora inicio fact" COLLATE BINARY
      AND "Duración fact" IS OLD."Duración fact" COLLATE BINARY
      AND "Duración interrupción" IS OLD."Duración interrupción" COLLATE BINARY
      AND "Toma reg a inicio fact" IS OLD."Toma reg a inicio fact" COLLATE BINARY
      AND "Carrier" IS OLD."Carrier" COLLATE BINARY
      AND "Ruta salida" IS OLD."Ruta salida" COLLATE BINARY
      AND "Ruta entrada" IS OLD."Ruta entrada" COLLATE BINARY
      AND "Ind reenrutamiento" IS OLD."Ind reenrutamiento" COLLATE BINARY
      AND "Estado llamada" IS OLD."Estado llamada" COLLATE BINARY
      AND "Ind liberación anormal" IS OLD."Ind liberación anormal" COLLATE BINARY
      AND "Ind ruta salida" IS OLD."Ind ruta salida" COLLATE BINARY
      AND "Ind ruta entrada" IS OLD."Ind ruta entrada" COLLATE BINARY
      AND "Ind facilidades abonado" IS OLD."Ind facilidades abonado" COLLATE BINARY
      AND "Número abreviado" IS OLD."Número abreviado" COLLATE BINARY
      AND "Llamada relacionada" IS OLD."Llamada relacionada" COLLATE BINARY
      AND "Ind marcación correcta" IS OLD."Ind marcación correcta" COLLATE BINARY
      AND "Título procedimiento" IS OLD."Título procedimiento" COLLATE BINARY
      AND "# cliente X" IS OLD."# cliente X" COLLATE BINARY
      AND "Cliente facturado" IS OLD."Cliente facturado" COLLATE BINARY
      AND "Ind servicio inmediato" IS OLD."Ind servicio inmediato" COLLATE BINARY
      AND "Precio" IS OLD."Precio" COLLATE BINARY
      AND "Origen cobro" IS OLD."Origen cobro" COLLATE BINARY
      AND "Clase tarifa" IS OLD."Clase tarifa" COLLATE BINARY
      AND "Ind tarifa conmutada" IS OLD."Ind tarifa conmutada" COLLATE BINARY
      AND "Servicio Red Inteligente" IS OLD."Servicio Red Inteligente" COLLATE BINARY
    ORDER BY "Id"
    LIMIT 1);
END;
