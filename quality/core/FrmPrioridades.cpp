#include "FrmPrioridades.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "avisos.h"
#include "controls.h"
#include "program.h"
#include "text_box.h"

namespace quality {

namespace {

constexpr const char* kPrioridadesSql = "SELECT * FROM Prioridades ORDER BY num;";

QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top,
              int width) {
    auto* l = forms::control<QLabel>(name, parent);
    l->setText(caption);
    forms::placeTwips(l, left, top, width, 255);
    return l;
}

}  // namespace

FrmPrioridades::FrmPrioridades(forms::Program& program, MdlTtlQuality& state)
    : Form(program, "FrmPrioridades"), state_(state) {
    setWindowTitle("Prioridades");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(6240, 3600);

    // The two columns of limits, each critical, major, minor.
    const char* filas[] = {"Crítica:", "Mayor:", "Menor:"};
    // The headers are longer at our font than their columns: each takes two
    // lines centred over its column, down to the boxes.
    const std::pair<const char*, const char*> encabezados[] = {
        {"Label1", "Tiempo de Reconocimiento (min.):"}, {"Label2", "Tiempo de Resolución (min.):"}};
    for (int columna = 0; columna < 2; ++columna) {
        QLabel* header = label(client(), encabezados[columna].first, encabezados[columna].second,
                               540 + columna * 2520, 0, 2520);
        header->setWordWrap(true);
        header->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        forms::placeTwips(header, 540 + columna * 2520, 0, 2520, 440);
    }
    for (int fila = 0; fila < 3; ++fila)
        label(client(), forms::arrayName("Label3", fila), filas[fila], 120, 480 + fila * 420, 1000);
    for (int i = 0; i < 6; ++i) {
        Text1[i] = forms::control<forms::TextBox>(forms::arrayName("Text1", i), client());
        Text1[i]->setLocked(true);
        forms::placeTwips(Text1[i], i < 3 ? 1200 : 3720, 450 + (i % 3) * 420, 1200, 315);
    }

    // The levels.
    label(client(), "Label4", "Seleccione el nivel:", 120, 1920, 2400);
    for (int i = 0; i < 3; ++i) {
        Option1[i] = forms::control<QRadioButton>(forms::arrayName("Option1", i), client());
        Option1[i]->setText(QString("Nivel %1").arg(i + 1));
        forms::placeTwips(Option1[i], 120 + i * 1500, 2250, 1400, 300);
    }

    cmdaceptar = forms::control<QPushButton>("cmdaceptar", client());
    cmdaceptar->setText("&Aceptar");
    cmdaceptar->setEnabled(false);
    forms::placeTwips(cmdaceptar, 2640, 3000, 1560, 420);
    cmdsalir = forms::control<QPushButton>("cmdsalir", client());
    cmdsalir->setText("&Salir");
    forms::placeTwips(cmdsalir, 4440, 3000, 1560, 420);

    for (int i = 0; i < 3; ++i)
        forms::onOptionClick(Option1[i], [this, i] { Option1_Click(i); });
    for (int i = 0; i < 6; ++i)
        connect(Text1[i], &forms::TextBox::changed, this, [this, i] { Text1_Change(i); });
    connect(cmdaceptar, &QPushButton::clicked, this,
            [this] { conAviso(*this, [this] { cmdaceptar_Click(); }); });
    connect(cmdsalir, &QPushButton::clicked, this, &FrmPrioridades::cmdsalir_Click);
}

// The stored limits; the level is recognised by the first one alone, and
// choosing it shows that level's six values. A limit without a value shows
// an empty box.
void FrmPrioridades::Form_Load() {
    db::Recordset rs = state_.conexion.open_recordset(kPrioridadesSql);
    for (int i = 0; !rs.eof() && i <= 5; ++i) {
        const runtime::Value& tiempo = rs["tiempo"];
        Text1[i]->setText(tiempo.is_null() ? QString() : QString::fromStdString(tiempo.to_text()));
        rs.move_next();
    }
    rs.close();
    for (int nivel = 0; nivel < 3; ++nivel)
        if (Text1[0]->text() == QString::number(kNiveles[nivel][0]))
            Option1[nivel]->setChecked(true);
    cmdaceptar->setEnabled(false);
}

void FrmPrioridades::Option1_Click(int index) {
    if (index < 0 || index > 2)
        return;
    for (int i = 0; i < 6; ++i)
        Text1[i]->setText(QString::number(kNiveles[index][i]));
}

void FrmPrioridades::Text1_Change(int /*index*/) {
    cmdaceptar->setEnabled(true);
}

// The six boxes into the rows in `num` order, in one transaction; a table
// with fewer rows takes only as many values.
void FrmPrioridades::cmdaceptar_Click() {
    db::Transaction transaction(state_.conexion);
    db::Recordset rs = state_.conexion.open_recordset(kPrioridadesSql, db::Cursor::Static);
    if (rs.eof()) {
        msgBox("La tabla Prioridades no tiene registros. Por favor consulte a su administrador",
               forms::msg::Exclamation, "Ternova");
        return;
    }
    rs.move_first();
    for (int i = 0; i <= 5 && !rs.eof(); ++i) {
        bool numero = false;
        const int minutos = Text1[i]->text().toInt(&numero);
        rs.set("tiempo", numero ? runtime::Value(minutos) : runtime::Value());
        rs.update();
        rs.move_next();
    }
    rs.close();
    transaction.commit();
    msgBox("Los cambios fueron guardados con éxito", forms::msg::Information, "Ternova");
    unloadMe();
}

void FrmPrioridades::cmdsalir_Click() {
    unloadMe();
}

}  // namespace quality
