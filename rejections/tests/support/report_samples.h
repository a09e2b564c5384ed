#pragma once
// Samples stored for the report's tests and benchmark in a riruzozs.mdb made
// from the schema: each record's fields tell its number, so a row of the
// workbook shows which record it holds.

#include <string>

#include "database/database.h"

namespace rejections::testing {

// The central every sample is of, and the file they came from.
inline constexpr const char* kReportCentral = "MEXCCO01";
inline constexpr const char* kReportFile = "CO80615.txt";

// Enters the central and the file, once.
void store_report_sources(db::Database& base);

// Stores samples first ... first + count - 1, in one transaction: sample i
// has rd "R<i>", [# de A] "55<i>", hora "10:45:00", duracion "00:01:30",
// trcd i + 0.5 (a number), trsd Null, Collection for even i, and every other
// text field the column's name and i ("irs 3").
void store_report_samples(db::Database& base, long first, long count);

// The text sample i holds in a column stored as "<column> <i>".
std::string report_text(const char* column, long sample);

}  // namespace rejections::testing
