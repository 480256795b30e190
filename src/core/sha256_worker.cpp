#include "core/sha256_worker.h"

#include <string_view>
#include <utility>

namespace fenwarp {

Sha256Worker::Sha256Worker() : thread_([this] { run(); }) {}

Sha256Worker::~Sha256Worker() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

Sha256Worker::Buffer Sha256Worker::spare() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !spares_.empty() || handed_out_ < depth; });
    Buffer buffer;
    if (!spares_.empty()) {
        buffer = std::move(spares_.back());
        spares_.pop_back();
    } else {
        ++handed_out_;
    }
    buffer.resize(buffer_size);  // fills only what a short last piece left out
    return buffer;
}

void Sha256Worker::hash(Buffer buffer) {
    {
        std::lock_guard lock(mutex_);
        queued_.push_back(std::move(buffer));
    }
    changed_.notify_all();
}

std::string Sha256Worker::hex() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queued_.empty() && !busy_; });
    return sha_.hex();
}

void Sha256Worker::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queued_.empty() || closing_; });
        if (closing_) return;  // a stream given up: the rest needs no digest
        Buffer buffer = std::move(queued_.front());
        queued_.pop_front();
        busy_ = true;
        lock.unlock();
        sha_.update(std::string_view(buffer.data(), buffer.size()));
        lock.lock();
        busy_ = false;
        spares_.push_back(std::move(buffer));
        changed_.notify_all();
    }
}

}  // namespace fenwarp
