-- Ternova.mdb: the tables and saved queries of the quality plan.
--
-- Text that the program compares is declared COLLATE CASEBLIND, the
-- database layer's comparison blind to letter case (accented letters
-- included), as the old engine compared text. Ticket moments are texts
-- "dd/mm/yy hh:mm"; the DATETIME columns hold date serials (days since
-- 30 December 1899). The queries call the database layer's functions
-- month(), year() and format(), which read day-first texts.

-- The week's resolved tickets, refilled from the report by every weekly run.
CREATE TABLE Boletas_Resueltas (
    listatrabajo   TEXT COLLATE CASEBLIND,
    boleta         TEXT COLLATE CASEBLIND,
    tecnico        TEXT COLLATE CASEBLIND,
    fecha_creada   TEXT COLLATE CASEBLIND,
    fecha_resuelta TEXT COLLATE CASEBLIND,
    prioridad      TEXT COLLATE CASEBLIND
);
-- The week's totals per technician, and per technician and work list, are
-- read in this order, from the index alone. The weekly run makes it anew
-- once the week's tickets are stored.
CREATE INDEX Boletas_Resueltas_Tecnico ON Boletas_Resueltas (tecnico, listatrabajo);

-- The week's sample: one ticket per technician and work list.
CREATE TABLE Rnd_Tickets (
    tecnico        TEXT COLLATE CASEBLIND,
    listatrabajo   TEXT COLLATE CASEBLIND,
    boleta         TEXT COLLATE CASEBLIND,
    fecha_creada   TEXT COLLATE CASEBLIND,
    fecha_resuelta TEXT COLLATE CASEBLIND,
    prioridad      TEXT COLLATE CASEBLIND
);

-- Every week's sample, kept for ever.
CREATE TABLE Historico_Rnd (
    Tecnico        TEXT COLLATE CASEBLIND,
    Listatrabajo   TEXT COLLATE CASEBLIND,
    Boleta         TEXT COLLATE CASEBLIND,
    Fecha_creada   TEXT COLLATE CASEBLIND,
    Fecha_resuelta TEXT COLLATE CASEBLIND,
    prioridad      TEXT COLLATE CASEBLIND
);

-- The sampled tickets with their evaluations. articulo1..5: 1 not rated,
-- 2 satisfactory, 3 unsatisfactory, Null until first saved; semana "1".."4".
CREATE TABLE Historico_Boletas_Calidad (
    Tecnico         TEXT COLLATE CASEBLIND,
    Listatrabajo    TEXT COLLATE CASEBLIND,
    Boleta          TEXT COLLATE CASEBLIND,
    Fecha_creada    TEXT COLLATE CASEBLIND,
    Fecha_resuelta  TEXT COLLATE CASEBLIND,
    prioridad       TEXT COLLATE CASEBLIND,
    articulo1       INTEGER,
    articulo2       INTEGER,
    articulo3       INTEGER,
    articulo4       INTEGER,
    articulo5       INTEGER,
    fecha_reconoce  TEXT COLLATE CASEBLIND,
    supervisor      TEXT COLLATE CASEBLIND,
    fecha_actualiza DATETIME,
    comentarios     TEXT COLLATE CASEBLIND,
    semana          TEXT COLLATE CASEBLIND
);
CREATE INDEX Historico_Boletas_Calidad_Boleta ON Historico_Boletas_Calidad (Boleta);
CREATE INDEX Historico_Boletas_Calidad_Tecnico ON Historico_Boletas_Calidad (Tecnico);

-- The last generated week: its first and last day and its ticket total.
CREATE TABLE Datos_General (
    fechaini        DATETIME,
    fechaend        DATETIME,
    boletas_totales INTEGER
);

-- The weekly run's workbooks between their writing under a temporary name
-- and their final name (see quality/weekly/LibrosSemana.h): listo 0 while
-- the week is being written, 1 once it is stored.
CREATE TABLE Libros_Pendientes (
    temporal TEXT PRIMARY KEY,
    final    TEXT NOT NULL,
    listo    INTEGER NOT NULL DEFAULT 0
);

-- The monthly totals behind the graphs.
CREATE TABLE GRAFICAS (
    rubro     TEXT COLLATE CASEBLIND,
    mes       TEXT COLLATE CASEBLIND,
    "año"     TEXT COLLATE CASEBLIND,
    valor     INTEGER,
    ubicacion TEXT COLLATE CASEBLIND
);

-- The time limits in minutes: tipo 'REC' acknowledgement, 'RES' resolution;
-- menor orders each kind as critical, major, minor.
CREATE TABLE Prioridades (
    num    INTEGER PRIMARY KEY,
    tipo   TEXT COLLATE CASEBLIND,
    menor  INTEGER,
    tiempo INTEGER
);

-- The users; a supervisor is known by the password alone.
CREATE TABLE SUPERVISORES (
    nombre        TEXT COLLATE CASEBLIND UNIQUE,
    "contraseña"  TEXT COLLATE CASEBLIND
);

-- The locations the graphs are drawn for.
CREATE TABLE UBICACION (
    Id        TEXT COLLATE CASEBLIND PRIMARY KEY,
    Ubicacion TEXT COLLATE CASEBLIND
);

-- The technicians; the third column is the Id of their UBICACION row.
CREATE TABLE TECNICOS (
    Iniciales TEXT COLLATE CASEBLIND UNIQUE,
    Nombre    TEXT COLLATE CASEBLIND,
    ubicacion TEXT COLLATE CASEBLIND
);

-- The location code put into the per-technician workbook's name.
CREATE TABLE CAR (
    codigo TEXT COLLATE CASEBLIND
);

-- The week's resolved tickets, all rows of one technician and work list together.
CREATE VIEW Tecnico_Wrklist AS
SELECT tecnico, listatrabajo, boleta, fecha_creada, fecha_resuelta, prioridad
  FROM Boletas_Resueltas
 ORDER BY tecnico, listatrabajo, rowid;

-- The week's tickets per technician and work list.
CREATE VIEW Tecnico_ListaTrabajo AS
SELECT tecnico, count(*) AS cantidad, listatrabajo
  FROM Boletas_Resueltas
 GROUP BY tecnico, listatrabajo
 ORDER BY tecnico, listatrabajo;

-- The week's tickets per technician.
CREATE VIEW Tecnico_Totales AS
SELECT tecnico, count(*) AS cantidad
  FROM Boletas_Resueltas
 GROUP BY tecnico
 ORDER BY tecnico;

-- The last resolution day of the week's tickets of registered technicians;
-- one row, Null when there are no such tickets.
CREATE VIEW Ultimafecha AS
SELECT max(cdate(b.fecha_resuelta)) AS Ultimafecha
  FROM Boletas_Resueltas b
  JOIN TECNICOS t ON t.Iniciales = b.tecnico;

-- The week's share of every technician. The name is looked up once for each
-- technician, as the group is written, not for each ticket.
CREATE VIEW Porcentaje_Tecnicos AS
SELECT b.tecnico AS Iniciales,
       (SELECT t.Nombre FROM TECNICOS t WHERE t.Iniciales = b.tecnico) AS Nombre,
       count(*) AS Boletas,
       format(100.0 * count(*) / (SELECT count(*) FROM Boletas_Resueltas), '##.00') || '%'
           AS Porcentaje
  FROM Boletas_Resueltas b
 GROUP BY b.tecnico
 ORDER BY b.tecnico;

-- The technicians with sampled tickets, by the month of the resolution.
CREATE VIEW Tecnicos_Semanales AS
SELECT DISTINCT month(h.Fecha_resuelta) AS MES, t.Nombre AS Nombre, t.Iniciales AS Iniciales
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
 ORDER BY t.Nombre;

-- Every sampled ticket of the whole history with its technician; column 0
-- is the technician's initials, column 5 the technician's resolved tickets
-- of the last week. The rows of one technician stand together.
CREATE VIEW Tecnico_All_Information AS
SELECT h.Tecnico AS Tecnico,
       t.Nombre AS Nombre,
       month(h.Fecha_resuelta) AS MES,
       h.Listatrabajo AS Wklist,
       h.Boleta AS RndBoleta,
       (SELECT count(*) FROM Boletas_Resueltas b WHERE b.tecnico = h.Tecnico) AS BolresvCar,
       t.Iniciales AS Iniciales,
       h.Fecha_creada AS Fecha_creada,
       h.Fecha_resuelta AS Fecha_resuelta,
       h.prioridad AS Prioridad
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
 ORDER BY t.Nombre, h.Tecnico, h.rowid;

-- The sampled tickets with their evaluations and the technician's name.
CREATE VIEW Boletas_Random_Historico AS
SELECT t.Nombre AS Nombre, h.Tecnico AS Tecnico, h.Boleta AS boleta,
       h.Fecha_creada AS fecha_creada, h.Fecha_resuelta AS fecha_resuelta,
       h.fecha_reconoce AS fecha_reconoce, h.prioridad AS prioridad,
       h.supervisor AS supervisor, h.semana AS semana,
       h.articulo1 AS articulo1, h.articulo2 AS articulo2, h.articulo3 AS articulo3,
       h.articulo4 AS articulo4, h.articulo5 AS articulo5, h.comentarios AS comentarios
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
 ORDER BY h.rowid;

-- The ratings per criterion, by month and year of the creation and by the
-- location of the technician: one row per month, year and location, its
-- count named like the view (filter by mes, año and ubicacion).
CREATE VIEW satisfactorios1 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS satisfactorios1
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo1 = 2
 GROUP BY 1, 2, 3;
CREATE VIEW satisfactorios2 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS satisfactorios2
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo2 = 2
 GROUP BY 1, 2, 3;
CREATE VIEW satisfactorios3 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS satisfactorios3
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo3 = 2
 GROUP BY 1, 2, 3;
CREATE VIEW satisfactorios4 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS satisfactorios4
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo4 = 2
 GROUP BY 1, 2, 3;
CREATE VIEW satisfactorios5 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS satisfactorios5
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo5 = 2
 GROUP BY 1, 2, 3;
CREATE VIEW nosatisfactorios1 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS nosatisfactorios1
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo1 = 3
 GROUP BY 1, 2, 3;
CREATE VIEW nosatisfactorios2 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS nosatisfactorios2
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo2 = 3
 GROUP BY 1, 2, 3;
CREATE VIEW nosatisfactorios3 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS nosatisfactorios3
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo3 = 3
 GROUP BY 1, 2, 3;
CREATE VIEW nosatisfactorios4 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS nosatisfactorios4
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo4 = 3
 GROUP BY 1, 2, 3;
CREATE VIEW nosatisfactorios5 AS
SELECT month(h.Fecha_creada) AS mes, year(h.Fecha_creada) AS "año", u.Ubicacion AS ubicacion,
       count(*) AS nosatisfactorios5
  FROM Historico_Boletas_Calidad h
  JOIN TECNICOS t ON t.Iniciales = h.Tecnico
  JOIN UBICACION u ON u.Id = t.ubicacion
 WHERE h.articulo5 = 3
 GROUP BY 1, 2, 3;
