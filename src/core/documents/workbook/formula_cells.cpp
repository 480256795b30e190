#include "core/documents/workbook/formula_cells.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace fenwarp {

namespace {

// Sector chains end, or are free, at values this high.
constexpr std::uint32_t last_regular_sector = 0xFFFFFFFAu;

std::uint32_t u16(const std::string& b, std::size_t at) {
    if (at + 2 > b.size()) return 0;
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

std::uint32_t u32(const std::string& b, std::size_t at) {
    if (at + 4 > b.size()) return 0xFFFFFFFFu;
    return u16(b, at) | u16(b, at + 2) << 16;
}

// The compound file around the workbook stream: sectors, the allocation
// tables and the directory, just enough to read one stream.
class CompoundFile {
  public:
    explicit CompoundFile(const std::string& bytes) : bytes_(bytes) {}

    bool open() {
        static const std::string signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
        if (bytes_.compare(0, signature.size(), signature) != 0 || bytes_.size() < 512) {
            return false;
        }
        const std::uint32_t shift = u16(bytes_, 0x1E);
        if (shift != 9 && shift != 12) return false;
        sector_size_ = std::size_t{1} << shift;
        mini_cutoff_ = u32(bytes_, 0x38);
        read_fat();
        mini_fat_ = table_from(chain(u32(bytes_, 0x3C), fat_));
        return true;
    }

    // The workbook stream ("Workbook", or "Book" for BIFF5), or nothing.
    std::optional<std::string> workbook_stream() const {
        const std::string directory = read_chain(u32(bytes_, 0x30));
        std::string mini_stream;
        for (std::size_t at = 0; at + 128 <= directory.size(); at += 128) {
            const std::uint32_t type = static_cast<std::uint8_t>(directory[at + 0x42]);
            const std::uint32_t start = u32(directory, at + 0x74);
            const std::uint32_t size = u32(directory, at + 0x78);
            if (type == 5) mini_stream = read_chain(start).substr(0, size);
            if (type != 2) continue;
            const std::string name = entry_name(directory, at);
            if (name != "workbook" && name != "book") continue;
            if (size < mini_cutoff_) return read_mini(mini_stream, start, size);
            return read_chain(start).substr(0, size);
        }
        return std::nullopt;
    }

  private:
    static std::string entry_name(const std::string& directory, std::size_t at) {
        std::string name;
        const std::uint32_t length = std::min<std::uint32_t>(u16(directory, at + 0x40), 64);
        for (std::size_t i = 0; i + 1 < length; i += 2) {
            std::uint32_t c = u16(directory, at + i);
            if (c == 0) break;
            name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : (c < 128 ? c : '?'));
        }
        return name;
    }

    std::optional<std::size_t> sector_offset(std::uint32_t sector) const {
        const std::size_t offset = (static_cast<std::size_t>(sector) + 1) * sector_size_;
        if (sector > last_regular_sector || offset + sector_size_ > bytes_.size()) {
            return std::nullopt;
        }
        return offset;
    }

    // The sectors of a chain, stopping at its end, at a sector outside the
    // file or at a loop.
    std::vector<std::uint32_t> chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                                     std::size_t limit = 0) const {
        std::vector<std::uint32_t> sectors;
        if (limit == 0) limit = table.size();
        for (std::uint32_t s = start; s < table.size() && sectors.size() < limit; s = table[s]) {
            sectors.push_back(s);
        }
        return sectors;
    }

    std::string read_chain(std::uint32_t start) const {
        std::string data;
        for (std::uint32_t s : chain(start, fat_)) {
            std::optional<std::size_t> at = sector_offset(s);
            if (!at) break;
            data.append(bytes_, *at, sector_size_);
        }
        return data;
    }

    std::string read_mini(const std::string& mini_stream, std::uint32_t start,
                          std::uint32_t size) const {
        std::string data;
        for (std::uint32_t s : chain(start, mini_fat_)) {
            const std::size_t at = static_cast<std::size_t>(s) * 64;
            if (at + 64 > mini_stream.size()) break;
            data.append(mini_stream, at, 64);
        }
        return data.substr(0, std::min<std::size_t>(size, data.size()));
    }

    std::vector<std::uint32_t> table_from(const std::vector<std::uint32_t>& sectors) const {
        std::vector<std::uint32_t> table;
        for (std::uint32_t s : sectors) {
            std::optional<std::size_t> at = sector_offset(s);
            if (!at) break;
            for (std::size_t i = 0; i < sector_size_; i += 4) table.push_back(u32(bytes_, *at + i));
        }
        return table;
    }

    void read_fat() {
        std::vector<std::uint32_t> fat_sectors;
        const std::size_t count = u32(bytes_, 0x2C);
        const std::size_t most = bytes_.size() / sector_size_;
        for (std::size_t i = 0; i < 109 && fat_sectors.size() < count; ++i) {
            fat_sectors.push_back(u32(bytes_, 0x4C + 4 * i));
        }
        // Further FAT sector numbers stand in the DIFAT sectors, each ending
        // with the number of the next.
        std::uint32_t difat = u32(bytes_, 0x44);
        for (std::size_t hops = 0; fat_sectors.size() < count && hops < most; ++hops) {
            std::optional<std::size_t> at = sector_offset(difat);
            if (!at) break;
            for (std::size_t i = 0; i + 4 < sector_size_ && fat_sectors.size() < count; i += 4) {
                fat_sectors.push_back(u32(bytes_, *at + i));
            }
            difat = u32(bytes_, *at + sector_size_ - 4);
        }
        if (fat_sectors.size() > most) fat_sectors.resize(most);
        fat_ = table_from(fat_sectors);
    }

    const std::string& bytes_;
    std::size_t sector_size_ = 512;
    std::uint32_t mini_cutoff_ = 4096;
    std::vector<std::uint32_t> fat_;
    std::vector<std::uint32_t> mini_fat_;
};

// A sheet name of a BOUNDSHEET record in UTF-8: BIFF8 names are Latin-1 or
// UTF-16, BIFF5 names bytes of the workbook's code page (taken as Latin-1).
std::string sheet_name(const std::string& record, std::size_t at, bool biff8) {
    const std::size_t length = static_cast<std::uint8_t>(record.size() > at ? record[at] : 0);
    std::size_t pos = at + 1;
    bool wide = false;
    if (biff8) {
        wide = pos < record.size() && (record[pos] & 1) != 0;
        ++pos;
    }
    std::string name;
    for (std::size_t i = 0; i < length; ++i) {
        std::uint32_t c =
            wide ? u16(record, pos + 2 * i)
                 : (pos + i < record.size() ? static_cast<std::uint8_t>(record[pos + i]) : 0);
        if (c < 0x80) {
            name += static_cast<char>(c);
        } else if (c < 0x800) {
            name += static_cast<char>(0xC0 | (c >> 6));
            name += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            name += static_cast<char>(0xE0 | (c >> 12));
            name += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            name += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return name;
}

FormulaCells scan_biff(const std::string& stream) {
    FormulaCells cells;
    std::map<std::uint32_t, std::string> sheet_at;  // BOF offset -> sheet name
    const std::string* sheet = nullptr;
    bool biff8 = false;
    for (std::size_t at = 0; at + 4 <= stream.size();) {
        const std::uint32_t type = u16(stream, at);
        const std::size_t length = u16(stream, at + 2);
        const std::string record = stream.substr(at + 4, length);
        if (type == 0x0809 || type == 0x0409 || type == 0x0209 || type == 0x0009) {
            if (at == 0) biff8 = type == 0x0809 && u16(record, 0) == 0x0600;
            auto found = sheet_at.find(static_cast<std::uint32_t>(at));
            sheet = found != sheet_at.end() ? &found->second : nullptr;
        } else if (type == 0x0085 && record.size() >= 6) {
            sheet_at[u32(record, 0)] = sheet_name(record, 6, biff8);
        } else if ((type == 0x0006 || type == 0x0406) && sheet != nullptr && record.size() >= 4) {
            cells[*sheet].insert({u16(record, 0), static_cast<std::uint16_t>(u16(record, 2))});
        }
        at += 4 + length;
    }
    return cells;
}

}  // namespace

FormulaCells find_formula_cells_in(const std::string& bytes) {
    CompoundFile file(bytes);
    if (!file.open()) return {};
    std::optional<std::string> stream = file.workbook_stream();
    return stream ? scan_biff(*stream) : FormulaCells{};
}

FormulaCells find_formula_cells(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return find_formula_cells_in(bytes);
}

}  // namespace fenwarp
