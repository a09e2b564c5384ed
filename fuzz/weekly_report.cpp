// Ternova's reader of the weekly resolved-tickets report, run as the weekly
// run runs it (first block's header and dates, then every detail line) into
// a Ternova.mdb of the real schema. Input: the report's bytes.

#include "ErrorArchivo.h"
#include "LectorBoletas.h"
#include "database/TernovaDatabase.h"
#include "database/database.h"
#include "fuzz_support.h"
#include "runtime/runtime_error.h"

namespace {

struct Store {
    fuzz::ScratchFolder folder;
    db::Database conexion{quality::create_ternova_database(folder.path(), "clave")};
};

// "dd/mm/yy hh:mm".
bool is_moment(const std::string& text) {
    const std::string_view form = "99/99/99 99:99";
    if (text.size() != form.size())
        return false;
    for (std::size_t i = 0; i < form.size(); ++i)
        if (form[i] == '9' ? text[i] < '0' || text[i] > '9' : text[i] != form[i])
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Store store;
    const auto input = fuzz::bytes(data, size);

    // A moment is read into the stored form or not at all.
    if (const auto moment = quality::momento_boleta(input.substr(0, 40)))
        FUZZ_CHECK(is_moment(*moment));

    const auto file = store.folder.write("reporte.txt", input);
    store.conexion.begin();
    bool read = false;
    double total = 0;
    try {
        runtime::LineReader reporte(file);
        quality::SinAvance avance;
        quality::LectorBoletas lector(reporte, store.conexion, avance);
        lector.buscalista();
        lector.leefechas();
        lector.cargaboletas();
        total = lector.totalboletas;
        read = true;
    } catch (const quality::ErrorArchivo&) {
    } catch (const runtime::Error& error) {
        // Reading past the end of a report that ends too soon.
        FUZZ_CHECK(error.number() == runtime::kInputPastEndOfFile);
    }
    if (read) {
        // Every detail line is one row, its moments in the stored form.
        long rows = 0;
        db::Recordset rs = store.conexion.open_recordset("SELECT * FROM Boletas_Resueltas");
        for (; !rs.eof(); rs.move_next(), ++rows) {
            FUZZ_CHECK(is_moment(rs["fecha_creada"].to_text()));
            FUZZ_CHECK(is_moment(rs["fecha_resuelta"].to_text()));
            for (const char* field : {"listatrabajo", "boleta", "tecnico", "prioridad"})
                FUZZ_CHECK(fuzz::is_utf8(rs[field].to_text()));
        }
        FUZZ_CHECK(rows == static_cast<long>(total));
    }
    store.conexion.rollback();
    return 0;
}
