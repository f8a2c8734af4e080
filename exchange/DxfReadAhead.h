// The entities of a drawing's ENTITIES section, read on a second thread
// while the model is built from the ones read before. Reading the text and
// its numbers takes about as long as building the walls and searching for
// the wall that holds each door, so a large drawing comes in in about half
// the time on a machine with two cores.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "exchange/DxfEntity.h"

namespace exchange {

class DxfReader;

class DxfReadAhead {
public:
    // Reads the entities of reader, which stands at the first entity of the
    // section (DxfReader::start said Entities). With threaded false, or where
    // no thread can be had, they are read one by one as next() asks for them.
    // The reader is not to be used by anyone else until finish().
    DxfReadAhead(DxfReader& reader, bool threaded);
    // Stops the reading (what was read and not taken is dropped).
    ~DxfReadAhead();

    DxfReadAhead(const DxfReadAhead&) = delete;
    DxfReadAhead& operator=(const DxfReadAhead&) = delete;

    // The next entity, valid until the following call; null at the end of
    // the section or where reading stopped (the reader's cut() says which).
    // What the reading thread threw (no memory) is thrown here.
    const DxfEntity* next();
    // Bytes of the file read up to the entity next() gave last.
    std::uint64_t position() const { return position_; }
    // Waits for the reading thread: the reader may be asked again (cut(),
    // cutMessage()). next() then gives nothing more.
    void finish();

    bool threaded() const { return thread_.joinable(); }

private:
    struct Batch {
        std::vector<DxfEntity> entities;
        std::size_t count = 0;
        std::uint64_t position = 0;  // where the reader stood after the last one
        bool last = false;           // the section (or the reading) ends here
    };
    // Entities in a batch, and batches in flight: the threads meet once a
    // batch, and what waits takes little memory.
    static constexpr std::size_t batchSize = 256;
    static constexpr std::size_t batchCount = 4;

    void run();
    // Reads one batch; false when the section ended in it.
    bool fill(Batch& batch);

    DxfReader& reader_;
    std::vector<Batch> batches_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch*> full_;
    std::vector<Batch*> free_;
    std::exception_ptr failure_;
    std::atomic<bool> stop_{false};
    Batch* current_ = nullptr;
    std::size_t taken_ = 0;
    bool ended_ = false;
    std::uint64_t position_ = 0;
    DxfEntity single_;  // without a thread: the entity read last
    std::thread thread_;
};

}  // namespace exchange
