#include "core/banks/bank_tables.h"

#include "core/banks/bank_images.h"
#include "core/banks/parameter_block.h"

namespace fenwarp {

const std::vector<BankTable>& bank_tables() {
    static const std::vector<BankTable> tables = {
        {&sdo_layout(), 1, &TableDirectory::sdo, BankImages::bank_size},
        {&stored_pdo_layout(), 1, &TableDirectory::stored_pdo, BankImages::bank_size},
        {&emcy_layout(), 2, &TableDirectory::emcy, parameter_block_offset},
        {&emcy_word_layout(), 2, &TableDirectory::emcy_word, parameter_block_offset},
        {&pdo_layout(), 2, &TableDirectory::pdo, parameter_block_offset}};
    return tables;
}

}  // namespace fenwarp
