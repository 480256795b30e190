#include "core/output_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include "core/error.h"
#include "core/file_system.h"

namespace fenwarp {

namespace fs = std::filesystem;

namespace {

std::optional<std::size_t> injected_fault;  // see ScopedOutputFault

// A name nobody else is using at this moment: the target's name, a process
// and call stamp and a random part. Creation with "x" still decides.
fs::path temporary_name(const fs::path& target) {
    static std::atomic<unsigned> calls{0};
    static thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    const auto stamp = std::to_string(random() % 100000000) + "-" + std::to_string(++calls);
    fs::path name = target;
    name += "." + stamp + ".tmp";
    return name;
}

std::FILE* create_exclusively(const fs::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");  // O_CREAT|O_EXCL: never follows a link
#endif
}

}  // namespace

void refuse_unless_regular_or_absent(const fs::path& target) {
    std::error_code ec;
    const auto status = fs::symlink_status(target, ec);
    if (ec || status.type() == fs::file_type::not_found) return;
    if (status.type() != fs::file_type::regular)
        throw Error("Cannot write file " + target.string() + ": it is not a regular file");
}

OutputFile::OutputFile(fs::path target) : target_(std::move(target)) {
    refuse_unless_regular_or_absent(target_);
    for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
        temporary_ = temporary_name(target_);
        file_ = create_exclusively(temporary_);
        if (file_ == nullptr && errno != EEXIST) fail("Cannot create file", errno);
    }
    if (file_ == nullptr) fail("Cannot create file", EEXIST);
}

OutputFile::~OutputFile() {
    discard();
}

ScopedOutputFault::ScopedOutputFault(std::size_t bytes) {
    injected_fault = bytes;
}
ScopedOutputFault::~ScopedOutputFault() {
    injected_fault.reset();
}

void OutputFile::write(std::string_view bytes) {
    if (file_ == nullptr) throw Error("Cannot write file " + target_.string() + ": not open");
    if (injected_fault && written_ + bytes.size() > *injected_fault) {
        const auto room = *injected_fault - std::min(written_, *injected_fault);
        std::fwrite(bytes.data(), 1, room, file_);
        fail("Cannot write file", ENOSPC);
    }
    written_ += bytes.size();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        fail("Cannot write file", errno);
}

void OutputFile::commit() {
    if (file_ == nullptr) throw Error("Cannot write file " + target_.string() + ": not open");
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) fail("Cannot write file", errno);
    // Checked again just before the rename: a link or FIFO put there while we
    // wrote is refused too (rename itself would replace a link, not follow it).
    refuse_unless_regular_or_absent(target_);
    std::error_code ec;
    fs::rename(temporary_, target_, ec);
    if (ec) fail("Cannot replace file", ec.value());
    temporary_.clear();
}

void OutputFile::fail(const char* what, int error) {
    const std::string reason = std::strerror(error);
    discard();
    throw Error(std::string(what) + " " + target_.string() + ": " + reason);
}

void OutputFile::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        remove_quietly(temporary_);
        temporary_.clear();
    }
}

}  // namespace fenwarp
