#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/banks/record_layouts.h"
#include "core/check/field_value.h"
#include "core/documents/table/table_description.h"
#include "core/documents/table/table_record.h"

namespace fenwarp {

// A record of a table document and where its dialog shows it.
struct CheckedRecord {
    TableRecord fields;
    std::size_t number = 0;    // in the document, from 1
    int page = 0;              // the dialog's page (tab), from 0
    std::size_t position = 0;  // on that page, in document order, from 0
};

// A table document read for the check, with the layout the compile packs it by.
struct CheckedTable {
    const TableDescription* table = nullptr;
    const RecordLayout* layout = nullptr;
    std::vector<CheckedRecord> records;  // none when the document is missing

    FieldValue value(const CheckedRecord& record, std::string_view attribute) const;
    const std::string& text(const CheckedRecord& record, std::string_view attribute) const;
};

// The six documents of a project, read once for all the rules.
struct CheckedProject {
    CheckedTable sdo;
    CheckedTable pdo;
    CheckedTable stored_pdo;
    CheckedTable emcy;
    CheckedTable emcy_word;
    // The element texts of pargen.xml, by position; nothing when it is missing.
    std::optional<std::vector<std::string>> pargen;
};

// Reads the six documents of the project folder through the table
// descriptions. A missing document gives no records (the compile reports it);
// an unreadable one throws Error naming it, as the compile would.
CheckedProject read_checked_project(const std::filesystem::path& project_dir);

}  // namespace fenwarp
