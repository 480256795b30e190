#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/sha256.h"

namespace fenwarp {

// A SHA-256 taken on a thread of its own, so that a long stream is hashed
// while the caller goes on reading and writing it. The caller fills buffers
// it takes from `spare` and hands them over with `hash`; they come back as
// spares once hashed. At most `depth` buffers are ever in use, so the memory
// stays `depth` times the buffer size whatever the length of the stream.
class Sha256Worker {
  public:
    using Buffer = std::vector<char>;
    // Large enough that handing a buffer over costs next to nothing beside
    // hashing it, small enough that the memory stays a constant.
    static constexpr std::size_t buffer_size = 1 << 16;
    static constexpr std::size_t depth = 3;

    Sha256Worker();
    ~Sha256Worker();
    Sha256Worker(const Sha256Worker&) = delete;
    Sha256Worker& operator=(const Sha256Worker&) = delete;

    // A buffer of `buffer_size` bytes of no particular content, for the caller
    // to fill and cut to what it filled; waits while every buffer is queued.
    Buffer spare();
    // Hashes the buffer's bytes after those handed over before. A worker
    // destroyed before `hex` drops what is still queued.
    void hash(Buffer buffer);
    // Waits for the queue to drain; the digest of everything handed over.
    std::string hex();

  private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Buffer> queued_;
    std::vector<Buffer> spares_;
    std::size_t handed_out_ = 0;
    bool busy_ = false;
    bool closing_ = false;
    Sha256 sha_;
    std::thread thread_;
};

}  // namespace fenwarp
