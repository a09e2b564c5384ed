#include "FrmObserva.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>

#include <utility>

#include "FrmCambioArticulo.h"
#include "GuardaEvaluacion.h"
#include "ValidaReconocimiento.h"
#include "controls.h"
#include "data_combo.h"
#include "data_control.h"
#include "database_connector.h"
#include "masked_box.h"
#include "program.h"
#include "runtime/clock.h"
#include "runtime/conversions.h"
#include "runtime/program_folder.h"
#include "runtime/strings.h"
#include "text_box.h"
#include "up_down.h"

namespace quality {

namespace {

// Where the week columns start, and the tops of the criteria rows.
constexpr int kColumnaIzquierda[4] = {4680, 5760, 6840, 7920};
constexpr int kArticuloArriba[5] = {3480, 3960, 4440, 4920, 5520};

// The criteria, each with the blanks that wrap it where the form wrapped it.
const QString kArticulos[5] = {
    "1) La boleta se reconoció dentro del tiempo" + QString(20, ' ') +
        "especificado en los objetivos",
    "2) La boleta se tramitó a campo de manera" + QString(20, ' ') + "apropiada",
    "3) La boleta fue resuelta de manera apropiada",
    "4) La boleta fue resuelta y cerrada dentro del" + QString(16, ' ') +
        "tiempo especificado en los objetivos",
    "5) Existe suficiente información dentro de la boleta" + QString(5, ' ') +
        "(acciones tomadas, análisis realizado, códigos" + QString(10, ' ') +
        "de resolución, etc.)"};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string s(const QString& text) {
    return text.toStdString();
}

QLabel* label(const QString& name, const QString& caption, QWidget* parent, int left, int top,
              int width, int height = 255) {
    auto* control = forms::control<QLabel>(name, parent);
    control->setText(caption);
    forms::placeTwips(control, left, top, width, height);
    return control;
}

forms::TextBox* box(const QString& name, QWidget* parent, int left, int top, int width,
                    bool locked = true) {
    auto* control = forms::control<forms::TextBox>(name, parent);
    forms::placeTwips(control, left, top, width, 315);
    control->setLocked(locked);
    control->setAlignment(Qt::AlignHCenter);
    return control;
}

forms::MultiLineTextBox* multiLineBox(const QString& name, QWidget* parent, int left, int top) {
    auto* control = forms::control<forms::MultiLineTextBox>(name, parent);
    forms::placeTwips(control, left, top, 1035, 375);
    control->setLocked(true);
    control->setAlignment(Qt::AlignHCenter);
    control->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    control->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The date above the time, both inside the 375 twips.
    control->document()->setDocumentMargin(0);
    QFont letra = control->font();
    letra.setPointSize(7);
    control->setFont(letra);
    return control;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, int top) {
    auto* control = forms::control<QPushButton>(name, parent);
    control->setText(caption);
    forms::placeTwips(control, 9120, top, 1695, 435);
    // A caption wider than its button is written smaller, never cut.
    QFont letra = control->font();
    const QString visible = QString(caption).remove('&');
    while (letra.pointSize() > 6 &&
           QFontMetrics(letra).horizontalAdvance(visible) > control->width() - 14)
        letra.setPointSize(letra.pointSize() - 1);
    if (letra != control->font())
        control->setFont(letra);
    return control;
}

forms::Image* image(const QString& name, QWidget* parent, int left, int top) {
    auto* control = forms::control<forms::Image>(name, parent);
    forms::placeTwips(control, left, top, 735, 375);
    return control;
}

}  // namespace

FrmObserva::FrmObserva(forms::Program& program, MdlTtlQuality& state)
    : Form(program, "FrmObserva"), state_(state) {
    setWindowTitle("Observación de Calidad en Boletas VIV");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(10920, 8100);
    // The form's small type, so that the captions fit their twips.
    QFont letra = font();
    letra.setPointSize(8);
    setFont(letra);
    client()->setAutoFillBackground(true);
    QPalette fondo = client()->palette();
    fondo.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    client()->setPalette(fondo);

    // The header:
    lblencabezado = label("lblencabezado", "BOLETA DE VIV - OBSERVACIONES DE  CALIDAD", client(),
                          120, 60, 10680, 315);
    lblencabezado->setAlignment(Qt::AlignCenter);
    QFont negrita = lblencabezado->font();
    negrita.setBold(true);
    negrita.setPointSize(negrita.pointSize() + 2);
    lblencabezado->setFont(negrita);

    // The technician, the year, the supervisor and the month:
    Data3 = forms::bound::dataControl("Data3", client());
    Data3->setVisible(false);
    label("lbltecnico", "TECNICO", client(), 120, 480, 840);
    txttecnico = box("txttecnico", client(), 960, 420, 3135);
    txttecnico->setAlignment(Qt::AlignLeft);
    // It lies under the combo, only for printing: never a stop for the focus.
    txttecnico->setFocusPolicy(Qt::NoFocus);
    cmbtecnicos = forms::control<forms::DataCombo>("cmbtecnicos", client());
    cmbtecnicos->setRowSource(Data3);
    forms::placeTwips(cmbtecnicos, 960, 420, 3135, 315);
    label("lblaño", "AÑO", client(), 4260, 480, 480);
    txtaño = box("txtaño", client(), 4740, 420, 735);
    txtaño->setMaxLength(4);
    label("lblsuper", "SUPERVISOR", client(), 5640, 480, 1140);
    txtsuper = box("txtsuper", client(), 6780, 420, 2175);
    txtsuper->setAlignment(Qt::AlignLeft);
    label("lblmes", "Mes:", client(), 120, 840, 840);
    cmbmes = forms::control<QComboBox>("cmbmes", client());
    for (const char* mes : kMeses)
        cmbmes->addItem(QString::fromUtf8(mes));
    forms::placeTwips(cmbmes, 960, 780, 1815, 315);

    // The legend of the rating pictures, and the two hidden ones:
    auto* Shape1 = forms::control<QFrame>("Shape1", client());
    Shape1->setFrameShape(QFrame::Box);
    forms::placeTwips(Shape1, 120, 1260, 2160, 1440);
    label("lblsatisfactorio", "SATISFACTORIO", client(), 240, 1320, 1920);
    bien = image("bien", client(), 240, 1620);
    label("lblnosatisfactorio", "NO SATISFACTORIO", client(), 240, 1980, 1920);
    mal = image("mal", client(), 240, 2280);
    blanco = image("blanco", client(), 0, 0);
    Imagen = image("Imagen", client(), 0, 0);
    bien->setPicture(forms::drawRatingPicture(forms::Rating::Bien));
    mal->setPicture(forms::drawRatingPicture(forms::Rating::Mal));
    blanco->setPicture(forms::drawRatingPicture(forms::Rating::Blanco));
    Imagen->setPicture(forms::drawRatingPicture(forms::Rating::Blanco));
    blanco->setVisible(false);
    Imagen->setVisible(false);

    // The rows of the week grid:
    label("lblsemana", "Semana:", client(), 3600, 1080, 960);
    label("lblboleta", "N° Boleta:", client(), 2400, 1320, 2160);
    label("lblcreada", "Fecha y Hora creada:", client(), 2400, 1620, 2160);
    label("lblreconocida", "Fecha y Hora reconocida:", client(), 2400, 2040, 2160);
    label("lblresuelta", "Fecha y Hora resuelta:", client(), 2400, 2460, 2160);
    label("lblprioridad", "Prioridad:", client(), 2400, 2760, 2160);
    label("lblarticulo", "ARTICULO", client(), 120, 3240, 1200);
    for (int k = 0; k < 5; ++k) {
        auto* criterio = label(QString("lblarticulo%1").arg(k + 1), kArticulos[k], client(), 120,
                               kArticuloArriba[k], 4440, k == 4 ? 600 : 480);
        criterio->setWordWrap(true);
        criterio->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    auto* cantidades =
        label("lblsat", "Cantidad de artículos satisfactorios", client(), 120, 6120, 4440);
    cantidades->setWordWrap(true);
    label("lblinsat", "Cantidad de artículos no satisfactorios", client(), 120, 6585, 4440);
    label("lblporcentaje", "Porcentaje de Artículos Satisfactorios", client(), 120, 7080, 4440);

    // The four week columns:
    for (int semana = 1; semana <= 4; ++semana)
        creaColumna(semana);

    // The month's totals:
    label("lbltotalmes", "Total por Mes:", client(), 9120, 5820, 1560);
    txtsattotal = box("txtsattotal", client(), 9180, 6120, 825);
    txtinsattotal = box("txtinsattotal", client(), 9180, 6585, 825);
    txttotal = box("txttotal", client(), 9195, 7080, 825);

    // The comments of the month:
    label("lblcomentarios", "COMENTARIOS", client(), 120, 7440, 1560, 240);
    txtcomen = forms::control<forms::MultiLineTextBox>("txtcomen", client());
    forms::placeTwips(txtcomen, 120, 7680, 9255, 375);

    // The buttons:
    cmdActualiza = button("cmdActualiza", "&Actualizar Registros", client(), 1080);
    cmdImprime = button("cmdImprime", "Imprimir", client(), 1680);
    cmdconfig = button("cmdconfig", "Configurar Impresora...", client(), 2280);
    cmdsalir = button("cmdsalir", "&Salir", client(), 2880);
    cmdcoloca = button("cmdcoloca", "&Colocar Boleta", client(), 4680);

    // The event procedures:
    connect(cmbmes, &QComboBox::activated, this, &FrmObserva::cmbmes_Click);
    connect(cmbtecnicos, &QComboBox::editTextChanged, this, &FrmObserva::cmbtecnicos_Change);
    connect(txtaño, &forms::TextBox::changed, this, &FrmObserva::txtaño_Change);
    forms::onLostFocus(txtaño, [this] { txtaño_LostFocus(); });
    connect(cmdcoloca, &QPushButton::clicked, this, &FrmObserva::cmdcoloca_Click);
    for (int semana = 1; semana <= 4; ++semana) {
        Columna& c = columna(semana);
        connect(c.txtboleta, &forms::TextBox::changed, this,
                [this, semana] { txtboleta_Change(semana); });
        forms::onKeyPress(c.txtboleta,
                          [this, semana](int& keyAscii) { txtboleta_KeyPress(semana, keyAscii); });
        forms::onLostFocus(c.txtboleta, [this, semana] { txtboleta_LostFocus(semana); });
        connect(c.txtcreada, &forms::MultiLineTextBox::changed, this,
                [this, semana] { txtcreada_Change(semana); });
        connect(c.txtsat, &forms::TextBox::changed, this,
                [this, semana] { txtsat_Change(semana); });
        connect(c.txtinsat, &forms::TextBox::changed, this,
                [this, semana] { txtinsat_Change(semana); });
        for (int k = 1; k <= 5; ++k)
            connect(c.imagenes[k - 1], &forms::Image::clicked, this,
                    [this, semana, k] { Image_Click(semana, k); });
        forms::onGotFocus(c.txtrecfe, [this, semana] { txtrecfe_GotFocus(semana); });
        forms::onGotFocus(c.txtrecho, [this, semana] { txtrecho_GotFocus(semana); });
        forms::onGotFocus(c.flechitas, [this, semana] { flechitas_GotFocus(semana); });
        connect(c.flechitas, &forms::UpDown::downClick, this,
                [this, semana] { flechitas_DownClick(semana); });
        connect(c.flechitas, &forms::UpDown::upClick, this,
                [this, semana] { flechitas_UpClick(semana); });
        forms::onLostFocus(c.txtrecfe, [this, semana] { txtrecfe_LostFocus(semana); });
        forms::onLostFocus(c.txtrecho, [this, semana] { txtrecho_LostFocus(semana); });
    }
    connect(txttotal, &forms::TextBox::changed, this, &FrmObserva::txttotal_Change);
    connect(cmdActualiza, &QPushButton::clicked, this, &FrmObserva::cmdActualiza_Click);
    connect(cmdImprime, &QPushButton::clicked, this, &FrmObserva::cmdImprime_Click);
    connect(cmdconfig, &QPushButton::clicked, this, &FrmObserva::cmdconfig_Click);
    connect(cmdsalir, &QPushButton::clicked, this, &FrmObserva::cmdsalir_Click);
}

void FrmObserva::creaColumna(int semana) {
    Columna& c = columna(semana);
    const int izquierda = kColumnaIzquierda[semana - 1];
    const QString w = QString::number(semana);
    auto* encabezado = label("lblsemana" + w, w, client(), izquierda, 1080, 1035);
    encabezado->setAlignment(Qt::AlignHCenter);
    c.txtboleta = box("txtboleta" + w, client(), izquierda, 1320, 1035, false);
    c.txtcreada = multiLineBox("txtcreada" + w, client(), izquierda, 1560);
    c.txtrecfe = forms::control<forms::MaskedBox>("txtrec" + w + "fe", client());
    c.txtrecfe->setMask("##/##/##");
    forms::placeTwips(c.txtrecfe, izquierda, 1920, 855, 255);
    c.txtrecho = forms::control<forms::MaskedBox>("txtrec" + w + "ho", client());
    c.txtrecho->setMask("##:##");
    forms::placeTwips(c.txtrecho, izquierda, 2160, 855, 255);
    c.flechitas = forms::control<forms::UpDown>("flechitas" + w, client());
    forms::placeTwips(c.flechitas, izquierda + 855, 1920, 180, 495);
    // Tab passes the arrows by: they hand the focus back to the box they step.
    c.flechitas->setFocusPolicy(Qt::ClickFocus);
    // As the creation box's change leaves them for an empty column.
    c.flechitas->setEnabled(false);
    c.txtres = multiLineBox("txtres" + w, client(), izquierda, 2400);
    c.txtprio = box("txtprio" + w, client(), izquierda, 2760, 1035);
    for (int k = 0; k < 5; ++k) {
        const QString nombre = (semana == 1 && k == 0)
                                   ? QString("image11")
                                   : QString("Image%1%2").arg(semana).arg(k + 1);
        c.imagenes[k] = image(nombre, client(), izquierda + 120, kArticuloArriba[k]);
    }
    c.txtsat = box("txtsat" + w, client(), izquierda + 120, 6120, 735);
    c.txtinsat = box("txtinsat" + w, client(), izquierda + 120, 6585, 735);
}

// Opening: empty columns, the technicians, this month, the supervisor.
void FrmObserva::Form_Load() {
    imagenesblancas(1, true);
    Data3->setDatabaseName(q(runtime::program_folder().string()) + "/Ternova.mdb");
    Data3->setRecordSource("SELECT * FROM TECNICOS ORDER BY Nombre");
    try {
        Data3->refresh();
        if (!Data3->recordset().eof())
            Data3->recordset().moveFirst();
    } catch (const std::exception& error) {
        avisaFallo("No se pudo leer la lista de técnicos.", error);
    }
    cmbtecnicos->setListField("Nombre");
    cmbtecnicos->setBoundColumn("Nombre");
    const runtime::DateSerial hoy = runtime::now();
    cmbmes->setCurrentIndex(runtime::month_of(hoy) - 1);
    // The year box is read-only: it starts at this year, so that this
    // year's evaluations load without placing a ticket first.
    txtaño->setText(QString::number(runtime::year_of(hoy)));
    txtsuper->setText(q(state_.usuario));
    if (state_.seleccion.empty())
        cmdcoloca->setEnabled(false);
}

// A ticket chosen in the ticket browser meanwhile becomes placeable.
void FrmObserva::Form_Activate() {
    if (!state_.seleccion.empty())
        cmdcoloca->setEnabled(true);
}

// Choosing the technician, the month and the year.

void FrmObserva::cmbmes_Click() {
    imagenesblancas(1, true);
    buscaregistros();
}

void FrmObserva::cmbtecnicos_Change() {
    buscaregistros();
}

void FrmObserva::txtaño_Change() {
    if (!runtime::is_numeric(s(txtaño->text())))
        txtaño->setText("");
}

void FrmObserva::txtaño_LostFocus() {
    buscaregistros();
}

void FrmObserva::obtenmes() {
    state_.obtenmes(s(cmbmes->currentText()));
}

// The saved weeks of the technician, month and year, each locked in its column.
void FrmObserva::buscaregistros() {
    obtenmes();
    imagenesblancas(1, true);
    std::vector<EvaluacionGuardada> filas;
    try {
        const std::string año = s(txtaño->text());
        filas = evaluacionesDelMes(state_.conexion, s(cmbtecnicos->text()), state_.mesactual,
                                   runtime::is_numeric(año) ? runtime::val(año) : 0);
    } catch (const std::exception& error) {
        avisaFallo("No se pudieron leer las evaluaciones guardadas del mes.", error);
        return;
    }
    if (filas.empty()) {
        cmdActualiza->setEnabled(true);
        return;
    }
    for (int semana = 1; semana <= 4; ++semana) {
        columna(semana).txtsat->setText("0");
        columna(semana).txtinsat->setText("0");
    }
    codigocuenta = kSinCalificarAntes;
    if (!filas.front().supervisor.to_text().empty())
        txtsuper->setText(q(filas.front().supervisor.to_text()));
    std::array<bool, 4> llena{};
    for (const EvaluacionGuardada& fila : filas) {
        const std::optional<int> semana = semanaGuardada(fila.semana);
        if (!semana)
            continue;
        Columna& c = columna(*semana);
        // A later row of the same week replaces the earlier one, its counts too.
        if (std::exchange(llena[*semana - 1], true)) {
            c.txtsat->setText("0");
            c.txtinsat->setText("0");
        }
        llenacolumna(*semana, quality::llenacolumna(fila));
        for (int k = 0; k < 5; ++k) {
            llenaimagen(calificacionGuardada(fila.articulos[k]), c.imagenes[k]);
            cuenta_articulos(c.imagenes[k], c.txtsat, c.txtinsat);
        }
        txtcomen->setText(q(fila.comentarios.to_text()));
        c.txtrecfe->setEnabled(false);
        c.txtrecho->setEnabled(false);
        c.flechitas->setEnabled(false);
        c.txtboleta->setLocked(true);
        memoria_[*semana - 1] = {true, s(c.txtboleta->text()), s(reconocimiento(*semana))};
    }
    cmdActualiza->setEnabled(!todasLlenas(boletas()));
}

void FrmObserva::llenacolumna(int semana, const TextosColumna& textos) {
    Columna& c = columna(semana);
    c.txtboleta->setText(q(textos.boleta));
    c.txtcreada->setText(q(textos.creada));
    c.txtres->setText(q(textos.resuelta));
    c.txtprio->setText(q(textos.prioridad));
    c.txtrecfe->setText(q(textos.recFecha));
    c.txtrecho->setText(q(textos.recHora));
}

void FrmObserva::llenaimagen(std::optional<Valorimagen> valorimagen, forms::Image* imagen) {
    if (!valorimagen)
        return;
    califica(imagen, *valorimagen);
    if (*valorimagen != kBlanco)
        imagen->setEnabled(false);
}

// Resets week `semana`, or all four; the comments are always emptied.
void FrmObserva::imagenesblancas(int semana, bool todos) {
    for (int w = 1; w <= 4; ++w) {
        if (w == semana || todos)
            vaciaColumna(w);
    }
    txtcomen->setText("");
}

void FrmObserva::vaciaColumna(int semana, bool tambienLaBoleta) {
    Columna& c = columna(semana);
    memoria_[semana - 1] = {};
    if (tambienLaBoleta) {
        // Emptying the ticket box from here resets nothing more.
        const bool rechazando = rechazando_;
        rechazando_ = true;
        c.txtboleta->setText("");
        rechazando_ = rechazando;
    }
    c.txtcreada->setText("");
    c.txtres->setText("");
    c.txtprio->setText("");
    c.txtrecfe->setText("__/__/__");
    c.txtrecho->setText("__:__");
    for (forms::Image* imagen : c.imagenes)
        imagen->setPicture(blanco->picture());
    for (forms::Image* imagen : c.imagenes)
        imagen->setEnabled(true);
    c.txtsat->setText("");
    c.txtinsat->setText("");
    c.txtrecfe->setEnabled(true);
    c.txtrecho->setEnabled(true);
}

// Locks a saved week column.
void FrmObserva::disableobjects(int semana) {
    Columna& c = columna(semana);
    c.txtboleta->setLocked(true);
    c.txtrecfe->setEnabled(false);
    c.txtrecho->setEnabled(false);
    c.flechitas->setEnabled(false);
    for (forms::Image* imagen : c.imagenes)
        imagen->setEnabled(false);
}

// Placing the chosen ticket: columnaParaColocar() holds yaestaboleta.

void FrmObserva::cmdcoloca_Click() {
    const std::optional<int> semana = columnaParaColocar(boletas(), state_.seleccion);
    if (!semana) {
        msgBox(q(mensajeYaColocada(state_.seleccion)), forms::msg::Information, "Ternova");
        return;
    }
    columna(*semana).txtboleta->setText(q(state_.seleccion));
    columna(*semana).txtboleta->setFocus();
}

// Emptying a ticket box by hand empties its column and the month's comments.
void FrmObserva::txtboleta_Change(int semana) {
    if (!columna(semana).txtboleta->text().isEmpty() || rechazando_)
        return;
    imagenesblancas(semana, false);
}

// Enter moves on to the next control.
void FrmObserva::txtboleta_KeyPress(int /*semana*/, int& keyAscii) {
    if (keyAscii == 13)
        focusNextChild();
}

void FrmObserva::txtboleta_LostFocus(int semana) {
    traefechas(semana);
}

void FrmObserva::txtcreada_Change(int semana) {
    Columna& c = columna(semana);
    c.flechitas->setEnabled(!c.txtcreada->text().isEmpty());
}

// The lookup of the ticket typed or placed in week `semana`.
void FrmObserva::traefechas(int semana) {
    Columna& c = columna(semana);
    // A saved week keeps what it shows: a save stores what the boxes show.
    if (memoria_[semana - 1].guardada)
        return;
    c.txtboleta->setText(c.txtboleta->text().toLower());
    const QString boleta = c.txtboleta->text();
    if (boleta.isEmpty())
        return;
    Busqueda busqueda;
    try {
        busqueda = buscaBoleta(state_.conexion, boletas(), semana, s(boleta),
                               s(cmbtecnicos->text()), s(cmbmes->currentText()));
    } catch (const std::exception& error) {
        avisaFallo("No se pudo buscar la boleta " + boleta + ".", error);
        return;
    }
    // The year follows a sampled ticket, refused or not.
    if (busqueda.resultado == Busqueda::Ajena || busqueda.resultado == Busqueda::Aceptada)
        txtaño->setText(q(busqueda.año));
    if (const char* rechazo = mensajeDeRechazo(busqueda.resultado)) {
        msgBox(QString::fromUtf8(rechazo), forms::msg::Critical, "Ternova");
        // The month's comments stay. A ticket of another technician or month
        // keeps its number, and nothing of another ticket stays beside it.
        vaciaColumna(semana, busqueda.resultado != Busqueda::Ajena);
        return;
    }
    // Another ticket's ratings never stay beside this one.
    if (memoria_[semana - 1].tieneOtraBoleta(s(boleta)))
        vaciaColumna(semana, false);
    const TextosColumna& hallada = busqueda.textos;
    c.txtcreada->setText(q(hallada.creada));
    c.txtrecfe->setText(q(hallada.recFecha));
    c.txtrecho->setText(q(hallada.recHora));
    c.txtres->setText(q(hallada.resuelta));
    c.txtprio->setText(q(hallada.prioridad));
    memoria_[semana - 1].boleta = s(boleta);
}

// The week's counters and the month's totals.

Valorimagen FrmObserva::obtenimagen(const forms::Image* imagen) const {
    if (imagen->shows(blanco->picture()))
        return kBlanco;
    if (imagen->shows(bien->picture()))
        return kBien;
    if (imagen->shows(mal->picture()))
        return kMal;
    return kSinCalificacion;
}

void FrmObserva::califica(forms::Image* imagen, Valorimagen valorimagen) {
    const forms::Image* referencia = valorimagen == kBien  ? bien
                                     : valorimagen == kMal ? mal
                                                           : blanco;
    imagen->setPicture(referencia->picture());
}

void FrmObserva::cuenta_articulos(forms::Image* imagen, forms::TextBox* sat,
                                  forms::TextBox* insat) {
    for (const Escritura& escritura : quality::cuenta_articulos(obtenimagen(imagen), codigocuenta,
                                                                s(sat->text()), s(insat->text())))
        (escritura.contador == Contador::Sat ? sat : insat)->setText(q(escritura.texto));
}

void FrmObserva::recuenta(int semana) {
    Columna& c = columna(semana);
    const Cuentas cuentas = cuentas_de(calificaciones(semana));
    c.txtsat->setText(QString::number(cuentas.sat));
    c.txtinsat->setText(QString::number(cuentas.insat));
}

void FrmObserva::txtsat_Change(int /*semana*/) {
    totales(Contador::Sat);
}

void FrmObserva::txtinsat_Change(int /*semana*/) {
    totales(Contador::Insat);
}

void FrmObserva::totales(Contador cambiado) {
    std::array<std::string, 4> sat, insat;
    for (int w = 1; w <= 4; ++w) {
        sat[w - 1] = s(columna(w).txtsat->text());
        insat[w - 1] = s(columna(w).txtinsat->text());
    }
    const TotalesDelMes t = totales_del_mes(sat, insat, cambiado);
    txtsattotal->setText(q(t.sattotal));
    txtinsattotal->setText(q(t.insattotal));
    if (t.total)
        txttotal->setText(q(*t.total));
}

void FrmObserva::txttotal_Change() {
    const QString mostrado = q(porcentaje(s(txttotal->text())));
    if (mostrado != txttotal->text())
        txttotal->setText(mostrado);
}

// The criteria: 2, 3 and 5 by clicks, 1 and 4 overturned through the dialog.
void FrmObserva::Image_Click(int semana, int articulo) {
    Columna& c = columna(semana);
    if (!se_puede_calificar(textos(semana)))
        return;
    forms::Image* imagen = c.imagenes[articulo - 1];
    std::optional<CambioDeCalificacion> cambio;
    if (articulo == 1 || articulo == 4) {
        if (!abre_cambio(obtenimagen(imagen)))
            return;
        txtcomen->setText(txtcomen->text() + q(linea_de_cambio(articulo, s(c.txtboleta->text()))));
        QString comentarios = txtcomen->text();
        const EleccionCambio eleccion = FrmCambioArticulo::muestra(program(), comentarios);
        txtcomen->setText(comentarios);
        cambio = cambio_elegido(eleccion);
    } else {
        cambio = clic_manual(obtenimagen(imagen));
    }
    if (!cambio)
        return;
    califica(imagen, cambio->nueva);
    codigocuenta = cambio->codigocuenta;
    cuenta_articulos(imagen, c.txtsat, c.txtinsat);
}

// The acknowledgement: its boxes, its arrows and its checks.

QString FrmObserva::reconocimiento(int semana) const {
    return q(texto_reconocimiento(textos(semana)));
}

void FrmObserva::txtrecfe_GotFocus(int /*semana*/) {
    campoactivo = 1;
}

void FrmObserva::txtrecho_GotFocus(int /*semana*/) {
    campoactivo = 2;
}

// The arrows hand the focus back to the box they step.
void FrmObserva::flechitas_GotFocus(int semana) {
    if (campoactivo == 1)
        columna(semana).txtrecfe->setFocus();
    else if (campoactivo == 2)
        columna(semana).txtrecho->setFocus();
}

void FrmObserva::flechitas_DownClick(int semana) {
    paso(semana, false);
}

void FrmObserva::flechitas_UpClick(int semana) {
    paso(semana, true);
}

void FrmObserva::paso(int semana, bool adelante) {
    using Accion = PasoFlechitas::Accion;
    const PasoFlechitas paso = paso_flechitas(textos(semana), campoactivo, adelante);
    if (paso.accion == Accion::Pitido)
        beep();
    else if (paso.accion != Accion::Nada)
        (paso.accion == Accion::Fecha ? columna(semana).txtrecfe : columna(semana).txtrecho)
            ->setText(q(paso.texto));
}

// After a Yes to the same-minute question the date box's leaving checks and rates too.
void FrmObserva::txtrecfe_LostFocus(int semana) {
    Columna& c = columna(semana);
    if (c.txtrecfe->isFilled() && c.txtrecho->isFilled() && respuesta[semana - 1] == kRespuestaSi &&
        validatmporec(semana))
        calificatiempos(semana);
}

void FrmObserva::txtrecho_LostFocus(int semana) {
    Columna& c = columna(semana);
    if (!c.txtrecfe->isFilled() || !c.txtrecho->isFilled())
        return;
    const auto pregunta = [this] {
        return msgBox(kPreguntaMismoMinuto, kEstiloPreguntaMismoMinuto, "Ternova");
    };
    if (validahorarec(s(reconocimiento(semana)), s(c.txtcreada->text()), respuesta[semana - 1],
                      pregunta) &&
        validatmporec(semana))
        calificatiempos(semana);
}

bool FrmObserva::validatmporec(int semana) {
    Columna& c = columna(semana);
    const std::optional<RechazoReconocimiento> rechazo =
        quality::validatmporec(textos(semana), campoactivo);
    if (!rechazo)
        return true;
    if (rechazo->mensaje)
        msgBox(QString::fromUtf8(rechazo->mensaje), forms::msg::Critical, "Ternova");
    else
        beep();
    if (rechazo->criterio1_blanco && obtenimagen(c.imagenes[0]) != kBlanco) {
        califica(c.imagenes[0], kBlanco);
        // The counters always say what the pictures show.
        recuenta(semana);
    }
    forms::MaskedBox* caja =
        rechazo->caja == RechazoReconocimiento::Caja::Fecha ? c.txtrecfe : c.txtrecho;
    caja->setText(caja->emptyText());
    caja->setFocus();
    return false;
}

Limites FrmObserva::limites() const {
    return {state_.tiemposrec, state_.tiemposres};
}

// Criteria 1 and 4 from the acknowledgement, unless the ticket was saved with them.
void FrmObserva::calificatiempos(int semana) {
    Columna& c = columna(semana);
    CalificacionTiempos calificacion;
    try {
        calificacion = quality::calificatiempos(state_.conexion, textos(semana), limites(),
                                                calificaciones(semana));
    } catch (const std::exception& error) {
        avisaFallo(
            "No se pudo leer la evaluación guardada de la boleta " + c.txtboleta->text() + ".",
            error);
        return;
    }
    using Estado = CalificacionTiempos::Estado;
    if (calificacion.estado == Estado::SinCambio)
        return;
    codigocuenta = kSinCalificarAntes;
    if (calificacion.estado == Estado::Incorrecto) {
        // Criteria 1 and 4 are not rated while the message shows; criteria
        // 2, 3 and 5 keep their ratings, and the counters say so.
        califica(c.imagenes[0], kBlanco);
        califica(c.imagenes[3], kBlanco);
        recuenta(semana);
        msgBox(kMensajeReconocimientoIncorrecto, forms::msg::Critical, "Ternova");
        return;
    }
    muestraTiempos(semana, calificacion.articulo1, calificacion.articulo4, calificacion.cuentas);
}

void FrmObserva::muestraTiempos(int semana, Valorimagen articulo1, Valorimagen articulo4,
                                const Cuentas& cuentas) {
    Columna& c = columna(semana);
    califica(c.imagenes[0], articulo1);
    califica(c.imagenes[3], articulo4);
    c.txtsat->setText(QString::number(cuentas.sat));
    c.txtinsat->setText(QString::number(cuentas.insat));
    memoria_[semana - 1].reconocimientoCalificado = s(reconocimiento(semana));
}

// Saving, printing and closing.

void FrmObserva::cmdActualiza_Click() {
    Evaluacion evaluacion;
    for (int w = 1; w <= 4; ++w)
        evaluacion.semanas[w - 1] =
            semana_evaluada(textos(w), calificaciones(w), memoria_[w - 1].reconocimientoCalificado);
    evaluacion.supervisor = s(txtsuper->text());
    evaluacion.comentarios = s(txtcomen->text());
    const ResultadoGuardado resultado =
        GuardaEvaluacion(state_.conexion, limites()).guarda(evaluacion);
    // A week rated again before it was written shows what was written.
    for (const SemanaRecalificada& nueva : resultado.recalificadas)
        muestraTiempos(nueva.semana, nueva.articulo1, nueva.articulo4, nueva.cuentas);
    for (int semana : resultado.guardadas) {
        disableobjects(semana);
        memoria_[semana - 1].guardada = true;
    }
    msgBox(q(resultado.mensaje()), resultado.estilo(), "Ternova");
}

// The window printed as it looks, taller, without its buttons, the
// technician's name in place of the combo.
void FrmObserva::cmdImprime_Click() {
    const int alto = heightTwips();
    const QString tecnicoAntes = txttecnico->text();
    // The focus waits on the form itself: hiding the button that holds it
    // would hand it to a box, whose caret would be printed and whose
    // leaving would run that box's handler later.
    const QPointer<QWidget> enfocado = focusWidget();
    client()->setFocus();
    QPushButton* botones[] = {cmdActualiza, cmdImprime, cmdconfig, cmdsalir, cmdcoloca};
    for (QPushButton* boton : botones)
        boton->setVisible(false);
    txttecnico->setText(cmbtecnicos->text());
    cmbtecnicos->setVisible(false);
    setHeightTwips(11150);
    const bool impreso = printForm();
    for (QPushButton* boton : botones)
        boton->setVisible(true);
    cmbtecnicos->setVisible(true);
    setHeightTwips(alto);
    if (enfocado)
        enfocado->setFocus();
    if (!impreso) {
        txttecnico->setText(tecnicoAntes);
        msgBox("No se pudo imprimir la ventana.", forms::msg::Critical, "Ternova");
    }
}

void FrmObserva::cmdconfig_Click() {
    services().printer->showSetup();
}

void FrmObserva::cmdsalir_Click() {
    unloadMe();
}

TextosColumna FrmObserva::textos(int semana) const {
    const Columna& c = columnas_[semana - 1];
    return {s(c.txtboleta->text()), s(c.txtcreada->text()), s(c.txtrecfe->text()),
            s(c.txtrecho->text()),  s(c.txtres->text()),    s(c.txtprio->text())};
}

CalificacionesSemana FrmObserva::calificaciones(int semana) const {
    CalificacionesSemana valores{};
    for (int k = 0; k < 5; ++k)
        valores[k] = obtenimagen(columnas_[semana - 1].imagenes[k]);
    return valores;
}

BoletasDeLasSemanas FrmObserva::boletas() const {
    BoletasDeLasSemanas textos;
    for (int w = 0; w < 4; ++w)
        textos[w] = s(columnas_[w].txtboleta->text());
    return textos;
}

void FrmObserva::avisaFallo(const QString& que, const std::exception& error) {
    msgBox(que + "\r\n" + q(error.what()), forms::msg::Critical, "Ternova");
}

}  // namespace quality
