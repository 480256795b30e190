#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

struct zip;

namespace fenwarp {

// A zip container held in memory, as .xlsx and .ods workbooks are. Opening
// checks the whole directory: a truncated or damaged file, too many entries
// and entry names that are absurd or point outside the container are refused
// before any entry is read. Every failure throws WorkbookError naming `label`.
class ZipArchive {
  public:
    // The most bytes one entry may inflate to: several times the largest
    // sheet a table gives, and small enough that the parsed part (about ten
    // times its size at worst) cannot exhaust the memory.
    static constexpr std::size_t entry_limit = std::size_t{32} << 20;
    static constexpr std::size_t entry_count_limit = 10000;

    ZipArchive(std::string_view bytes, std::string label, std::size_t limit = entry_limit);

    bool has(const std::string& name) const;
    // The entry inflated. The limit is counted while inflating, so a header
    // that lies about the size changes nothing; an entry that passes it is
    // refused as a zip bomb.
    std::string read(const std::string& name) const;

  private:
    [[noreturn]] void fail(const std::string& what) const;
    void check_names() const;

    // Discards the archive, also when the constructor throws after opening it.
    struct Discard {
        void operator()(zip* archive) const;
    };

    std::string label_;
    std::size_t limit_;
    std::unique_ptr<zip, Discard> archive_;
};

// Whether the bytes start as a zip file does.
bool looks_like_zip(std::string_view bytes);

// An entry name a container may hold: relative, without "." or ".." steps,
// backslashes, drive letters or control characters, of a sensible length.
bool sound_entry_name(std::string_view name);

// `target` of a relationship read from the part `source` ("xl/workbook.xml"),
// as an entry name: relative to the source's folder or, when it starts with
// "/", to the container's root. Nothing when it leaves the container.
std::string resolve_entry_name(std::string_view source, std::string_view target);

}  // namespace fenwarp
