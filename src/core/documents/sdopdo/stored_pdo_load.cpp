// Load of the stored PDO dialog: sdo.xml, rpdodef.xml, then sdopdo.xml.
#include <optional>

#include "core/documents/sdo/sdo_table.h"
#include "core/documents/sdopdo/stored_pdo_editor.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/table/table_reader.h"
#include "core/documents/xml_document.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

std::int32_t code_of(const TableDescription& table, const TableRecord& record, std::size_t number) {
    const std::size_t d = table.direction_field;
    const std::optional<std::int32_t> code = to_int(record[d]);
    if (!code) {
        throw XmlReadError(std::string(table.document) + ": record " + std::to_string(number) +
                           ": " + table.attributes[d] + " does not convert");
    }
    return *code;
}

// Reads one document; the message of its dialog for a missing or unreadable
// one. The records taken before a fault stay taken.
LoadStatus read_document(const TableDescription& table, const std::filesystem::path& file,
                         const std::function<void(std::size_t number, TableRecord&& record)>& take,
                         const char* not_found, const char* read_error, Messages& messages) {
    try {
        if (read_table_document(table, file, take) == DocumentState::Missing) {
            messages.show(not_found);
            return LoadStatus::Missing;
        }
    } catch (const XmlReadError&) {
        messages.show(read_error);
        return LoadStatus::Unreadable;
    }
    return LoadStatus::Loaded;
}

}  // namespace

StoredPdoDocuments StoredPdoDocuments::beside(const std::filesystem::path& sdopdo) {
    return {std::filesystem::path(sdopdo).replace_filename(sdo_table().document),
            std::filesystem::path(sdopdo).replace_filename(pdo_table().document), sdopdo};
}

StoredPdoLoad StoredPdoEditor::load(const StoredPdoDocuments& documents, Messages& messages) {
    for (StoredPdoTab& tab : tabs_) {
        tab.selected_pdo.reset();
        tab.clear_entry_view();
    }
    StoredPdoLoad result;
    read_references(documents.sdo, result, messages);
    read_pdos(documents.rpdodef, result, messages);
    read_entries(documents.sdopdo, result, messages);
    return result;
}

LoadResult StoredPdoEditor::load(const std::filesystem::path& file, Messages& messages) {
    return load(StoredPdoDocuments::beside(file), messages).entries;
}

void StoredPdoEditor::read_references(const std::filesystem::path& file, StoredPdoLoad& result,
                                      Messages& messages) {
    // References of an earlier load would refuse entries for objects this
    // project's SDO table does not have.
    for (StoredPdoTab& tab : tabs_) tab.references.clear();
    const TableDescription& sdo = sdo_table();
    const std::size_t index = sdo.field_of("IndexA");
    const std::size_t subindex = sdo.field_of("SubindexA");
    auto take = [&](std::size_t number, TableRecord&& record) {
        const int side = sdo::direction_of(code_of(sdo, record, number));
        tabs_[side].references.push_back({record[index], record[subindex], ""});
    };
    result.references = read_document(sdo, file, take, sdo_not_found, sdo_read_error, messages);
}

void StoredPdoEditor::read_pdos(const std::filesystem::path& file, StoredPdoLoad& result,
                                Messages& messages) {
    // Also when rpdodef.xml is missing: PDOs of an earlier load must not
    // carry their entries into this project's sdopdo.xml.
    reset_pdo_lists();
    const TableDescription& pdo = pdo_table();
    const std::size_t cobid = pdo.field_of("cobid");
    auto take = [&](std::size_t number, TableRecord&& record) {
        const std::int32_t en_bypass = code_of(pdo, record, number);
        StoredPdoTab& tab = tabs_[(en_bypass & stored_pdo::pdo_can0_to_can1_bit) != 0 ? 1 : 0];
        // nrpdo has seven bits for the position: a later PDO could not be named.
        if (tab.pdos.size() >= stored_pdo::max_position) {
            ++result.pdos_left_out;
            return;
        }
        tab.pdos.push_back({record[cobid], static_cast<int>(tab.pdos.size()) + 1, {}});
    };
    result.pdos = read_document(pdo, file, take, pdo_not_found, pdo_read_error, messages);
    if (result.pdos_left_out > 0) messages.show(too_many_pdos);
}

void StoredPdoEditor::read_entries(const std::filesystem::path& file, StoredPdoLoad& result,
                                   Messages& messages) {
    const TableDescription& map = stored_pdo_table();
    LoadResult& entries = result.entries;
    auto take = [&](std::size_t number, TableRecord&& record) {
        const std::int32_t nrpdo = code_of(map, record, number);
        const int position = stored_pdo::position_of(nrpdo);
        if (position == 0) {
            throw XmlReadError(std::string(map.document) + ": record " + std::to_string(number) +
                               ": nrpdo names position 0");
        }
        StoredPdoTab& tab = tabs_[stored_pdo::tab_of(nrpdo)];
        if (static_cast<std::size_t>(position) > tab.pdos.size()) {
            ++entries.dropped;
            return;
        }
        tab.pdos[position - 1].stored.push_back({record[map.field_of("index")],
                                                 record[map.field_of("subindex")],
                                                 record[map.field_of("poscomp")]});
        ++entries.records;
    };
    entries.status = read_document(map, file, take, sdopdo_not_found, sdopdo_read_error, messages);
}

}  // namespace fenwarp
