// Every statement text of the quality plan and the evaluation window, run on
// the real schema over a small week of tickets.

#include <gtest/gtest.h>

#include "database/database.h"
#include "runtime/conversions.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "ternova_fixture.h"

namespace {

class TernovaSchema : public ::testing::Test {
protected:
    TernovaFolder f;
    db::Database d{f.file};

    void SetUp() override {
        d.execute(
            "INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES ('abc', 'ANA BETO', '0'),"
            " ('xyz', 'ÑOÑO ÁLVAREZ', '1'), ('sin', 'SIN BOLETAS', '')");
        // The week's report, technicians as the report writes them (capitals).
        const char* rows[][6] = {
            {"LISTA1", "T100", "ABC", "01/03/02 08:00", "05/03/02 10:00", "10"},
            {"LISTA2", "T101", "XYZ", "02/03/02 09:00", "04/03/02 11:30", "50"},
            {"LISTA1", "T102", "ABC", "03/03/02 10:00", "05/03/02 12:00", "80"},
            {"LISTA1", "T103", "XYZ", "03/03/02 10:00", "03/03/02 12:00", "80"},
            {"LISTA2", "T104", "ABC", "03/03/02 10:00", "04/03/02 12:00", "20"},
            {"LISTA1", "T105", "QQQ", "03/03/02 10:00", "06/03/02 12:00", "20"},
        };
        db::Recordset rs = d.open_recordset("Select * From Boletas_Resueltas");
        for (auto& r : rows) {
            rs.add_new();
            rs.set("listatrabajo", r[0]);
            rs.set("boleta", r[1]);
            rs.set("tecnico", r[2]);
            rs.set("fecha_creada", r[3]);
            rs.set("fecha_resuelta", r[4]);
            rs.set("prioridad", r[5]);
            rs.update();
        }
    }

    long count(const std::string& sql) {
        db::Recordset rs = d.open_recordset(sql);
        rs.read_more(1000000);
        return rs.record_count();
    }

    // The two history inserts of the sampling, exactly as the program builds them.
    void guarda_historico() {
        d.execute(std::string(" INSERT INTO Historico_Rnd ") +
                  "(Tecnico, Listatrabajo, Boleta, Fecha_creada, Fecha_resuelta, prioridad) " +
                  "SELECT Rnd_Tickets.Tecnico, Rnd_Tickets.Listatrabajo, Rnd_Tickets.Boleta, "
                  "Rnd_Tickets.Fecha_creada," +
                  "Rnd_Tickets.Fecha_resuelta, Rnd_Tickets.prioridad FROM Rnd_Tickets;");
        d.execute(std::string("INSERT INTO Historico_Boletas_Calidad ") +
                  "(Tecnico,Listatrabajo,Boleta,Fecha_creada,Fecha_resuelta,prioridad) " +
                  "SELECT Rnd_Tickets.Tecnico, Rnd_Tickets.Listatrabajo, Rnd_Tickets.Boleta, "
                  "Rnd_Tickets.Fecha_creada," +
                  "Rnd_Tickets.Fecha_resuelta, Rnd_Tickets.prioridad FROM Rnd_Tickets;");
    }

    // A sample of one ticket per technician and work list, as the sampling leaves it.
    void muestrea() {
        d.execute("DELETE * FROM Rnd_Tickets;");
        db::Recordset wl = d.open_recordset("Select * from Tecnico_Wrklist", db::Cursor::Static);
        db::Recordset rnd = d.open_recordset("Select * from Rnd_Tickets");
        std::string key;
        for (; !wl.eof(); wl.move_next()) {
            std::string k = wl["tecnico"].to_text() + "|" + wl["listatrabajo"].to_text();
            if (k == key)
                continue;
            key = k;
            rnd.add_new();
            for (const char* c : {"tecnico", "listatrabajo", "boleta", "fecha_creada",
                                  "fecha_resuelta", "prioridad"})
                rnd.set(c, wl[c]);
            rnd.update();
        }
        guarda_historico();
    }
};

}  // namespace

TEST_F(TernovaSchema, WeeklyRunStatements) {
    EXPECT_EQ(count("Select * from Tecnico_Wrklist"), 6);
    // Tecnico_Wrklist keeps the rows of one technician and work list together.
    db::Recordset wl = d.open_recordset("Select * from Tecnico_Wrklist", db::Cursor::Static);
    std::vector<std::string> keys;
    for (; !wl.eof(); wl.move_next())
        keys.push_back(wl["tecnico"].to_text() + "/" + wl["listatrabajo"].to_text());
    EXPECT_EQ(keys, (std::vector<std::string>{"ABC/LISTA1", "ABC/LISTA1", "ABC/LISTA2",
                                              "QQQ/LISTA1", "XYZ/LISTA1", "XYZ/LISTA2"}));

    db::Recordset lista =
        d.open_recordset("Select * From Tecnico_ListaTrabajo", db::Cursor::Static);
    EXPECT_EQ(lista.record_count(), 5);
    EXPECT_EQ(lista["tecnico"].to_text(), "ABC");
    EXPECT_EQ(lista["cantidad"].to_number(), 2);
    EXPECT_EQ(lista["listatrabajo"].to_text(), "LISTA1");
    db::Recordset totales = d.open_recordset("Select * From Tecnico_Totales", db::Cursor::Static);
    EXPECT_EQ(totales.record_count(), 3);
    EXPECT_EQ(totales[0].to_text(), "ABC");
    EXPECT_EQ(totales["cantidad"].to_number(), 3);
    EXPECT_EQ(d.open_recordset("Select * FROM CAR")[0].to_text(), "car");

    muestrea();
    EXPECT_EQ(count("Select * from Rnd_Tickets"), 5);
    EXPECT_EQ(count("SELECT * FROM Historico_Rnd"), 5);
    EXPECT_EQ(count("SELECT * FROM Historico_Boletas_Calidad WHERE articulo1 IS NULL"), 5);

    // Datos_General: added when empty, then rewritten.
    for (int week = 0; week < 2; ++week) {
        db::Recordset general = d.open_recordset("Select * From Datos_General");
        if (general.eof())
            general.add_new();
        else
            general.move_first();
        general.set("fechaini", runtime::Value::date(runtime::date_serial(2002, 3, 1 + week * 7)));
        general.set("fechaend", runtime::Value::date(runtime::date_serial(2002, 3, 7 + week * 7)));
        general.set("boletas_totales", 6.0);
        general.update();
    }
    db::Recordset general = d.open_recordset("Select * from Datos_General");
    EXPECT_EQ(general.record_count(), 1);
    EXPECT_EQ(runtime::format(general["fechaend"], "dd/mm/yy"), "14/03/02");
    EXPECT_EQ(general["boletas_totales"].to_text(), "6");

    EXPECT_EQ(d.execute("DELETE * FROM Boletas_Resueltas;"), 6);
    EXPECT_EQ(count("Select * from Tecnico_Wrklist"), 0);
}

TEST_F(TernovaSchema, UltimafechaIsOneRowNullWhenThereIsNothingToShow) {
    db::Recordset rs = d.open_recordset("Select * from Ultimafecha");
    ASSERT_FALSE(rs.eof());
    // QQQ is no registered technician: its 06/03/02 does not count.
    EXPECT_EQ(runtime::format(rs[0], "dd/mm/yy"), "05/03/02");
    EXPECT_EQ(runtime::month(runtime::Value(runtime::format(rs[0], "dd/mm/yy"))), 3);
    d.execute("DELETE * FROM Boletas_Resueltas;");
    db::Recordset empty = d.open_recordset("Select * from Ultimafecha");
    ASSERT_FALSE(empty.eof());
    EXPECT_TRUE(empty[0].is_null());
    EXPECT_EQ(empty.record_count(), 1);
}

TEST_F(TernovaSchema, TicketBrowserStatements) {
    muestrea();
    EXPECT_EQ(count("SELECT * FROM Tecnicos_Semanales WHERE MES = 3;"), 2);
    EXPECT_EQ(count("SELECT * FROM Tecnicos_Semanales WHERE MES = 4;"), 0);
    db::Recordset all = d.open_recordset("SELECT * FROM Tecnico_All_Information WHERE MES = 3;");
    EXPECT_EQ(all.record_count(), 1);
    db::Recordset rs = d.open_recordset(
        "SELECT * FROM TECNICO_ALL_INFORMATION WHERE month(format(fecha_resuelta,\"dd/mm/yy\")) = "
        "3;");
    rs.read_more(100);
    EXPECT_EQ(rs.record_count(), 4);
    // Position 0 the initials, position 5 the week's count; named columns.
    EXPECT_EQ(rs[0].to_text(), "ABC");
    EXPECT_EQ(rs[5].to_number(), 3);
    EXPECT_EQ(rs["Nombre"].to_text(), "ANA BETO");
    for (const char* c : {"MES", "Wklist", "RndBoleta", "Iniciales", "Fecha_creada",
                          "Fecha_resuelta", "Prioridad", "BolresvCar", "fecha_resuelta"})
        EXPECT_GE(rs.field_position(c), 0) << c;
    // The rows of one technician stand together: ABC, ABC, XYZ, XYZ.
    std::vector<std::string> order;
    for (rs.move_first(); !rs.eof(); rs.move_next())
        order.push_back(rs[0].to_text());
    EXPECT_EQ(order, (std::vector<std::string>{"ABC", "ABC", "XYZ", "XYZ"}));
    rs.move_first();
    EXPECT_TRUE(rs.find_first("[nombre] like " + db::quote("ñoño álvarez")));
    EXPECT_EQ(rs[0].to_text(), "XYZ");
    EXPECT_EQ(count("Porcentaje_Tecnicos"), 3);
    db::Recordset pct = d.open_recordset("Porcentaje_Tecnicos");
    EXPECT_EQ(pct["Porcentaje"].to_text(), "50.00%");
    // Each technician's name is found blind to case; one not on the list has none.
    std::vector<std::string> totals;
    for (; !pct.eof(); pct.move_next())
        totals.push_back(pct["Iniciales"].to_text() + "|" +
                         (pct["Nombre"].is_null() ? "Null" : pct["Nombre"].to_text()) + "|" +
                         pct["Boletas"].to_text());
    EXPECT_EQ(totals,
              (std::vector<std::string>{"ABC|ANA BETO|3", "QQQ|Null|1", "XYZ|ÑOÑO ÁLVAREZ|2"}));
}

TEST_F(TernovaSchema, EvaluationStatements) {
    muestrea();
    // The lookup finds a sampled ticket of the whole history, typed in small letters.
    db::Recordset found = d.open_recordset(
        "SELECT * FROM Tecnico_All_Information WHERE RndBoleta = " + db::quote("t101") + ";");
    ASSERT_FALSE(found.eof());
    EXPECT_EQ(found["nombre"].to_text(), "ÑOÑO ÁLVAREZ");
    EXPECT_EQ(runtime::year(runtime::Value(runtime::format(found["fecha_creada"], "dd/mm/yy"))),
              2002);

    // Saving a week: the ticket's history row is updated, never inserted.
    db::Recordset row = d.open_recordset(
        "SELECT * FROM Historico_Boletas_Calidad WHERE boleta = " + db::quote("t101") + ";");
    ASSERT_TRUE(row.updatable());
    for (int k = 1; k <= 5; ++k)
        row.set("articulo" + std::to_string(k), k == 4 ? 3 : 2);
    row.set("fecha_reconoce", "02/03/02 09:10");
    row.set("supervisor", "SUPERVISOR");
    row.set("fecha_actualiza", runtime::Value::date(runtime::date_serial(2002, 3, 20)));
    row.set("comentarios", "1) Boleta t101 cambiada por motivo.\n\r");
    row.set("semana", "1");
    row.update();
    EXPECT_EQ(count("SELECT * FROM Historico_Boletas_Calidad"), 5);

    std::string loading =
        "SELECT * FROM Boletas_Random_Historico WHERE Nombre = " + db::quote("ÑOÑO ÁLVAREZ") +
        " AND month(format(fecha_creada,\"dd/mm/yy\")) = 3 AND year(fecha_creada) = 2002;";
    db::Recordset loaded = d.open_recordset(loading);
    loaded.read_more(10);
    EXPECT_EQ(loaded.record_count(), 2);
    EXPECT_TRUE(loaded.find_first("semana = '1'"));
    EXPECT_EQ(loaded["articulo4"].to_number(), 3);
    EXPECT_EQ(runtime::format(runtime::Value(runtime::right(loaded["fecha_reconoce"].to_text(), 5)),
                              "hh:mm"),
              "09:10");
    EXPECT_EQ(count("SELECT * FROM TECNICOS ORDER BY Nombre"), 3);
}

TEST_F(TernovaSchema, GraphStatements) {
    muestrea();
    d.execute("UPDATE Historico_Boletas_Calidad SET articulo1 = 2, articulo2 = 3");
    auto sum = [&](const std::string& vista, const std::string& ubicacion) {
        std::string sql = "SELECT * FROM " + vista + " WHERE mes = " + std::to_string(3) +
                          " AND año = " + runtime::number_to_text(runtime::val("2002")) +
                          "AND ubicacion = " + db::quote(ubicacion) + ";";
        db::Recordset rs = d.open_recordset(sql);
        double total = rs.eof() ? 0 : rs[vista].to_number();
        rs.read_more(10);
        EXPECT_LE(rs.record_count(), 1);
        return total;
    };
    EXPECT_EQ(sum("satisfactorios1", "CAR"), 2);  // ANA BETO's two work lists
    EXPECT_EQ(sum("satisfactorios1", "Centro de Mantenimiento"), 2);
    EXPECT_EQ(sum("nosatisfactorios2", "car"), 2);
    EXPECT_EQ(sum("satisfactorios2", "CAR"), 0);
    EXPECT_EQ(sum("satisfactorios1", "Otra"), 0);

    // The monthly totals: inserted once, updated the next time.
    for (int run = 0; run < 2; ++run) {
        db::Recordset g = d.open_recordset(
            "SELECT rubro,mes,año,valor,ubicacion FROM GRAFICAS WHERE Mes = 'Marzo' AND año = "
            "'2002'"
            " AND ubicacion = 'CAR' ORDER BY RUBRO;");
        if (g.eof()) {
            for (const char* rubro : {"SATISFACTORIOS", "NO SATISFACTORIOS"}) {
                g.add_new();
                g.set("rubro", rubro);
                g.set("ubicacion", "CAR");
                g.set("valor", 7);
                g.set("mes", "MARZO");
                g.set("año", "2002");
                g.update();
            }
        } else {
            for (; !g.eof(); g.move_next()) {
                g.set("valor", runtime::ucase(g["RUBRO"].to_text()) == "SATISFACTORIOS" ? 7 : 3);
                g.update();
            }
        }
    }
    EXPECT_EQ(count("SELECT * FROM GRAFICAS WHERE año = '2002' AND ubicacion = 'CAR'"), 2);
    EXPECT_EQ(d.scalar("SELECT valor FROM GRAFICAS WHERE rubro = 'no satisfactorios'").to_number(),
              3);
}

TEST_F(TernovaSchema, AdministrationStatements) {
    // Login: the password matched by the database blind to case; a quote does no harm.
    EXPECT_EQ(count("SELECT * FROM SUPERVISORES WHERE contraseña = " + db::quote("CLAVE") + ";"),
              1);
    EXPECT_EQ(
        count("SELECT * FROM SUPERVISORES WHERE contraseña = " + db::quote("x' OR 'a'='a") + ";"),
        0);
    db::Recordset sup =
        d.open_recordset("SELECT contraseña FROM supervisores WHERE Nombre = 'SUPERVISOR';");
    EXPECT_EQ(sup[0].to_text(), "clave");
    // A new supervisor; the same name again is found blind to case.
    db::Recordset nuevo = d.open_recordset("SELECT * FROM Supervisores WHERE Nombre = 'pérez';");
    ASSERT_TRUE(nuevo.eof());
    nuevo.add_new();
    nuevo.set("contraseña", "uno");
    nuevo.set("nombre", runtime::ucase("pérez"));
    nuevo.update();
    EXPECT_EQ(count("SELECT * FROM Supervisores WHERE Nombre = 'pérez';"), 1);
    // Changing a password picked by the password.
    db::Recordset cambio = d.open_recordset("SELECT * FROM SUPERVISORES WHERE contraseña = 'UNO';");
    cambio.set("contraseña", "Dos");
    cambio.update();
    EXPECT_EQ(count("SELECT * FROM SUPERVISORES WHERE contraseña = 'dos';"), 1);

    // Technicians: the existing initials found blind to case; the location third.
    EXPECT_EQ(count("SELECT * FROM Tecnicos WHERE Iniciales = 'ABC';"), 1);
    db::Recordset tec = d.open_recordset("SELECT * FROM TECNICOS");
    EXPECT_EQ(tec[2].to_text(), "0");
    tec.set(2, "1");
    tec.update();
    EXPECT_EQ(d.scalar("SELECT ubicacion FROM TECNICOS WHERE Iniciales = 'abc'").to_text(), "1");
    EXPECT_EQ(count("SELECT * FROM UBICACION"), 2);

    // Priorities: six rows by num, tiempo written from a box's text.
    db::Recordset pr = d.open_recordset("SELECT * FROM Prioridades ORDER BY num;");
    for (const char* t : {"30", "60", "120", "240", "720", "1440"}) {
        pr.set("tiempo", t);
        pr.update();
        pr.move_next();
    }
    EXPECT_EQ(d.scalar("SELECT sum(tiempo) FROM Prioridades").to_number(), 2610);
}
