#include "Filtra.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "Importadat.h"
#include "Module1.h"
#include "caption_fit.h"
#include "controls.h"
#include "data_combo.h"
#include "data_control.h"
#include "database/sql_text.h"
#include "database_connector.h"
#include "placement.h"
#include "product_texts.h"
#include "program.h"
#include "prueba.h"
#include "text_box.h"

namespace rejections {

namespace {

struct Filtro {
    const char* box;
    const char* label;
    const char* description;
};

// Each filter box, its hidden label and the description beside it.
constexpr Filtro kFiltros[] = {
    {"rd1", "rd", "Razón de desconexión"},
    {"na1", "na", "Número de cliente A"},
    {"nb1", "nb", "Número de cliente B"},
    {"hi1", "hi", "Hora (hh:mm:ss)"},
    {"fi1", "fi", "Fecha (aa/mm/dd)"},
    {"df1", "df", "Duración (hh:mm:ss)"},
    {"irs1", "irs", "Indice de ruta de salida"},
    {"ire1", "ire", "Indice de ruta de entrada"},
    {"cl1", "cl", "CLLI"},
    {"ce1", "ce", "Código de Error"},
    {"ff1", "ff", "Formato de Facturación"},
    {"pa1", "pa", "Prefijo de Acceso"},
    {"cas1", "cas", "Carrier"},
    {"te1", "filtr", "Tipo de Error (COLLECTION/RATING)"},
    {"fyr1", "fyr", "Fecha y hora de recolección de información (aa/mm/dd hh:mm)"},
    {"cs1", "cs", "Causa de salida"},
    {"idt1", "idt", "ID Tráfico"},
    {"am1", "am", "Archivo muestra"},
    {"fm1", "fm", "Fecha de Muestra AA/MM/DD desde:"},
    {"fmh1", "fmh", "hasta:"},
};

// The labels that exclusion marks with a final "*" ("idt" is not among them).
// The date bounds never get it: a range selects the same days either way,
// where a "*" would drop the start day, "08/06/15*" sorting after "08/06/15".
constexpr const char* kExcluidos[] = {"rd", "na", "nb", "hi",  "fi",    "df",  "irs", "ire", "cl",
                                      "ce", "ff", "pa", "cas", "filtr", "fyr", "cs",  "am"};

QPushButton* button(const char* name, QWidget* parent, const QString& caption, int left) {
    auto* control = forms::control<QPushButton>(name, parent);
    control->setText(caption);
    forms::placeTwips(control, left, 6480, 1695, 495);
    return control;
}

}  // namespace

Filtra::Filtra(forms::Program& program) : Form(program, "Filtra") {
    setWindowTitle("Filtros");
    setBorderStyle(forms::BorderStyle::FixedSingle);

    // The boxes in two columns, the description to the left of each box.
    int row = 0;
    for (const Filtro& filtro : kFiltros) {
        const int left = row < 10 ? 120 : 5400;
        const int top = 120 + (row % 10) * 480;
        // Each description on the line of its box, a little smaller where our
        // font is wider than its room; one that is far too long for a line
        // takes two, centred on the box.
        auto* description = new QLabel(QString::fromUtf8(filtro.description), client());
        forms::placeTwips(description, left, top, 2880, 315);
        if (!forms::shrinkToFit(description, 7.5)) {
            description->setWordWrap(true);
            forms::placeTwips(description, left, top - 60, 2880, 435);
        }
        auto* box = forms::control<forms::TextBox>(filtro.box, client());
        forms::placeTwips(box, left + 2940, top, 2160, 315);
        auto* label = forms::control<QLabel>(filtro.label, client());
        label->setVisible(false);
        boxes_[filtro.box] = box;
        labels_[filtro.label] = label;
        const QString name = filtro.box;
        connect(box, &forms::TextBox::changed, this,
                [this, name](const QString& text) { box_Change(name, text); });
        ++row;
    }

    // The central, the switch and the range clause:
    auto* central = new QLabel("Central", client());
    forms::placeTwips(central, 120, 5040, 1200, 315);
    Data1 = forms::bound::dataControl("Data1", client());
    Data1->setVisible(false);
    DBCombo1 = forms::control<forms::DataCombo>("DBCombo1", client());
    DBCombo1->setRowSource(Data1);
    forms::placeTwips(DBCombo1, 1380, 5040, 3720, 315);
    opcion = forms::control<QCheckBox>("opcion", client());
    forms::placeTwips(opcion, 5400, 5040, 255, 255);
    auto* excluir = new QLabel("Excluir filtros", client());
    forms::placeTwips(excluir, 5700, 5040, 1800, 315);
    Resto = forms::control<QLabel>("Resto", client());
    Resto->setVisible(false);

    Label19 = forms::control<QLabel>("Label19", client());
    Label19->setText(shell::dovraneTexts().department);
    Label19->setWordWrap(true);
    forms::placeTwips(Label19, 120, 5640, 10440, 615);

    Datos = button("Datos", client(), "Ver &datos", 2400);
    Command1 = button("Command1", client(), "L&impia Filtros", 4560);
    Cierra = button("Cierra", client(), "C&errar", 6720);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);

    // Closed up below the department's name, where the old window had an
    // empty band.
    setClientSizeTwips(10680, 7215);

    connect(Datos, &QPushButton::clicked, this, &Filtra::Datos_Click);
    connect(Command1, &QPushButton::clicked, this, &Filtra::Command1_Click);
    connect(Cierra, &QPushButton::clicked, this, &Filtra::Cierra_Click);
    connect(Timer1, &QTimer::timeout, this, &Filtra::Timer1_Timer);
    connect(DBCombo1, &QComboBox::editTextChanged, this, &Filtra::DBCombo1_Change);
    connect(DBCombo1, &QComboBox::activated, this, &Filtra::DBCombo1_Click);
}

QString Filtra::etiqueta(const QString& name) const {
    if (name == "Resto")
        return Resto->text();
    return labels_.at(name)->text();
}

bool Filtra::excluye() const {
    return opcion->isChecked();
}

void Filtra::Form_Load() {
    Data1->setDatabaseName(QString::fromStdString(archivo_base().string()));
    Data1->setRecordSource("select * from Centrales");
    Data1->refresh();
    DBCombo1->setListField("Central");
    DBCombo1->setBoundColumn("codigo_clli");
    DBCombo1->setText("");
    Timer1->start(0);
}

void Filtra::Form_Unload(bool& /*cancel*/) {
    if (auto* main = program().find<Importadat>())
        main->setVisible(true);
}

// Once, after the window opened: the combo starts empty.
void Filtra::Timer1_Timer() {
    DBCombo1->setText("");
    Timer1->stop();
}

// Every box gives its text to its label; the error kind is one of two words
// and the start date is also the end date until the end date is typed.
void Filtra::box_Change(const QString& box, const QString& text) {
    forms::TextBox* control = boxes_.at(box);
    if (box == "te1") {
        const QString first = text.left(1).toUpper();
        const QString kind = first == "C" ? "COLLECTION" : first == "R" ? "RATING" : "";
        if (text != kind) {
            control->setText(kind);  // its own change sets the label
            return;
        }
    }
    QString label = box;
    label.chop(1);
    if (box == "te1")
        label = "filtr";
    labels_.at(label)->setText(text);
    if (box == "fm1")
        boxes_.at("fmh1")->setText(text);
}

// The chosen central's code goes into the CLLI box; an emptied combo empties it.
void Filtra::DBCombo1_Click() {
    if (!DBCombo1->boundText().isEmpty())
        boxes_.at("cl1")->setText(DBCombo1->boundText());
}

void Filtra::DBCombo1_Change() {
    if (DBCombo1->text().isEmpty())
        boxes_.at("cl1")->setText("");
    else if (!DBCombo1->boundText().isEmpty())
        boxes_.at("cl1")->setText(DBCombo1->boundText());
}

// "L&impia Filtros"
void Filtra::Command1_Click() {
    for (const Filtro& filtro : kFiltros)
        boxes_.at(filtro.box)->setText("");
    DBCombo1->setText("");
}

// "C&errar"
void Filtra::Cierra_Click() {
    unloadMe();
}

// "Ver &datos": the grid builds its query from the labels.
void Filtra::Datos_Click() {
    if (excluye()) {
        for (const char* name : kExcluidos) {
            QLabel* label = labels_.at(name);
            const QString caption = label->text();
            if (!caption.trimmed().isEmpty() && !caption.endsWith('*'))
                label->setText(caption + "*");
        }
    }
    const QString fm = labels_.at("fm")->text();
    if (!fm.isEmpty()) {
        const QString fmh = labels_.at("fmh")->text();
        Resto->setText(
            QString::fromStdString(" and [Fech Arch] >= " + db::quote(fm.toStdString()) +
                                   " and [Fech Arch] <= " + db::quote(fmh.toStdString())));
    } else {
        Resto->setText("");
    }
    // Hidden first, so that a grid with nothing to show, which closes at
    // once, brings this window back.
    setVisible(false);
    program().show<prueba>(forms::Modeless);
}

}  // namespace rejections
