#pragma once
// Records stored in a real factura.mdb through the program's own importer and
// store, for the tests of what reads them back (the filter, the grid, the
// report). Header-only: its users link billing_database.

#include <filesystem>
#include <string>

#include "FacturaRecordStore.h"
#include "billing_dump.h"
#include "database/database.h"
#include "import_doubles.h"
#include "importa_arch.h"
#include "temp_dir.h"

namespace billingtest {

// Imports the records of `stream` into the database through a dump file
// written in `dir`; returns how many were stored.
inline long long storeRecords(db::Database& base, const testsupport::TempDir& dir,
                              const std::string& stream) {
    RecordingReporter reporter;
    billing::FacturaRecordStore store(base);
    return billing::importa_arch(dir.write("registros.txt", dumpLines(stream, 64)), store,
                                 reporter);
}

// Four records told apart by their sequence numbers (field 6, 1 to 4) and
// by the fields the filter window narrows:
//   1: causa "01", cliente A "5551234567", duration 00:15:45, route ABCDEFG
//   2: causa "01", cliente A "5559999999", duration 00:00:07
//   3: causa "02", cliente A "5551234000", outgoing route 'ABCDEF (a quote)
//   4: causa "0A", cliente A "7770000000", type 02
inline std::string filterRecords() {
    return recordDigits(RecordType::Type01,
                        {{3, "01"}, {6, "000001"}, {7, "5551234567"}, {15, "001545"}}) +
           recordDigits(RecordType::Type01,
                        {{3, "01"}, {6, "000002"}, {7, "5559999999"}, {15, "000007"}}) +
           recordDigits(RecordType::Type01,
                        {{3, "02"}, {6, "000003"}, {7, "5551234000"}, {19, "27414243444546"}}) +
           recordDigits(RecordType::Type02, {{3, "0A"}, {6, "000004"}, {7, "7770000000"}});
}

}  // namespace billingtest
