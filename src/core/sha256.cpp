#include "core/sha256.h"

#include <openssl/evp.h>

#include <vector>

#include "core/error.h"
#include "core/input_file.h"

namespace fenwarp {

struct Sha256::Context {
    EVP_MD_CTX* md = nullptr;
};

Sha256::Sha256() : context_(std::make_unique<Context>()) {
    context_->md = EVP_MD_CTX_new();
    if (context_->md == nullptr || EVP_DigestInit_ex(context_->md, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context_->md);
        throw Error("SHA-256 is not available");
    }
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(context_->md);
}

void Sha256::update(std::string_view bytes) {
    if (EVP_DigestUpdate(context_->md, bytes.data(), bytes.size()) != 1) {
        throw Error("SHA-256 failed");
    }
}

std::string Sha256::hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(context_->md, digest, &size) != 1) throw Error("SHA-256 failed");
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < size; ++i) {
        text += digits[digest[i] >> 4];
        text += digits[digest[i] & 0x0F];
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
