#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/file_stamp.h"

namespace fenwarp {

// Inputs that something other than this program may have put in place (a
// template image, a bank file, a document) are opened so that a FIFO or a
// device standing there can never block: the file is opened without waiting
// and taken only when it then proves to be a regular file.
class InputFile {
  public:
    enum class Status { Open, Missing, NotRegular, Unreadable };

    explicit InputFile(const std::filesystem::path& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    Status status() const { return status_; }
    bool is_open() const { return status_ == Status::Open; }
    // The size the file had when it was opened.
    std::uintmax_t size() const { return size_; }
    // Which file was opened and its state then; nothing where the system
    // gives no such identity.
    const std::optional<FileStamp>& stamp() const { return stamp_; }
    // The stamp the open file has now: it differs from `stamp` when the file
    // was written since it was opened.
    std::optional<FileStamp> stamp_now() const;
    // Reading goes on from `offset` bytes into the file.
    void seek(std::uintmax_t offset);

    // Up to `count` bytes; 0 at the end. Throws Error naming the file when the
    // system fails the read.
    std::size_t read(char* into, std::size_t count);

    // The rest of the file, to its real end (it may have changed size since it
    // was opened); after a seek, from there.
    std::string read_all();

  private:
    std::filesystem::path path_;
    Status status_ = Status::Missing;
    std::uintmax_t size_ = 0;
    std::uintmax_t offset_ = 0;  // where the last seek put the reading
    std::optional<FileStamp> stamp_;
#ifdef _WIN32
    void* file_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// The whole of a regular file, or nothing when it is missing, not a regular
// file or cannot be opened. A failed read throws Error naming the file.
std::optional<std::string> read_regular_file(const std::filesystem::path& path);

}  // namespace fenwarp
