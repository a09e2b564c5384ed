#include "GeneraBoletas.h"

#include "Aleatorio.h"
#include "FrmAvance.h"
#include "GeneraArchivos.h"
#include "form.h"
#include "long_job.h"
#include "program.h"
#include "runtime/program_folder.h"
#include "services.h"

namespace quality {

namespace {

// The run's messages and hourglass through the main window's services.
class AvisosEnVentana : public AvisosCorrida {
public:
    explicit AvisosEnVentana(forms::Form& ventana) : ventana_(ventana) {}
    void mensaje(const std::string& texto, int estilo) override {
        ventana_.msgBox(QString::fromStdString(texto), estilo, kTitulo);
    }
    void reloj(bool esperando) override { ventana_.setHourglass(esperando); }

private:
    forms::Form& ventana_;
};

}  // namespace

bool generaBoletas(forms::Form& principal, MdlTtlQuality& estado,
                   const std::function<void(const QString&)>& panel, Aleatorio* aleatorio) {
    // The report:
    const QString archivo = principal.services().fileDialog->showOpen(
        {"", "Archivos de Texto (*.txt)|*.txt",
         QString::fromStdString(runtime::program_folder().string()), ""});
    if (archivo.isEmpty()) {
        principal.setHourglass(false);
        return false;
    }

    // The run, drawn as it goes:
    bool generado = false;
    std::string exito;
    {
        forms::LongJob trabajo;
        principal.setHourglass(true);
        if (panel)
            panel("Generando Archivos...");
        forms::refresh(&principal);
        AvanceEnVentana avance(principal.program());
        AvisosEnVentana avisos(principal);
        Aleatorio delReloj;
        GeneraArchivos corrida(estado.conexion, avance, avisos, aleatorio ? *aleatorio : delReloj);
        generado = corrida.generaarchivos(archivo.toStdString());
        exito = mensaje_de_exito(corrida.total_omitidas, corrida.omitidas);
        principal.setHourglass(false);
        if (panel)
            panel("");
    }
    if (generado)
        principal.msgBox(QString::fromStdString(exito), forms::msg::Information);
    return generado;
}

}  // namespace quality
