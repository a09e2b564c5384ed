#include "Filtra.h"

#include <QLabel>
#include <QPushButton>

#include "Importadat.h"
#include "caption_fit.h"
#include "controls.h"
#include "program.h"
#include "prueba.h"
#include "text_box.h"

namespace billing {

namespace {

// A box of the window: its caption and the longest text it takes.
struct Caja {
    const char* nombre;
    const char* titulo;
    int largo;
};

// In tab order, beside the hidden labels of kColumnasFiltro.
constexpr std::array<Caja, kFiltros> kCajas{{
    {"cs1", "Causa de salida", 2},
    {"na1", "Número de cliente A", 10},
    {"cc1", "Categoría cliente A", 2},
    {"nb1", "Número de cliente B", 18},
    {"rd1", "Razón de desconexión", 2},
    {"fi1", "Fecha inicio de facturación (aa/mm/dd)", 8},
    {"hi1", "Hora de inicio de facturación (hh:mm:ss)", 8},
    {"df1", "Tiempo de duración de facturación (hh:mm:ss)", 8},
    {"di1", "Tiempo de duración de la interrupción", 4},
    {"rs1", "Ruta de Salida", 14},
    {"re1", "Ruta de Entrada", 14},
    {"irs1", "Indice de ruta de salida", 4},
    {"ire1", "Indice de ruta de entrada", 4},
}};

constexpr int kDuracion = 7;  // df1: its label is completed to hh:mm:ss
constexpr int kPrimeraFila = 240;
constexpr int kAltoFila = 405;

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, int left,
                    int top) {
    auto* made = forms::control<QPushButton>(name, parent);
    made->setText(caption);
    forms::placeTwips(made, left, top, 1935, 435);
    return made;
}

}  // namespace

Filtra::Filtra(forms::Program& program, Module1& modulo)
    : Form(program, "Filtra"), modulo_(modulo) {
    setWindowTitle("Filtros");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    const int botones = kPrimeraFila + kFiltros * kAltoFila + 120;
    setClientSizeTwips(7215, botones + 675);

    // The boxes, each with its caption and its hidden label:
    for (int i = 0; i < kFiltros; ++i) {
        const int top = kPrimeraFila + i * kAltoFila;
        auto* titulo = forms::control<QLabel>(QString(kCajas[i].nombre) + "_titulo", client());
        titulo->setText(QString::fromUtf8(kCajas[i].titulo));
        // Up to its box, and smaller where our font is still wider than that.
        forms::placeTwips(titulo, 240, top + 45, 4290, 285);
        forms::shrinkToFit(titulo);
        cajas_[i] = forms::control<forms::TextBox>(kCajas[i].nombre, client());
        cajas_[i]->setMaxLength(kCajas[i].largo);
        forms::placeTwips(cajas_[i], 4560, top, 2415, 315);
        titulo->setBuddy(cajas_[i]);
        etiquetas_[i] = forms::control<QLabel>(kColumnasFiltro[i].etiqueta, client());
        etiquetas_[i]->setVisible(false);
    }

    // The buttons:
    Command1 = button("Command1", "L&impia Filtros", client(), 240, botones);
    Cierra = button("Cierra", "C&errar", client(), 2640, botones);
    Datos = button("Datos", "Ver &datos", client(), 5040, botones);

    // The event procedures:
    for (int i = 0; i < kFiltros; ++i)
        connect(cajas_[i], &forms::TextBox::changed, this, [this, i] { filtro_Change(i); });
    connect(Command1, &QPushButton::clicked, this, &Filtra::Command1_Click);
    connect(Cierra, &QPushButton::clicked, this, &Filtra::Cierra_Click);
    connect(Datos, &QPushButton::clicked, this, &Filtra::Datos_Click);
}

// The main window comes back when the filters go.
void Filtra::Form_Unload(bool& /*cancel*/) {
    if (auto* principal = program().find<Importadat>())
        program().show(*principal);
}

void Filtra::filtro_Change(int indice) {
    const QString texto = cajas_[indice]->text();
    etiquetas_[indice]->setText(indice == kDuracion
                                    ? QString::fromStdString(etiqueta_duracion(texto.toStdString()))
                                    : texto);
}

// Emptying the boxes empties their labels through their change events.
void Filtra::Command1_Click() {
    for (auto* caja : cajas_)
        caja->setText("");
}

void Filtra::Cierra_Click() {
    unloadMe();
}

// The grid opens on the labels as they stand. A grid that found no records
// unloads itself as it shows and brings this window back: it stays then.
void Filtra::Datos_Click() {
    if (program().show<prueba>(forms::Modeless, modulo_, filtros()))
        hide();
}

FiltroRegistros Filtra::filtros() const {
    FiltroRegistros valores;
    for (int i = 0; i < kFiltros; ++i)
        valores[i] = etiquetas_[i]->text().toStdString();
    return valores;
}

}  // namespace billing
