#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace fenwarp {

// The one way any output reaches the disk. The bytes go to a temporary file
// created exclusively beside the target under a name no other writer can
// hold, and one rename puts it in place at `commit`. Nothing is ever written
// through a symbolic link or onto something that is not a regular file: such
// a target is refused before a byte is written. An OutputFile that is
// destroyed without a commit removes its temporary file, so a write that fails
// part way leaves the old file whole and nothing behind. Every failure throws
// Error naming the target and the system's reason.
class OutputFile {
  public:
    explicit OutputFile(std::filesystem::path target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view bytes);
    // Closes the temporary file and renames it over the target.
    void commit();

    const std::filesystem::path& target() const { return target_; }

  private:
    [[noreturn]] void fail(const char* what, int error);
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    std::size_t written_ = 0;
};

// Fault injection for tests: while one lives, every OutputFile fails with
// "no space left" once it has written `bytes` bytes, as a full disk would.
class ScopedOutputFault {
  public:
    explicit ScopedOutputFault(std::size_t bytes);
    ~ScopedOutputFault();
    ScopedOutputFault(const ScopedOutputFault&) = delete;
    ScopedOutputFault& operator=(const ScopedOutputFault&) = delete;
};

// Throws Error when `target` exists and is not a regular file (a link, a
// folder, a FIFO, a device): outputs are never written there.
void refuse_unless_regular_or_absent(const std::filesystem::path& target);

}  // namespace fenwarp
