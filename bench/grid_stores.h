#pragma once
// Generated stores of a million rows for the grid benchmark: riruzoz's
// samples (the 29 columns of its query "prueba"), Zovavidevir's billing
// records (38 columns) and Ternova's totals per technician.

#include <filesystem>

namespace bench {

// Each makes its database file in `folder` with `rows` rows and returns its path.
std::filesystem::path make_riruzoz_store(const std::filesystem::path& folder, long rows);
std::filesystem::path make_billing_store(const std::filesystem::path& folder, long rows);
// Ternova's store holds `rows` resolved tickets of `technicians` technicians
// (one ticket each when 0: a total a ticket).
std::filesystem::path make_ternova_store(const std::filesystem::path& folder, long rows,
                                         long technicians = 0);

}  // namespace bench
