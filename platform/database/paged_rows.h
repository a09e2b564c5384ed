#pragma once
// The rows of a table, a saved query or a statement as a grid shows them: a
// first page read at once, the rows counted on a thread of their own, and
// then any row read by its page, whatever its place, into a cache of a few
// pages. Nothing of the database file is held between two reads, so other
// connections write while a grid stays open.
//
// How a row is found again: when the statement yields one row per row of the
// table that drives it (a plain SELECT, over a table or over a view that is
// one itself), the count keeps the driving table's rowid of every row (8
// bytes a row) and a page is read by its rowids. Any other statement (one
// that groups, say) is copied once into a temporary table of the connection,
// whose pages the SQLite page cache keeps bounded, and read from there. When
// the statement groups its rows, its groups are counted first, without its
// select list. Where an index gives the groups in order (no temporary tree
// in the plan), nothing is copied: a page is the statement's rows from the
// page's first on (LIMIT and OFFSET), the groups before it skipped without
// their select list; a search copies the rows once. Otherwise the count is
// known before the copy ends, and rows past the first page wait for it.
// Count and copy are reads of their own (no transaction is opened on the
// shared connection); should another connection change the rows in between,
// the copy's count holds.
//
// The database is used by this object alone while the count (and a copy)
// runs; every call but the ones that say otherwise waits for it to end first.

#include <atomic>
#include <cstddef>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/value.h"

namespace db {

class Database;
struct Connection;

class PagedRows {
public:
    static constexpr long kPageRows = 100;
    static constexpr std::size_t kCachedPages = 40;

    // Opens `source` of the old dialect on `database`, which must outlive it.
    // Failures raise db::Error.
    PagedRows(Database& database, std::string_view source);
    ~PagedRows();  // stops a count still running
    PagedRows(const PagedRows&) = delete;
    PagedRows& operator=(const PagedRows&) = delete;

    int field_count() const { return static_cast<int>(names_.size()); }
    const std::string& field_name(int field) const;
    // The position of a name, blind to case; -1 when there is none.
    int field_position(std::string_view name) const;

    // Without waiting: whether the rows are counted, and the rows known to be
    // there (the first page until then).
    bool counted() const { return count_known_.load(std::memory_order_acquire); }
    long rows_known() const;
    // The number of rows, once counted (a copy still running is not waited
    // for). A count that failed raises its error, once; the rows known stay.
    long row_count();
    // Calls `call` once when the count has ended: at once when it has, or
    // else on the counting thread.
    void when_counted(std::function<void()> call);

    // A field of a row (0-based); a row past the end raises kGeneralError.
    runtime::Value value(long row, int field);
    // The first row, from the start, for which the criteria of the old
    // dialect hold; -1 when none does.
    long find_first(std::string_view criteria);

    // Whether rows can be written back: a statement over one table.
    bool updatable() const { return !table_.empty(); }
    // Stores fields of a row into its table.
    void update(long row, const std::vector<std::pair<int, runtime::Value>>& fields);

    // The rows held in memory now (the cache and the first page).
    long cached_rows() const;

private:
    enum class Mode { Keyed, Copied, Limited };
    struct Page {
        long number;
        std::vector<std::vector<runtime::Value>> rows;
    };

    void choose_mode(const std::string& sql);
    void read_first_page();
    void count();  // on the counting thread, or at once for a small source
    void count_keys();
    void copy_rows();
    bool yields_rows_as_read(const std::string& statement);
    std::string create_copy();
    void fill_copy(const std::string& columns);
    std::string grouping_statement();
    void publish_count();
    void settle();
    const Page& page(long number);
    long position_of_key(long long key) const;

    Connection& connection_;
    Mode mode_ = Mode::Keyed;
    std::string sql_;      // the statement, with its key column when keyed
    std::string copy_;     // the temporary table of a copied source
    std::string limited_;  // the grouping statement pages are read from (limited)
    std::vector<std::string> names_;
    std::vector<int> columns_;  // the statement's column of each field
    int key_column_ = -1;
    std::string table_;  // the table rows are written to; "" when read-only
    std::vector<std::string> target_columns_;

    std::vector<std::vector<runtime::Value>> first_rows_;
    std::vector<long long> first_keys_;
    std::vector<long long> keys_;  // every row's key, once counted (keyed)
    std::atomic<long> count_{0};
    std::string count_error_;

    std::thread counter_;
    std::atomic<bool> count_known_{false};
    std::atomic<bool> finished_{false};  // the counting thread's work is done
    std::mutex callback_mutex_;
    std::function<void()> callback_;
    bool settled_ = false;
    bool one_page_ = false;  // the source fits its first page: counted at once

    std::list<Page> pages_;  // the most recently used first
    std::unordered_map<long, std::list<Page>::iterator> page_index_;
};

}  // namespace db
