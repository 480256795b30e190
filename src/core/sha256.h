#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace fenwarp {

// SHA-256 of bytes given piece by piece, as lowercase hexadecimal.
class Sha256 {
  public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void update(std::string_view bytes);
    // The digest of everything given; the object is spent afterwards.
    std::string hex();

  private:
    struct Context;
    std::unique_ptr<Context> context_;
};

std::string sha256_hex(std::string_view bytes);

// The digest of a regular file, or nothing when there is none at the path.
std::optional<std::string> sha256_of_file(const std::filesystem::path& path);

}  // namespace fenwarp
