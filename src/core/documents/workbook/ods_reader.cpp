#include "core/documents/workbook/ods_reader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "core/documents/workbook/cell_text.h"
#include "core/documents/workbook/sheet_builder.h"
#include "core/documents/workbook/workbook_error.h"
#include "core/documents/workbook/zip_archive.h"

namespace fenwarp {

namespace {

using std::string_view_literals::operator""sv;

// A cell's value, or why it is refused; nothing for an empty cell.
struct CellValue {
    std::string text;
    const char* refused = nullptr;
    std::string error_code;
};

// How deep spans in a paragraph and row groups in a table may nest: far
// beyond what a spreadsheet writes, far below what would exhaust the stack.
constexpr int nesting_limit = 64;

[[noreturn]] void too_deep() {
    throw WorkbookError("The workbook nests its content deeper than " +
                        std::to_string(nesting_limit) + " levels");
}

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text of a paragraph as a spreadsheet shows it: runs of white space in
// the file are one space, and none at the paragraph's start; <text:s c="n"/>,
// <text:tab/> and <text:line-break/> stand for the spaces, tab and line break
// typed.
class ParagraphText {
  public:
    void add(pugi::xml_node node, int depth = 0) {
        if (depth > nesting_limit) too_deep();
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                add_characters(child.value());
            } else if (child.type() == pugi::node_element) {
                add_element(child, depth);
            }
        }
    }

    // A space at the end is kept: LibreOffice writes the first of trailing
    // spaces as it stands.
    std::string take() {
        flush();
        return std::move(text_);
    }

  private:
    void add_characters(std::string_view characters) {
        for (char c : characters) {
            if (is_space(c)) {
                pending_space_ = !text_.empty() || kept_;
                continue;
            }
            flush();
            text_ += c;
        }
    }

    void add_element(pugi::xml_node element, int depth) {
        const std::string_view name = element.name();
        if (name == "text:s"sv) {
            flush();
            const unsigned count = element.attribute("text:c").as_uint(1);
            text_.append(std::min(count, 1024u), ' ');
            kept_ = true;
        } else if (name == "text:tab"sv) {
            flush();
            text_ += '\t';
            kept_ = true;
        } else if (name == "text:line-break"sv) {
            flush();
            text_ += '\n';
            kept_ = true;
        } else if (name != "office:annotation"sv && name != "text:note"sv) {
            add(element, depth + 1);
        }
    }

    void flush() {
        if (pending_space_) text_ += ' ';
        pending_space_ = false;
    }

    std::string text_;
    bool pending_space_ = false;
    bool kept_ = false;  // something other than a character was written
};

std::string cell_paragraphs(pugi::xml_node cell) {
    std::string text;
    bool first = true;
    for (pugi::xml_node p = cell.child("text:p"); p; p = p.next_sibling("text:p")) {
        ParagraphText paragraph;
        paragraph.add(p);
        if (!first) text += '\n';
        text += paragraph.take();
        first = false;
    }
    return text;
}

std::optional<CellValue> cell_value(pugi::xml_node cell) {
    const std::string_view type = cell.attribute("office:value-type").value();
    if (std::string_view(cell.attribute("calcext:value-type").value()) == "error"sv) {
        return CellValue{{}, "error", cell_paragraphs(cell)};
    }
    if (type.empty()) {
        if (cell.attribute("table:formula")) return CellValue{{}, refusal::formula, {}};
        return std::nullopt;
    }
    if (type == "string"sv) {
        if (pugi::xml_attribute value = cell.attribute("office:string-value")) {
            return CellValue{value.value(), nullptr, {}};
        }
        return CellValue{cell_paragraphs(cell), nullptr, {}};
    }
    if (type == "boolean"sv) {
        const std::string_view value = cell.attribute("office:boolean-value").value();
        return CellValue{value == "true"sv || value == "1"sv ? "1" : "0", nullptr, {}};
    }
    if (type == "date"sv || type == "time"sv) return CellValue{{}, refusal::date, {}};
    // float, percentage, currency
    const std::string_view value = cell.attribute("office:value").value();
    double number = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (ec != std::errc() || end != value.data() + value.size()) {
        return CellValue{cell_paragraphs(cell), nullptr, {}};
    }
    return CellValue{number_text(number), nullptr, {}};
}

class OdsFile {
  public:
    explicit OdsFile(const WorkbookFile& file)
        : label_(file.path.string()), zip_(file.bytes, label_) {}

    WorkbookData read() {
        pugi::xml_document content;
        const std::string bytes = zip_.read("content.xml");
        const pugi::xml_parse_result parsed = content.load_buffer(
            bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata);
        if (!parsed) {
            throw WorkbookError("Workbook " + label_ + " has a damaged part content.xml (" +
                                parsed.description() + ")");
        }
        const pugi::xml_node spreadsheet = content.child("office:document-content")
                                               .child("office:body")
                                               .child("office:spreadsheet");
        WorkbookData data;
        for (pugi::xml_node table = spreadsheet.child("table:table"); table;
             table = table.next_sibling("table:table")) {
            SheetBuilder sheet(table.attribute("table:name").value(), budget_);
            std::uint64_t row = 0;
            read_rows(table, sheet, row, 0);
            data.sheets.push_back(sheet.take());
        }
        return data;
    }

  private:
    // Rows stand in the table or in row groups, header rows and row blocks.
    void read_rows(pugi::xml_node parent, SheetBuilder& sheet, std::uint64_t& row, int depth) {
        if (depth > nesting_limit) too_deep();
        for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
            const std::string_view name = child.name();
            if (name == "table:table-row"sv) {
                const std::uint64_t repeat = std::max<std::uint64_t>(
                    child.attribute("table:number-rows-repeated").as_ullong(1), 1);
                if (!read_row(child, sheet, row)) {
                    row += repeat;  // empty rows only move on
                    continue;
                }
                for (std::uint64_t r = 1; r < repeat; ++r) read_row(child, sheet, row + r);
                row += repeat;
            } else if (name == "table:table-row-group"sv || name == "table:table-header-rows"sv ||
                       name == "table:table-rows"sv) {
                read_rows(child, sheet, row, depth + 1);
            }
        }
    }

    // Puts the row's cells; false when it has none with a value.
    bool read_row(pugi::xml_node row_node, SheetBuilder& sheet, std::uint64_t row) {
        bool any = false;
        std::uint64_t column = 0;
        for (pugi::xml_node cell = row_node.first_child(); cell; cell = cell.next_sibling()) {
            const std::string_view name = cell.name();
            if (name != "table:table-cell"sv && name != "table:covered-table-cell"sv) continue;
            const std::uint64_t repeat = std::max<std::uint64_t>(
                cell.attribute("table:number-columns-repeated").as_ullong(1), 1);
            if (std::optional<CellValue> value = cell_value(cell)) {
                any = true;
                for (std::uint64_t c = 0; c < repeat; ++c) put(sheet, row, column + c, *value);
            }
            column += repeat;
        }
        return any;
    }

    static void put(SheetBuilder& sheet, std::uint64_t row, std::uint64_t column,
                    const CellValue& value) {
        if (value.refused == nullptr) {
            sheet.put(row, column, value.text);
        } else if (std::string_view(value.refused) == "error"sv) {
            sheet.refuse(row, column, refusal::error(value.error_code));
        } else {
            sheet.refuse(row, column, value.refused);
        }
    }

    std::string label_;
    ZipArchive zip_;
    SheetBudget budget_;
};

}  // namespace

WorkbookData OdsReader::read(const WorkbookFile& file) const {
    return OdsFile(file).read();
}

}  // namespace fenwarp
