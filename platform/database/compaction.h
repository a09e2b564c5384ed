#pragma once
// Compacting a database file, as the old engine's CompactDatabase did, but
// without a moment in which the database is missing or half written.

#include <filesystem>

namespace db {

// Copies `file` compacted into `copy` (a file in the same folder; one left
// there before is replaced), checks the copy (its integrity and the row count
// of every table), then renames it over `file` in one step. Every connection
// to the file, of this program or another, must be closed: an open one makes
// it fail with kGeneralError ("... está abierta."), as do a missing file and
// a failing copy or check. On failure `file` is unchanged and no copy is left.
void compact_database(const std::filesystem::path& file, const std::filesystem::path& copy);

// Removes a compacted copy that a killed compaction left, with the engine's
// side files (journal); call it only while the database is open, which no
// compaction allows. Never throws.
void remove_compaction_copy(const std::filesystem::path& copy) noexcept;

}  // namespace db
