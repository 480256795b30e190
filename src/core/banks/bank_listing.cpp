#include "core/banks/bank_listing.h"

namespace fenwarp {
namespace {

constexpr std::size_t row_size = 16;
constexpr const char* line_end = "\r\n";
constexpr std::size_t listing_size = 235593;

// " 0xAB," and, for a bank's last byte, " 0xAB};".
void append_item(std::string& out, std::uint8_t byte, bool last) {
    static constexpr char digits[] = "0123456789ABCDEF";
    const char item[] = {' ', '0', 'x', digits[byte >> 4], digits[byte & 0x0F], last ? '}' : ','};
    out.append(item, sizeof item);
    if (last) out += ';';
}

void append_bank(std::string& out, const BankImages::Bank& bank, int number) {
    for (std::size_t row = 0; row < bank.size() / row_size; ++row) {
        if (row == 0) {
            out += "const char Bank" + std::to_string(number) + " [] = {";
        } else {
            out.append(17, ' ');
        }
        for (std::size_t i = row * row_size; i < (row + 1) * row_size; ++i) {
            append_item(out, bank[i], i + 1 == bank.size());
        }
        out += line_end;
    }
    out += line_end;
}

}  // namespace

std::string bank_listing(const BankImages& images) {
    std::string out;
    out.reserve(listing_size);
    out += "#pragma CONST_SEG SEGMENT0";
    out += line_end;
    append_bank(out, images.bank(1), 1);
    append_bank(out, images.bank(2), 2);
    out += "#pragma CONST_SEG DEFAULT";
    out += line_end;
    return out;
}

}  // namespace fenwarp
