-- riruzozs.mdb: the rejected billing samples of the switching centrals, the
-- sample files they came from, and the saved queries the windows read.
--
-- Text columns compare blind to case, accented letters too, as the old engine
-- did (the CASEBLIND collation of the database layer); the programs
-- open the file with foreign keys on, so that a sample of an unknown central
-- or of a file never entered is refused.

-- One row per imported sample file. Entering a file is the guard against
-- importing it twice: a second row of the same name fails on the key.
CREATE TABLE "Archivos Alta" (
    archivo TEXT NOT NULL COLLATE CASEBLIND PRIMARY KEY,  -- the file name as picked, without folder
    fecha   TEXT COLLATE CASEBLIND                         -- the date read from the name, YY/MM/DD
);

-- The switching centrals by their CLLI code.
CREATE TABLE Centrales (
    codigo_clli TEXT NOT NULL COLLATE CASEBLIND PRIMARY KEY,
    Central     TEXT COLLATE CASEBLIND,  -- the central's name
    Tipo        TEXT COLLATE CASEBLIND,  -- the kind of switch
    "División"  TEXT COLLATE CASEBLIND   -- the division the central belongs to
);

-- One row per detail record of a sample file. The import writes fields 1 to
-- 26 by position; field 0 is the row's number, given here.
CREATE TABLE "Riruzozs alta" (
    id              INTEGER PRIMARY KEY,  --  0
    tr              TEXT COLLATE CASEBLIND,  --  1 record type
    rd              TEXT COLLATE CASEBLIND,  --  2 disconnection reason
    numero_a        TEXT COLLATE CASEBLIND,  --  3 calling number
    numero_b        TEXT COLLATE CASEBLIND,  --  4 called number
    t               TEXT COLLATE CASEBLIND,  --  5
    hora            TEXT COLLATE CASEBLIND,  --  6 time of the call, HH:MM:SS
    fecha           TEXT COLLATE CASEBLIND,  --  7 date of the call, NN/NN/NN
    duracion        TEXT COLLATE CASEBLIND,  --  8 duration, HH:MM:SS
    clli            TEXT COLLATE CASEBLIND   --  9 the central
                    REFERENCES Centrales (codigo_clli),
    irs             TEXT COLLATE CASEBLIND,  -- 10 outgoing route index
    ire             TEXT COLLATE CASEBLIND,  -- 11 incoming route index
    err             TEXT COLLATE CASEBLIND,  -- 12 error code
    lr              TEXT COLLATE CASEBLIND,  -- 13 billing format
    cs              TEXT COLLATE CASEBLIND,  -- 14 exit cause
    pa              TEXT COLLATE CASEBLIND,  -- 15 access prefix
    carrier         TEXT COLLATE CASEBLIND,  -- 16
    cf_ni           TEXT COLLATE CASEBLIND,  -- 17
    x_subscriber    TEXT COLLATE CASEBLIND,  -- 18
    red_inteligente TEXT COLLATE CASEBLIND,  -- 19
    id_trafico      TEXT COLLATE CASEBLIND,  -- 20 traffic ID
    trcd            NUMERIC,              -- 21 from a matching sample with duration
    trsd            NUMERIC,              -- 22 from a matching sample without duration
    collection      INTEGER NOT NULL DEFAULT 0,  -- 23 true for a Collection block, false for Rating
    f_recoleccion   TEXT COLLATE CASEBLIND,  -- 24 when the block was collected, YY/MM/DD HH:MM
    fech_arch       TEXT COLLATE CASEBLIND,  -- 25 the sample file's date, YY/MM/DD
    archivo         TEXT COLLATE CASEBLIND   -- 26 the sample file; deleting the file deletes its rows
                    REFERENCES "Archivos Alta" (archivo) ON DELETE CASCADE
);

-- Deleting a file finds its rows through this index instead of reading them all.
CREATE INDEX "Riruzozs alta por archivo" ON "Riruzozs alta" (archivo);

-- The stored samples with their central, in the columns and order of the
-- grid and the report; the filters name these columns.
CREATE VIEW prueba AS
SELECT r.tr              AS [TR],
       r.rd              AS [RD],
       r.numero_a        AS [# de A],
       r.numero_b        AS [# de B],
       r.t               AS [T],
       r.hora            AS [Hora],
       r.fecha           AS [Fecha],
       r.duracion        AS [Duración],
       r.irs             AS [IRS],
       r.ire             AS [IRE],
       r.clli            AS [CLLI],
       c.Central         AS [Central],
       c.Tipo            AS [Tipo],
       r.err             AS [ERR],
       r.lr              AS [LR],
       r.cs              AS [CS],
       r.pa              AS [PA],
       r.carrier         AS [Carrier],
       r.cf_ni           AS [CF/NI],
       r.x_subscriber    AS [X-Subscriber],
       r.red_inteligente AS [Red Inteligente],
       r.id_trafico      AS [ID Trafico],
       r.trcd            AS [TRcd],
       r.trsd            AS [TRsd],
       CASE WHEN r.collection <> 0 THEN 'COLLECTION' ELSE 'RATING' END AS [T Error],
       r.f_recoleccion   AS [F Recolección],
       c."División"      AS [División],
       r.fech_arch       AS [Fech Arch],
       r.archivo         AS [Archivo]
FROM "Riruzozs alta" AS r
LEFT JOIN Centrales AS c ON c.codigo_clli = r.clli
ORDER BY r.id;

-- Errors per central: the stored samples of each central, by kind.
CREATE VIEW Totales AS
SELECT r.clli                           AS [CLLI],
       c.Central                        AS [Central],
       sum(r.collection <> 0)           AS [Collection],
       sum(r.collection = 0)            AS [Rating],
       count(*)                         AS [Total]
FROM "Riruzozs alta" AS r
LEFT JOIN Centrales AS c ON c.codigo_clli = r.clli
GROUP BY r.clli, c.Central
ORDER BY c.Central, r.clli;

-- Saved action queries, run by name. Each is kept in the file with its SQL,
-- so what a name does is the database's business and not the program's.
CREATE TABLE saved_actions (
    name TEXT NOT NULL COLLATE CASEBLIND PRIMARY KEY,
    sql  TEXT NOT NULL
);

-- Deletes the stored samples file by file: removing a file from
-- "Archivos Alta" removes its rows with it, so the count of rows this
-- statement affects is the count of files, and the files may be imported
-- again.
INSERT INTO saved_actions (name, sql)
VALUES ('Borra Riruzozs', 'DELETE FROM "Archivos Alta"');
