#pragma once

#include <array>
#include <cstddef>
#include <filesystem>

namespace fenwarp {

// The room a bank has for its tables and the bytes the project's tables take
// there. Bank 1 holds the SDO and stored PDO tables up to its end; bank 2 the
// EMCY, EMCY word and PDO tables up to the parameter block.
struct BankUse {
    int bank = 0;
    std::size_t needed = 0;
    std::size_t available = 0;

    bool fits() const { return needed <= available; }
    // The room left, as a fraction of the room there is; negative when over.
    double margin() const;
};

// The room for tables in bank 1 or 2.
std::size_t bank_room(int bank);

// The bytes the tables of the project folder take in banks 1 and 2, packed as
// the compile packs them; a missing document takes none. Messages of the
// packing (values that do not convert) are not shown: the compile shows them.
// An unreadable document throws Error naming it.
std::array<BankUse, 2> bank_use(const std::filesystem::path& project_dir);

}  // namespace fenwarp
