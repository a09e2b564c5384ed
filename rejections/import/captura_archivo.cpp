#include "captura_archivo.h"

#include <cctype>

#include "runtime/strings.h"

namespace rejections {

namespace {

// The window's pointer is the hourglass while a pick is handled.
class WindowHourglass {
public:
    explicit WindowHourglass(WaitPointer& pointer) : pointer_(pointer) {
        pointer_.setWindowPointer(MousePointer::Hourglass);
    }
    ~WindowHourglass() { pointer_.setWindowPointer(MousePointer::Default); }
    WindowHourglass(const WindowHourglass&) = delete;
    WindowHourglass& operator=(const WindowHourglass&) = delete;

private:
    WaitPointer& pointer_;
};

}  // namespace

std::string fecha_de_archivo(std::string_view ultimos12, int anio_actual) {
    const int yy = anio_actual % 100;
    const std::string anio = {static_cast<char>('0' + yy / 10), static_cast<char>('0' + yy % 10)};
    const std::string octavo = runtime::mid(ultimos12, 8, 1);
    const bool con_sufijo = octavo.size() == 1 &&
                            std::string_view("ABCD").find(static_cast<char>(std::toupper(
                                static_cast<unsigned char>(octavo[0])))) != std::string_view::npos;
    const std::size_t desde = con_sufijo ? 4 : 5;
    const long d = static_cast<long>(desde);
    return anio + "/" + runtime::mid(ultimos12, d, 2) + "/" + runtime::mid(ultimos12, d + 2, 2);
}

std::string captura_archivo(const ImportServices& services, const std::string& ruta_archivo) {
    WindowHourglass hourglass(services.pointer);
    if (ruta_archivo.empty()) {
        return {};
    }
    std::string nombre = runtime::right(ruta_archivo, 12);
    const std::string fecha = fecha_de_archivo(nombre, services.anio_actual);
    if (!nombre.empty() && nombre.front() == '/') {
        nombre.erase(0, 1);
    }

    // The file's row and its samples are one transaction.
    try {
        services.store.begin();
        services.store.insertFile(nombre, fecha);
    } catch (const StoreError& error) {
        services.store.rollback();
        if (error.number() == kErrorDuplicateKey && !error.database_failure()) {
            services.messages.show("Archivo ya capturado", "Error en Archivo");
        } else {
            muestra_falla_de_base(services.messages, ruta_archivo, error);
        }
        return fecha;
    }
    importa_muestras(services, ruta_archivo, nombre);
    return fecha;
}

}  // namespace rejections
