#include "core/sha256_worker.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace fenwarp {
namespace {

// Pieces of every size, many more than the worker holds at once, give the
// digest of their concatenation, in the order they were handed over.
TEST(Sha256WorkerTest, DigestsThePiecesInOrder) {
    std::string whole;
    Sha256Worker worker;
    for (std::size_t n = 0; n < 40; ++n) {
        Sha256Worker::Buffer piece = worker.spare();
        ASSERT_EQ(piece.size(), Sha256Worker::buffer_size);
        const std::size_t size = (n * 7919) % piece.size();
        for (std::size_t i = 0; i < size; ++i) piece[i] = static_cast<char>(n * 31 + i);
        piece.resize(size);
        whole.append(piece.data(), size);
        worker.hash(std::move(piece));
    }
    EXPECT_EQ(worker.hex(), sha256_hex(whole));
    EXPECT_EQ(Sha256Worker().hex(), sha256_hex(""));
}

// A stream given up part way ends without waiting for its queue.
TEST(Sha256WorkerTest, EndsWithPiecesStillQueued) {
    Sha256Worker worker;
    for (std::size_t n = 0; n < Sha256Worker::depth; ++n) worker.hash(worker.spare());
}

}  // namespace
}  // namespace fenwarp
