#pragma once
// Reading on one thread and storing on another: an import parses the next
// part of its file while the database inserts the part before. The reading
// side fills batches of items that are handed over in order through a small
// bounded queue and reused, so that memory stays flat whatever the input's
// size; the first failure of either side stops both.
//
//     runtime::pipelined<Row>(
//         [&](runtime::Pipe<Row>& pipe) { while (...) parse_into(pipe.next()); },
//         [&](const Row& row) { insert(row); });

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace runtime {

// What an item keeps elsewhere (the texts of its strings) that the storing
// side reads: an item type that points to such parts says so by
// specializing this, so that they are fetched early with the item.
template <class Item>
struct PrefetchParts {
    static void of(const Item&) {}
};

template <class Item>
class Pipe {
public:
    // Thrown on the reading side once the storing side has stopped.
    class Cancelled {};
    // Batches of about 32 KB stay in the caches of the cores that hand them
    // over, and are few enough that handing them over costs little.
    static constexpr std::size_t kBatchItems =
        sizeof(Item) * 64 >= 32768 ? 64 : 32768 / sizeof(Item);
    static constexpr std::size_t kBatches = 16;
    // A reading side that ran out of batches is woken when this many are
    // free again, not for each one: every wake-up is a system call on the
    // storing side, which is the slower of the two.
    static constexpr std::size_t kResumeAt = kBatches / 2;
    // The most items the reading can be ahead of the storing.
    static constexpr std::size_t kMostAhead = kBatchItems * kBatches;

    // The reading side: the next item to fill, in the order the storing side
    // gets them. The item keeps what an earlier use left in it (its strings'
    // storage), to be overwritten.
    Item& next() {
        if (filling_ && filling_->used == kBatchItems)
            hand_over();
        if (!filling_) {
            std::unique_lock lock(mutex_);
            if (free_.empty() && !stopped_) {
                reader_waiting_ = true;
                room_.wait(lock, [&] { return stopped_ || free_.size() >= kResumeAt; });
                reader_waiting_ = false;
            }
            if (stopped_)
                throw Cancelled();
            filling_ = free_.back();
            free_.pop_back();
            filling_->used = 0;
        }
        return filling_->items[filling_->used++];
    }
    // Hands over what is left and ends the items, with the reading's failure.
    void finish(std::exception_ptr failure = nullptr) {
        std::lock_guard lock(mutex_);
        if (filling_ && !stopped_)
            full_.push_back(filling_);
        filling_ = nullptr;
        failure_ = failure;
        finished_ = true;
        ready_.notify_one();
    }

    // The storing side: calls `use` on every item in order until the reading
    // finished. Returns the reading's failure, if any.
    template <class Use>
    std::exception_ptr drain(Use&& use) {
        for (;;) {
            Batch* batch = nullptr;
            {
                std::unique_lock lock(mutex_);
                if (taken_ == full_.size() && !finished_) {
                    storer_waiting_ = true;
                    ready_.wait(lock, [&] { return taken_ < full_.size() || finished_; });
                    storer_waiting_ = false;
                }
                if (taken_ == full_.size())
                    return failure_;
                batch = full_[taken_++];
                if (taken_ == full_.size()) {  // all taken: the list starts again
                    full_.clear();
                    taken_ = 0;
                }
            }
            for (std::size_t i = 0; i < batch->used; ++i) {
                // The items were written on another core: fetching the next
                // ones while this one is stored hides the transfer.
                if (i + 2 < batch->used)
                    prefetch(batch->items[i + 2]);
                use(static_cast<const Item&>(batch->items[i]));
            }
            std::lock_guard lock(mutex_);
            free_.push_back(batch);
            if (reader_waiting_ && free_.size() >= kResumeAt)
                room_.notify_one();
        }
    }
    // Stops the reading side at its next item.
    void stop() {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        room_.notify_one();
    }

    Pipe() {
        for (Batch& batch : batches_) {
            batch.items.resize(kBatchItems);
            free_.push_back(&batch);
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

private:
    struct Batch {
        std::vector<Item> items;
        std::size_t used = 0;
    };
    static void prefetch(const Item& item) {
        const char* bytes = reinterpret_cast<const char*>(&item);
        for (std::size_t offset = 0; offset < sizeof(Item); offset += 64)
            __builtin_prefetch(bytes + offset);
        PrefetchParts<Item>::of(item);
    }

    void hand_over() {
        std::lock_guard lock(mutex_);
        if (stopped_)
            throw Cancelled();
        full_.push_back(filling_);
        filling_ = nullptr;
        if (storer_waiting_)
            ready_.notify_one();
    }

    std::mutex mutex_;
    std::condition_variable room_;   // the reading side waits for free batches
    std::condition_variable ready_;  // the storing side waits for full ones
    bool reader_waiting_ = false, storer_waiting_ = false;
    std::vector<Batch> batches_ = std::vector<Batch>(kBatches);
    std::vector<Batch*> free_;
    std::vector<Batch*> full_;  // in order; the first taken_ of them are gone
    std::size_t taken_ = 0;
    Batch* filling_ = nullptr;
    bool finished_ = false, stopped_ = false;
    std::exception_ptr failure_;
};

// A value alone on its cache lines. What one side of a pipe writes at every
// item must share no line with what the other side reads at every item, or
// that line moves between the two cores each time.
template <class T>
struct alignas(64) OwnLines {
    T value;
};

// Runs read(pipe) on a thread of its own and store(item) on this one for
// every item it makes, in order. A failure of store stops the reading and is
// thrown; otherwise a failure of read is thrown once the items made before it
// are stored.
template <class Item, class Read, class Store>
void pipelined(Read&& read, Store&& store) {
    Pipe<Item> pipe;
    // Each side reads its callable, the references it holds, at every item:
    // copies of their own, apart from the caller's locals that the other side
    // writes.
    OwnLines<std::decay_t<Read>> reading{std::forward<Read>(read)};
    OwnLines<std::decay_t<Store>> storing{std::forward<Store>(store)};
    std::thread reader([&] {
        try {
            reading.value(pipe);
            pipe.finish();
        } catch (const typename Pipe<Item>::Cancelled&) {
            pipe.finish();
        } catch (...) {
            pipe.finish(std::current_exception());
        }
    });
    std::exception_ptr failure;
    try {
        failure = pipe.drain(storing.value);
    } catch (...) {
        pipe.stop();
        reader.join();
        throw;
    }
    reader.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace runtime
