// Entities read ahead on a second thread.
#include "exchange/DxfReadAhead.h"

#include <system_error>

#include "exchange/DxfReader.h"

namespace exchange {

namespace {

// An entity whose lists grew beyond this keeps no memory for the next one
// read into its place: one huge polyline must not pin its room in every
// batch.
constexpr std::size_t keptCapacity = 4096;

void releaseLarge(DxfEntity& e)
{
    if (e.vertices.capacity() > keptCapacity) {
        std::vector<DxfVertex>().swap(e.vertices);
    }
    if (e.corners.capacity() > keptCapacity) {
        std::vector<X3DPoint>().swap(e.corners);
    }
    if (e.points.capacity() > keptCapacity) {
        std::vector<X3DPoint>().swap(e.points);
        std::vector<double>().swap(e.bulges);
    }
}

}  // namespace

DxfReadAhead::DxfReadAhead(DxfReader& reader, bool threaded) : reader_(reader)
{
    if (!threaded) {
        return;
    }
    batches_.resize(batchCount);
    for (Batch& b : batches_) {
        b.entities.resize(batchSize);
        free_.push_back(&b);
    }
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // No thread to be had (a process limit): read as next() asks.
        free_.clear();
        batches_.clear();
    }
}

DxfReadAhead::~DxfReadAhead()
{
    finish();
}

void DxfReadAhead::finish()
{
    if (!thread_.joinable()) {
        ended_ = true;
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
    ended_ = true;
    current_ = nullptr;
}

bool DxfReadAhead::fill(Batch& batch)
{
    batch.count = 0;
    while (batch.count < batch.entities.size()) {
        if (stop_.load(std::memory_order_relaxed)) {
            return false;
        }
        DxfEntity& e = batch.entities[batch.count];
        releaseLarge(e);
        if (!reader_.next(e)) {
            batch.position = reader_.position();
            return false;
        }
        ++batch.count;
    }
    batch.position = reader_.position();
    return true;
}

void DxfReadAhead::run()
{
    for (;;) {
        Batch* batch = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || !free_.empty(); });
            if (stop_) {
                return;
            }
            batch = free_.back();
            free_.pop_back();
        }
        bool more = false;
        std::exception_ptr failure;
        try {
            more = fill(*batch);
        } catch (...) {
            failure = std::current_exception();
        }
        batch->last = !more;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (failure) {
                failure_ = failure;
            }
            full_.push_back(batch);
        }
        changed_.notify_all();
        if (!more) {
            return;
        }
    }
}

const DxfEntity* DxfReadAhead::next()
{
    if (ended_) {
        return nullptr;
    }
    if (!thread_.joinable()) {
        if (!reader_.next(single_)) {
            ended_ = true;
            position_ = reader_.position();
            return nullptr;
        }
        position_ = reader_.position();
        return &single_;
    }
    while (!current_ || taken_ == current_->count) {
        bool last = current_ && current_->last;
        std::unique_lock<std::mutex> lock(mutex_);
        if (current_) {
            free_.push_back(current_);
            current_ = nullptr;
            changed_.notify_all();
        }
        if (last) {
            std::exception_ptr failure = failure_;
            lock.unlock();
            finish();
            if (failure) {
                std::rethrow_exception(failure);
            }
            return nullptr;
        }
        changed_.wait(lock, [this] { return !full_.empty(); });
        current_ = full_.front();
        full_.pop_front();
        taken_ = 0;
        position_ = current_->position;
    }
    return &current_->entities[taken_++];
}

}  // namespace exchange
