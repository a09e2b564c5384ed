#include "grid_stores.h"

#include <string>

#include "FacturaDatabase.h"
#include "database/TernovaDatabase.h"
#include "database/database.h"
#include "riruzozs_database.h"

namespace bench {

namespace {

// The rows 1..rows as a recursive CTE, ahead of an INSERT ... SELECT.
std::string numbers(long rows) {
    return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           std::to_string(rows) + ") ";
}

constexpr long kFiles = 100;

}  // namespace

std::filesystem::path make_riruzoz_store(const std::filesystem::path& folder, long rows) {
    const auto file = folder / rejections::kRiruzozsFile;
    rejections::create_riruzozs_file(file);
    db::Database base(file);
    db::Transaction transaction(base);
    base.execute_script(
        "INSERT INTO Centrales SELECT printf('CEN%02dMX01', i), printf('Central %d', i), 'DMS', "
        "'Norte' FROM (" +
        numbers(10) + "SELECT i FROM n);" +
        "INSERT INTO \"Archivos Alta\" SELECT printf('AB%05d.txt', i), '08/06/15' FROM (" +
        numbers(kFiles) + "SELECT i FROM n);" + numbers(rows) +
        "INSERT INTO \"Riruzozs alta\" SELECT i, '02', '16', printf('%010d', i), "
        "printf('01800%013d', i), '1', '10:45:12', '08/06/15', '00:01:30', "
        "printf('CEN%02dMX01', i % 10 + 1), '0012', '0034', 'E1', 'LR', '00', '01', '0123', "
        "'CF', 'XS', 'RI', printf('ID%06d', i), i % 97, i % 89, i % 2, '08/06/15 10:45', "
        "'08/06/15', printf('AB%05d.txt', i % " +
        std::to_string(kFiles) + " + 1) FROM n;");
    transaction.commit();
    return file;
}

std::filesystem::path make_billing_store(const std::filesystem::path& folder, long rows) {
    const auto file = billing::create_factura_database(folder);
    db::Database base(file);
    db::Transaction transaction(base);
    std::string values =
        "i, '01', 120, '01', printf('%08d', i), i, 1, printf('%010d', i), '01', "
        "printf('%018d', i), '0', '16', '00', '08/06/15', '10:45:12', "
        "'00:01:30', '0000', '0000', '0123'";
    for (int f = 19; f <= 38; ++f)
        values += ", printf('F" + std::to_string(f) + "%06d', i % 1000)";
    base.execute_script(numbers(rows) + "INSERT INTO \"Facturación Detallada\" SELECT " + values +
                        " FROM n;");
    transaction.commit();
    return file;
}

std::filesystem::path make_ternova_store(const std::filesystem::path& folder, long rows,
                                         long technicians) {
    const auto file = quality::create_ternova_database(folder, "clave");
    const long people = technicians > 0 ? technicians : rows;
    db::Database base(file);
    db::Transaction transaction(base);
    base.execute_script(
        numbers(people) +
        "INSERT INTO TECNICOS SELECT printf('T%07d', i), printf('TECNICO %07d', i), "
        "'1' FROM n;" +
        numbers(rows) +
        "INSERT INTO Boletas_Resueltas SELECT printf('LT%03d', i % 100), "
        "printf('B%08d', i), printf('T%07d', (i - 1) % " +
        std::to_string(people) + " + 1), '01/06/08 10:00', '02/06/08 11:00', '2' FROM n;");
    transaction.commit();
    return file;
}

}  // namespace bench
