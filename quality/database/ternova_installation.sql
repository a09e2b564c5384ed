-- Ternova.mdb: the rows every new database starts with.

INSERT INTO UBICACION (Id, Ubicacion) VALUES ('0', 'CAR'), ('1', 'Centro de Mantenimiento');

-- The limits of "Nivel 1": acknowledgement then resolution, each critical, major, minor.
INSERT INTO Prioridades (num, tipo, menor, tiempo) VALUES
    (1, 'REC', 1, 15), (2, 'REC', 2, 30), (3, 'REC', 3, 60),
    (4, 'RES', 1, 120), (5, 'RES', 2, 360), (6, 'RES', 3, 720);

-- The location code of the workbook names, as in "bol_resv_tec_car0305.xls".
INSERT INTO CAR (codigo) VALUES ('car');
