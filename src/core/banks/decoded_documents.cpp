#include "core/banks/decoded_documents.h"

#include <system_error>

#include "core/banks/decoded_text.h"
#include "core/documents/pargen/pargen_document.h"
#include "core/documents/table/table_writer.h"
#include "core/error.h"
#include "core/shell/project_context.h"

namespace fenwarp {
namespace {

void refuse_existing(const std::filesystem::path& folder, const DecodedBanks& banks) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        throw Error(folder.string() + ": no such folder");
    }
    std::vector<const char*> names = {pargen_document_name};
    for (const DecodedTable& table : banks.tables) names.push_back(table.layout().document);
    for (const char* name : names) {
        if (std::filesystem::symlink_status(folder / name, ec).type() !=
            std::filesystem::file_type::not_found) {
            throw Error((folder / name).string() +
                        " already exists; the decoded documents go into a folder without them");
        }
    }
}

void write_all(const DecodedBanks& banks, const std::filesystem::path& folder,
               std::vector<std::filesystem::path>& written) {
    const std::filesystem::path pargen = folder / pargen_document_name;
    write_pargen_document(pargen, parameter_texts(banks.block.parameters));
    written.push_back(pargen);
    for (const DecodedTable& table : banks.tables) {
        std::vector<TableRecord> records;
        records.reserve(table.records.size());
        for (std::size_t r = 0; r < table.records.size(); ++r) {
            records.push_back(document_record(table, r));
        }
        const std::filesystem::path file = folder / table.layout().document;
        write_table_document(*table.layout().table, records, file);
        written.push_back(file);
    }
}

}  // namespace

std::vector<std::filesystem::path> write_decoded_documents(const DecodedBanks& banks,
                                                           const std::filesystem::path& folder) {
    refuse_existing(folder, banks);
    std::vector<std::filesystem::path> written;
    try {
        write_all(banks, folder, written);
    } catch (...) {
        std::error_code ignored;
        for (const std::filesystem::path& file : written) std::filesystem::remove(file, ignored);
        throw;
    }
    return written;
}

}  // namespace fenwarp
