#pragma once

#include <chrono>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fenwarp {

// What tells one state of a file from another without reading it: device,
// inode, size, and the times of its last write and last change, to the
// nanosecond. On the file systems of Linux any write, rename onto it or change
// of its attributes moves the change time, which no program can set back; on
// FAT and some network shares the change time is only the creation time, and
// two same-sized versions copied with their write time kept could share a
// stamp there.
struct FileStamp {
    std::string key;  // "device:inode:size:modified:changed"
    std::chrono::system_clock::time_point changed;
};

#ifndef _WIN32
inline FileStamp file_stamp(const struct stat& info) {
    const auto ns = [](const timespec& t) {
        return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
    };
    FileStamp stamp;
    stamp.key = std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
                std::to_string(info.st_size) + ":" + std::to_string(ns(info.st_mtim)) + ":" +
                std::to_string(ns(info.st_ctim));
    stamp.changed = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::nanoseconds(ns(info.st_ctim))));
    return stamp;
}
#endif

}  // namespace fenwarp
