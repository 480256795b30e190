#include "core/documents/workbook/xlsx_reader.h"

#include <pugixml.hpp>

#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/documents/workbook/cell_text.h"
#include "core/documents/workbook/sheet_builder.h"
#include "core/documents/workbook/workbook_error.h"
#include "core/documents/workbook/xml_names.h"
#include "core/documents/workbook/xstring_escape.h"
#include "core/documents/workbook/zip_archive.h"

namespace fenwarp {

namespace {

constexpr const char* workbook_part = "xl/workbook.xml";
constexpr const char* workbook_rels = "xl/_rels/workbook.xml.rels";
constexpr unsigned parse_flags = pugi::parse_default | pugi::parse_ws_pcdata;

// One worksheet the workbook lists: its name and its part.
struct SheetEntry {
    std::string name;
    std::string part;
};

class XlsxFile {
  public:
    explicit XlsxFile(const WorkbookFile& file)
        : label_(file.path.string()), zip_(file.bytes, label_) {}

    WorkbookData read() {
        read_relationships();
        const std::vector<SheetEntry> sheets = sheet_entries();
        read_shared_strings();
        read_styles();
        WorkbookData data;
        for (const SheetEntry& entry : sheets) data.sheets.push_back(read_sheet(entry));
        return data;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw WorkbookError("Workbook " + label_ + " " + what);
    }

    void parse(pugi::xml_document& document, const std::string& part) const {
        const std::string bytes = zip_.read(part);
        const pugi::xml_parse_result parsed =
            document.load_buffer(bytes.data(), bytes.size(), parse_flags);
        if (!parsed) fail("has a damaged part " + part + " (" + parsed.description() + ")");
    }

    // The workbook's relationships: id to part, and the parts of the shared
    // strings and the styles.
    void read_relationships() {
        if (!zip_.has(workbook_rels)) return;
        pugi::xml_document rels;
        parse(rels, workbook_rels);
        for_each_named(child_named(rels, "Relationships"), "Relationship", [&](pugi::xml_node r) {
            if (std::string_view(r.attribute("TargetMode").value()) == "External") return;
            const std::string part =
                resolve_entry_name(workbook_part, r.attribute("Target").value());
            if (part.empty()) fail("names a part outside the container");
            const std::string_view type = r.attribute("Type").value();
            if (type.ends_with("/sharedStrings")) shared_strings_part_ = part;
            if (type.ends_with("/styles")) styles_part_ = part;
            if (type.ends_with("/worksheet")) worksheets_[r.attribute("Id").value()] = part;
        });
    }

    std::vector<SheetEntry> sheet_entries() const {
        pugi::xml_document workbook;
        parse(workbook, workbook_part);
        std::vector<SheetEntry> entries;
        const pugi::xml_node sheets = child_named(child_named(workbook, "workbook"), "sheets");
        for_each_named(sheets, "sheet", [&](pugi::xml_node sheet) {
            auto part = worksheets_.find(attribute_named(sheet, "id").value());
            // Chart sheets and the like hold no cells.
            if (part == worksheets_.end()) return;
            entries.push_back({sheet.attribute("name").value(), part->second});
        });
        return entries;
    }

    void read_shared_strings() {
        if (shared_strings_part_.empty() || !zip_.has(shared_strings_part_)) return;
        pugi::xml_document document;
        parse(document, shared_strings_part_);
        for_each_named(child_named(document, "sst"), "si",
                       [&](pugi::xml_node si) { shared_strings_.push_back(rich_text(si)); });
    }

    void read_styles() {
        if (styles_part_.empty() || !zip_.has(styles_part_)) return;
        pugi::xml_document document;
        parse(document, styles_part_);
        const pugi::xml_node sheet = child_named(document, "styleSheet");
        std::map<unsigned, bool> custom;
        for_each_named(child_named(sheet, "numFmts"), "numFmt", [&](pugi::xml_node format) {
            custom[format.attribute("numFmtId").as_uint()] =
                is_date_format(format.attribute("formatCode").value());
        });
        for_each_named(child_named(sheet, "cellXfs"), "xf", [&](pugi::xml_node xf) {
            const unsigned id = xf.attribute("numFmtId").as_uint();
            auto found = custom.find(id);
            date_styles_.push_back(found != custom.end() ? found->second : builtin_date(id));
        });
    }

    // The built-in number formats that show dates and times.
    static bool builtin_date(unsigned id) {
        return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
               (id >= 50 && id <= 58) || (id >= 71 && id <= 81);
    }

    // The text of a string item: its "t", or its runs' "t" in order; the
    // phonetic runs are no part of the text.
    static std::string rich_text(pugi::xml_node item) {
        std::string text;
        for (pugi::xml_node part = item.first_child(); part; part = part.next_sibling()) {
            const std::string_view name = local_name(part.name());
            if (name == "t") text += part.child_value();
            if (name == "r") text += child_named(part, "t").child_value();
        }
        return decode_xstring(text);
    }

    SheetData read_sheet(const SheetEntry& entry) {
        pugi::xml_document document;
        parse(document, entry.part);
        SheetBuilder sheet(entry.name, budget_);
        const pugi::xml_node data = child_named(child_named(document, "worksheet"), "sheetData");
        std::uint64_t row = 0;
        for_each_named(data, "row", [&](pugi::xml_node r) {
            const std::uint64_t number = r.attribute("r").as_ullong();
            row = number > 0 ? number - 1 : row;
            std::uint64_t column = 0;
            for_each_named(r, "c", [&](pugi::xml_node c) {
                if (const char* ref = c.attribute("r").value(); *ref != '\0') {
                    const std::optional<std::uint64_t> at = reference_column(ref);
                    if (!at) fail("has a cell with the reference \"" + std::string(ref) + "\"");
                    column = *at;
                }
                read_cell(sheet, c, row, column);
                ++column;
            });
            ++row;
        });
        return sheet.take();
    }

    // The column of a cell reference such as "AB12", from 0.
    static std::optional<std::uint64_t> reference_column(std::string_view ref) {
        std::uint64_t column = 0;
        std::size_t i = 0;
        for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && i < 4; ++i) {
            column = column * 26 + static_cast<std::uint64_t>(ref[i] - 'A' + 1);
        }
        if (i == 0) return std::nullopt;
        return column - 1;
    }

    void read_cell(SheetBuilder& sheet, pugi::xml_node c, std::uint64_t row, std::uint64_t column) {
        const std::string_view type = c.attribute("t").value();
        const pugi::xml_node v = child_named(c, "v");
        const std::string value = v.child_value();
        if (type == "inlineStr") {
            sheet.put(row, column, rich_text(child_named(c, "is")));
            return;
        }
        if (!v) {
            // A formula the file holds no value for; a cell without either is empty.
            if (child_named(c, "f")) sheet.refuse(row, column, refusal::formula);
            return;
        }
        if (type == "s") {
            std::size_t index = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (ec != std::errc() || end != value.data() + value.size() ||
                index >= shared_strings_.size()) {
                fail("names a shared string that is not there (" + value + ")");
            }
            sheet.put(row, column, shared_strings_[index]);
        } else if (type == "str") {
            sheet.put(row, column, decode_xstring(value));
        } else if (type == "b") {
            sheet.put(row, column, value == "1" || value == "true" ? "1" : "0");
        } else if (type == "e") {
            sheet.refuse(row, column, refusal::error(value));
        } else if (type == "d") {
            sheet.refuse(row, column, refusal::date);
        } else {
            read_number(sheet, c, row, column, value);
        }
    }

    void read_number(SheetBuilder& sheet, pugi::xml_node c, std::uint64_t row, std::uint64_t column,
                     const std::string& value) {
        const std::size_t style = c.attribute("s").as_uint();
        if (style < date_styles_.size() && date_styles_[style]) {
            sheet.refuse(row, column, refusal::date);
            return;
        }
        double number = 0;
        auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (ec != std::errc() || end != value.data() + value.size()) {
            // Not a number after all: what the file holds is the best text.
            sheet.put(row, column, value);
            return;
        }
        sheet.put(row, column, number_text(number));
    }

    std::string label_;
    ZipArchive zip_;
    std::map<std::string, std::string> worksheets_;
    std::string shared_strings_part_ = "xl/sharedStrings.xml";
    std::string styles_part_ = "xl/styles.xml";
    std::vector<std::string> shared_strings_;
    std::vector<bool> date_styles_;
    SheetBudget budget_;
};

}  // namespace

bool is_date_format(std::string_view code) {
    bool quoted = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (quoted) {
            quoted = c != '"';
        } else if (c == '"') {
            quoted = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;  // the next character is shown, or fills, as it stands
        } else if (c == '[') {
            const std::size_t close = code.find(']', i);
            if (close == std::string_view::npos) return false;
            // [h], [mm], [ss]: elapsed time; colours and conditions are not.
            const char first = close > i + 1 ? code[i + 1] : ' ';
            if (first == 'h' || first == 'H' || first == 'm' || first == 'M' || first == 's' ||
                first == 'S') {
                return true;
            }
            i = close;
        } else if (std::string_view("dDmMyYhHsS").find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

WorkbookData XlsxReader::read(const WorkbookFile& file) const {
    return XlsxFile(file).read();
}

}  // namespace fenwarp
