#pragma once
// The evaluation window on a Ternova.mdb of the real schema: three
// technicians, the sampled tickets of a week as the sampling writes them
// (February's last days and March 2026), and JUAN PEREZ's January weeks
// already saved. The clock stands at 15/03/2026 10:00.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "FrmObserva.h"
#include "data_combo.h"
#include "masked_box.h"
#include "qt_printers.h"
#include "rating_image.h"
#include "runtime/clock.h"
#include "ternova_fixture.h"
#include "test_program.h"
#include "text_box.h"
#include "up_down.h"

namespace observa_test {

inline void escribeMuestra(db::Database& base) {
    base.execute(
        "INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES "
        "('JPR', 'JUAN PEREZ', '1'), ('MGL', 'MARIA GOMEZ', '1'), ('OB', 'OSCAR O''BRIEN', '1')");
    // The week's sample: ticket, technician, creation, resolution, priority.
    base.execute(
        "INSERT INTO Historico_Boletas_Calidad "
        "(Tecnico, Listatrabajo, Boleta, Fecha_creada, Fecha_resuelta, prioridad) VALUES "
        "('JPR', 'NORTE', '4500123', '27/02/26 08:15', '27/02/26 10:40', '10'), "
        "('JPR', 'SUR', '4500302', '27/02/26 11:11', '02/03/26 15:30', '40'), "
        "('JPR', 'ESTE', '4500131', '02/03/26 09:02', '03/03/26 11:05', '50'), "
        "('JPR', 'OESTE', '4500140', '03/03/26 08:00', '03/03/26 09:00', '20'), "
        "('JPR', 'CENTRO', '4500150', '04/03/26 08:00', '04/03/26 12:00', '80'), "
        "('JPR', 'NORTE', 'bx4500160', '05/03/26 08:00', '05/03/26 12:00', '80'), "
        "('MGL', 'NORTE', '4500190', '01/03/26 07:45', '02/03/26 16:20', '20'), "
        "('OB', 'SUR', '4500400', '02/03/26 10:00', '02/03/26 11:00', '5')");
    // January, saved week by week; 4500011 was sampled but never evaluated.
    base.execute(
        "INSERT INTO Historico_Boletas_Calidad "
        "(Tecnico, Listatrabajo, Boleta, Fecha_creada, Fecha_resuelta, prioridad, articulo1, "
        "articulo2, articulo3, articulo4, articulo5, fecha_reconoce, supervisor, "
        "fecha_actualiza, comentarios, semana) VALUES "
        "('JPR', 'NORTE', '4500001', '05/01/26 08:00', '05/01/26 09:00', '10', 2, 2, 3, 2, 2, "
        "'05/01/26 08:10', 'LUIS SUPER', 46030, 'primero', '1'), "
        "('JPR', 'NORTE', '4500002', '12/01/26 08:00', '12/01/26 09:00', '10', 3, 2, 2, 2, 2, "
        "'12/01/26 08:40', 'LUIS SUPER', 46030, 'segundo', '2'), "
        "('JPR', 'NORTE', '4500011', '14/01/26 08:00', '14/01/26 09:00', '10', NULL, NULL, NULL, "
        "NULL, NULL, NULL, NULL, NULL, NULL, NULL), "
        "('JPR', 'NORTE', '4500003', '19/01/26 08:00', '19/01/26 09:00', '10', 2, 3, 3, 2, 2, "
        "'19/01/26 08:05', 'LUIS SUPER', 46030, 'tercero', '3'), "
        "('JPR', 'NORTE', '4500004', '26/01/26 08:00', '26/01/26 09:00', '10', 2, 2, 2, 2, 2, "
        "'26/01/26 08:05', 'LUIS SUPER', 46030, 'cuarto', '4'), "
        "('MGL', 'NORTE', '4500091', '07/01/26 08:00', '07/01/26 09:00', '10', NULL, NULL, NULL, "
        "NULL, NULL, NULL, NULL, NULL, NULL, NULL), "
        "('OB', 'SUR', '4500401', '08/01/26 08:00', '08/01/26 09:00', '10', 2, 2, 2, 2, 2, "
        "'08/01/26 08:05', '', 46030, 'de oscar', '2')");
}

struct Observa : ::testing::Test {
    TernovaFolder folder;
    runtime::FixedClock reloj{runtime::date_serial(2026, 3, 15) + runtime::time_serial(10, 0, 0)};
    runtime::ScopedClock enUso{reloj};
    quality::MdlTtlQuality state;
    forms::TestProgram app{"Ternova"};
    quality::FrmObserva* window = nullptr;

    // The rows the test starts with.
    virtual void escribeDatos(db::Database& base) { escribeMuestra(base); }
    void SetUp() override {
        db::Database base(folder.file);
        escribeDatos(base);
        state.iniciadatos();
        state.usuario = "ANA SUPERVISORA";
    }
    void open() {
        window = app.show<quality::FrmObserva>(forms::Modeless, state);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    template <class T>
    T* find(const QString& name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QString text(const QString& name) { return find<QLineEdit>(name)->text(); }
    QString multiLine(const QString& name) { return find<forms::MultiLineTextBox>(name)->text(); }
    forms::Image* imagen(int semana, int articulo) {
        return find<forms::Image>(semana == 1 && articulo == 1
                                      ? QString("image11")
                                      : QString("Image%1%2").arg(semana).arg(articulo));
    }
    // The rating an image shows: "-" not rated, "B" satisfactory, "M" unsatisfactory.
    QString calificaciones(int semana) {
        QString letras;
        for (int k = 1; k <= 5; ++k) {
            forms::Image* i = imagen(semana, k);
            letras += i->shows(find<forms::Image>("blanco")->picture()) ? "-"
                      : i->shows(find<forms::Image>("bien")->picture()) ? "B"
                      : i->shows(find<forms::Image>("mal")->picture())  ? "M"
                                                                        : "?";
        }
        return letras;
    }
    void chooseTechnician(const QString& nombre) {
        find<forms::DataCombo>("cmbtecnicos")->setText(nombre);
    }
    void chooseMonth(int index) {
        auto* cmbmes = find<QComboBox>("cmbmes");
        cmbmes->setCurrentIndex(index);
        emit cmbmes->activated(index);
    }
    void press(const QString& name) { find<QPushButton>(name)->click(); }
    // The user leaves a box: the focus goes to the comments.
    void leave(const QString& name) {
        find<QWidget>(name)->setFocus();
        find<QWidget>("txtcomen")->setFocus();
    }
    // Types a ticket number into a week's ticket box and leaves it.
    void typeTicket(int semana, const QString& boleta) {
        const QString name = QString("txtboleta%1").arg(semana);
        find<QWidget>(name)->setFocus();
        find<QLineEdit>(name)->setText(boleta);
        find<QWidget>("txtcomen")->setFocus();
    }
    // Places the chosen ticket and leaves the box it went to.
    void place(const std::string& boleta) {
        state.seleccion = boleta;
        window->Form_Activate();
        press("cmdcoloca");
        find<QWidget>("txtcomen")->setFocus();
    }
    const forms::ShownMessage& lastMessage() {
        static const forms::ShownMessage none;
        if (app.messages.shown.empty()) {
            ADD_FAILURE() << "no message";
            return none;
        }
        return app.messages.shown.back();
    }
};

}  // namespace observa_test
