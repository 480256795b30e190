#include "core/sha256.h"

#include <nettle/sha2.h>

#include <cstdint>
#include <vector>

#include "core/input_file.h"

namespace fenwarp {

struct Sha256::Context {
    sha256_ctx state;
};

Sha256::Sha256() : context_(std::make_unique<Context>()) {
    sha256_init(&context_->state);
}

Sha256::~Sha256() = default;

void Sha256::update(std::string_view bytes) {
    sha256_update(&context_->state, bytes.size(),
                  reinterpret_cast<const std::uint8_t*>(bytes.data()));
}

std::string Sha256::hex() {
    std::uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&context_->state, sizeof digest, digest);
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t byte : digest) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

std::string sha256_hex(std::string_view bytes) {
    Sha256 sha;
    sha.update(bytes);
    return sha.hex();
}

std::optional<std::string> sha256_of_file(const std::filesystem::path& path) {
    InputFile file(path);
    if (!file.is_open()) return std::nullopt;
    Sha256 sha;
    std::vector<char> buffer(1 << 16);
    while (std::size_t got = file.read(buffer.data(), buffer.size())) {
        sha.update(std::string_view(buffer.data(), got));
    }
    return sha.hex();
}

}  // namespace fenwarp
