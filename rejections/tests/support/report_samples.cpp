#include "report_samples.h"

namespace rejections::testing {

void store_report_sources(db::Database& base) {
    base.execute("INSERT INTO Centrales VALUES (?, 'Mexico Centro', '5ESS', 'Metro')",
                 {runtime::Value(kReportCentral)});
    base.execute("INSERT INTO [Archivos Alta] VALUES (?, '08/06/15')",
                 {runtime::Value(kReportFile)});
}

std::string report_text(const char* column, long sample) {
    return std::string(column) + " " + std::to_string(sample);
}

void store_report_samples(db::Database& base, long first, long count) {
    static const char* const kInsert =
        "INSERT INTO [Riruzozs alta] (tr, rd, numero_a, numero_b, t, hora, fecha, duracion, "
        "clli, irs, ire, err, lr, cs, pa, carrier, cf_ni, x_subscriber, red_inteligente, "
        "id_trafico, trcd, trsd, collection, f_recoleccion, fech_arch, archivo) "
        "VALUES (?, ?, ?, ?, ?, '10:45:00', '08/06/15', '00:01:30', ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, NULL, ?, '08/06/15 10:45', '08/06/15', ?)";
    db::Transaction transaction(base);
    for (long i = first; i < first + count; ++i) {
        auto text = [i](const char* column) { return runtime::Value(report_text(column, i)); };
        base.execute(kInsert, {text("tr"),
                               runtime::Value("R" + std::to_string(i)),
                               runtime::Value("55" + std::to_string(i)),
                               text("numero_b"),
                               text("t"),
                               runtime::Value(kReportCentral),
                               text("irs"),
                               text("ire"),
                               text("err"),
                               text("lr"),
                               text("cs"),
                               text("pa"),
                               text("carrier"),
                               text("cf_ni"),
                               text("x_subscriber"),
                               text("red_inteligente"),
                               text("id_trafico"),
                               runtime::Value(i + 0.5),
                               runtime::Value(i % 2 == 0),
                               runtime::Value(kReportFile)});
    }
    transaction.commit();
}

}  // namespace rejections::testing
