#include "core/documents/sdo/sdo_editor.h"

#include <array>
#include <vector>

#include "core/documents/document_messages.h"
#include "core/documents/sdo/sdo_order.h"
#include "core/documents/sdo/sdo_table.h"
#include "core/documents/xml_document.h"
#include "core/file_system.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

void reset_grid(TextGrid& grid) {
    grid.resize(sdo::grid_rows, sdo::grid_columns);
    grid.clear();
    for (std::size_t c = 0; c < sdo::grid_columns; ++c) grid.set_cell(0, c, sdo::heading_row[c]);
    for (std::size_t r = 1; r < sdo::grid_rows; ++r) grid.set_cell(r, 0, std::to_string(r - 1));
}

// Puts one document row into `row` of its grid. Every attribute is read before
// a cell is written, so a row missing one leaves no half-filled row behind.
void place_row(const XmlElement& element, std::int32_t conf, TextGrid& grid, std::size_t row) {
    std::array<std::string, sdo::field_count> fields;
    for (std::size_t f = 1; f + 1 < sdo::field_count; ++f) {
        fields[f] = element.attribute(sdo::attributes[f]);
    }
    const char* mnemonic = sdo::attributes[sdo::field_count - 1];
    if (element.has_attribute(mnemonic)) fields.back() = element.attribute(mnemonic);
    grid.set_cell(row, sdo::rw_column, sdo::rw_text(conf));
    for (std::size_t f = 1; f < sdo::field_count; ++f) grid.set_cell(row, f + 1, fields[f]);
}

std::int32_t read_conf(const XmlElement& element) {
    std::optional<std::int32_t> conf = to_int(element.attribute(sdo::attributes[0]));
    if (!conf) throw XmlReadError("conf does not convert");
    return *conf;
}

std::vector<sdo::TMyrec> collect_records(const TextGrid& grid, int direction) {
    std::vector<sdo::TMyrec> records;
    for (std::size_t r = 1; r < grid.rows(); ++r) {
        const std::string& rw = grid.cell(r, sdo::rw_column);
        if (rw.empty()) break;
        sdo::TMyrec record;
        record[0] = sdo::conf_text(rw, direction);
        for (std::size_t f = 1; f < sdo::field_count; ++f) record[f] = grid.cell(r, f + 1);
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

void SdoEditor::reset() {
    reset_grid(sga);
    reset_grid(sgb);
}

void SdoEditor::load(const std::filesystem::path& file, Messages& messages) {
    reset();
    if (!is_file(file)) return;
    std::array<std::size_t, 2> next_row = {1, 1};
    bool surplus = false;
    try {
        XmlDocument document = XmlDocument::load(file);
        for (const XmlElement& element : document.root().children()) {
            const std::int32_t conf = read_conf(element);
            const int direction = sdo::direction_of(conf);
            // A page holds 1500 rows; more are dropped rather than kept
            // anywhere a later save could write them.
            if (next_row[direction] > sdo::data_rows) {
                surplus = true;
                continue;
            }
            place_row(element, conf, page(direction), next_row[direction]++);
        }
    } catch (const XmlReadError&) {
        messages.show(document_messages::read_error);
        return;
    }
    if (surplus) messages.show(page_full_message);
}

void SdoEditor::save_document(const std::filesystem::path& file) const {
    XmlDocument document;
    XmlElement root = document.create_root(sdo::base_name);
    for (int direction = 0; direction < 2; ++direction) {
        std::vector<sdo::TMyrec> records = collect_records(page(direction), direction);
        sdo::sort_records(records);
        for (const sdo::TMyrec& record : records) {
            XmlElement row = root.append_element("row");
            for (std::size_t f = 0; f < sdo::field_count; ++f) {
                row.set_attribute(sdo::attributes[f], record[f]);
            }
        }
    }
    document.save(file);
}

}  // namespace fenwarp
