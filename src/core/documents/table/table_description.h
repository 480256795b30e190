#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fenwarp {

// One table document, described once: everything that names its document,
// sheet, CSV file, attributes and columns takes the names from here.
struct TableDescription {
    // Root element, sheet and CSV file name.
    const char* base_name;
    // The document's file name in the project folder: base name + ".xml".
    const char* document;
    // The fields of a record in document order, which is also the column order
    // of the sheet and of the CSV file.
    std::vector<std::string> attributes;
    // What the CSV export writes on a page's heading line for each field (the
    // direction field's place holds the direction code instead). Tables
    // without heading lines repeat the attribute names.
    std::vector<std::string> headings;
    // The field holding the direction code, in the document and in the sheet.
    std::size_t direction_field;
    // Attributes a reader takes as empty when a record lacks them.
    std::vector<std::string> optional;
    // The CSV export writes whole grid pages: empty rows and a heading line
    // that carry the page's direction code. Such rows in a sheet are skipped
    // whatever the direction field holds; in the other tables a blank or
    // heading record is blank or a heading in every field.
    bool pages_in_export = false;
    // Records of one direction a page holds, on load, import and save; 0
    // where the table sets no limit.
    std::size_t page_records = 0;

    std::size_t field_count() const { return attributes.size(); }
    // The position of an attribute; throws Error for a name the table lacks.
    std::size_t field_of(std::string_view attribute) const;
    bool is_optional(std::string_view attribute) const;
};

}  // namespace fenwarp
