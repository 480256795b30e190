#include "core/input_file.h"

#include <cerrno>
#include <cstring>

#include "core/error.h"

#ifdef _WIN32
#include <cstdio>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fenwarp {

#ifdef _WIN32

InputFile::InputFile(const std::filesystem::path& path) : path_(path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || status.type() == std::filesystem::file_type::not_found) return;
    if (status.type() != std::filesystem::file_type::regular) {
        status_ = Status::NotRegular;
        return;
    }
    file_ = _wfopen(path.c_str(), L"rb");
    status_ = file_ != nullptr ? Status::Open : Status::Unreadable;
    if (file_ != nullptr) size_ = std::filesystem::file_size(path, ec);
}

InputFile::~InputFile() {
    if (file_ != nullptr) std::fclose(static_cast<std::FILE*>(file_));
}

std::optional<FileStamp> InputFile::stamp_now() const {
    return std::nullopt;
}

void InputFile::seek(std::uintmax_t offset) {
    offset_ = offset;
    if (_fseeki64(static_cast<std::FILE*>(file_), static_cast<long long>(offset), SEEK_SET) != 0)
        throw Error("Cannot read " + path_.string());
}

std::size_t InputFile::read(char* into, std::size_t count) {
    auto* file = static_cast<std::FILE*>(file_);
    const std::size_t got = std::fread(into, 1, count, file);
    if (got == 0 && std::ferror(file)) throw Error("Cannot read " + path_.string());
    return got;
}

#else

InputFile::InputFile(const std::filesystem::path& path) : path_(path) {
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait forever.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        status_ = errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable;
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        status_ = Status::NotRegular;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    size_ = static_cast<std::uintmax_t>(info.st_size);
    stamp_ = file_stamp(info);
    status_ = Status::Open;
}

std::optional<FileStamp> InputFile::stamp_now() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return std::nullopt;
    return file_stamp(info);
}

void InputFile::seek(std::uintmax_t offset) {
    offset_ = offset;
    if (fd_ < 0 || ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0)
        throw Error("Cannot read " + path_.string() + ": " + std::strerror(errno));
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t InputFile::read(char* into, std::size_t count) {
    if (fd_ < 0) throw Error("Cannot read " + path_.string() + ": not open");
    for (;;) {
        const ssize_t got = ::read(fd_, into, count);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throw Error("Cannot read " + path_.string() + ": " + std::strerror(errno));
    }
}

#endif

std::string InputFile::read_all() {
    std::string text;
    text.resize(static_cast<std::size_t>(size_ > offset_ ? size_ - offset_ : 0));
    std::size_t filled = 0;
    for (;;) {
        if (filled == text.size()) text.resize(text.size() + 4096);
        const std::size_t got = read(text.data() + filled, text.size() - filled);
        if (got == 0) break;
        filled += got;
    }
    text.resize(filled);
    return text;
}

std::optional<std::string> read_regular_file(const std::filesystem::path& path) {
    InputFile file(path);
    if (!file.is_open()) return std::nullopt;
    return file.read_all();
}

}  // namespace fenwarp
