#pragma once
// What the weekly run's tests share: a program folder with a Ternova.mdb of
// the real schema and the weekly templates, report fixtures in the report's
// fixed columns, and recorders of the progress window and the messages.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Avance.h"
#include "GeneraArchivos.h"
#include "database/database.h"
#include "ternova_fixture.h"

namespace weekly_test {

namespace fs = std::filesystem;

// The program folder of a test: Ternova.mdb and both templates.
struct ProgramFolder : TernovaFolder {
    db::Database conexion;
    ProgramFolder() {
        for (const char* plantilla : {"TICKETS_TECNICOS.XLS", "numero_boletas.xls"})
            fs::copy_file(fs::path(PROGRAM_DIR) / plantilla, folder.path() / plantilla);
        conexion.open(file);
    }
    long count(const std::string& table) {
        return static_cast<long>(conexion.scalar("SELECT count(*) FROM " + table).to_number());
    }
};

// A detail line in the report's columns: a line number in 1-13, the ticket
// in 14-27, the creation in 30-45, the resolution in 46-64, then the
// technician in the 8 columns that start 20 before the end, a status, and
// the priority in the last 5.
inline std::string detalle(const std::string& boleta, const std::string& creada,
                           const std::string& resuelta, const std::string& tecnico,
                           const std::string& prioridad, int numero = 1) {
    auto ancho = [](std::string texto, std::size_t n) {
        texto.resize(n, ' ');
        return texto;
    };
    std::string n = std::to_string(numero);
    std::string linea = std::string(6 - n.size(), ' ') + n + std::string(7, ' ');
    linea += ancho(boleta, 14) + "  " + ancho(creada, 16) + ancho(resuelta, 19) + "  ";
    linea += ancho(tecnico, 8) + "CERRADA ";
    linea += std::string(5 - prioridad.size(), ' ') + prioridad;
    return linea;
}

// A block of the report: header, dates line, titles, separator, details, closing line.
inline std::vector<std::string> bloque(const std::string& lista,
                                       const std::vector<std::string>& detalles,
                                       const std::string& fechas = "27/02/26 A 05/03/26") {
    std::vector<std::string> lineas = {"REPORTE DE BOLETAS RESUELTAS",
                                       "LISTA DE TRABAJO " + lista,
                                       "DE FECHA " + fechas + " 23:59:59",
                                       "",
                                       "     #       BOLETA   CREADA   RESUELTA   TECNICO",
                                       std::string(40, '-')};
    lineas.insert(lineas.end(), detalles.begin(), detalles.end());
    lineas.push_back("FIN DE LISTA " + lista);
    lineas.push_back("");
    return lineas;
}

inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline fs::path escribe(const fs::path& file, const std::vector<std::string>& lineas,
                        const char* fin = "\r\n") {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    for (const auto& linea : lineas)
        out << linea << fin;
    return file;
}

// Every change the run made to the progress window, in order.
struct Cambio {
    enum Tipo { Mostrar, Descargar, Barra, Etiqueta } tipo;
    int cual = 0;  // the quality::Barra or quality::Etiqueta
    long valor = 0, maximo = 0;
    std::string texto;
};

class AvanceGrabado : public quality::Avance {
public:
    void mostrar() override { cambios.push_back({Cambio::Mostrar, 0, 0, 0, {}}); }
    void descargar() override { cambios.push_back({Cambio::Descargar, 0, 0, 0, {}}); }
    void barra(quality::Barra b, long valor, long maximo) override {
        cambios.push_back({Cambio::Barra, int(b), valor, maximo, {}});
    }
    void etiqueta(quality::Etiqueta e, const std::string& texto) override {
        cambios.push_back({Cambio::Etiqueta, int(e), 0, 0, texto});
    }
    std::vector<long> valores(quality::Barra b) const {
        std::vector<long> v;
        for (const auto& c : cambios)
            if (c.tipo == Cambio::Barra && c.cual == int(b))
                v.push_back(c.valor);
        return v;
    }
    std::vector<std::string> textos(quality::Etiqueta e) const {
        std::vector<std::string> v;
        for (const auto& c : cambios)
            if (c.tipo == Cambio::Etiqueta && c.cual == int(e))
                v.push_back(c.texto);
        return v;
    }
    std::vector<Cambio> cambios;
};

struct Mensaje {
    std::string texto;
    int estilo;
};

class AvisosGrabados : public quality::AvisosCorrida {
public:
    void mensaje(const std::string& texto, int estilo) override {
        mensajes.push_back({texto, estilo});
    }
    void reloj(bool esperando) override { reloj_.push_back(esperando); }
    std::vector<Mensaje> mensajes;
    std::vector<bool> reloj_;
};

}  // namespace weekly_test
