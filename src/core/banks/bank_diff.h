#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/banks/bank_decoder.h"

namespace fenwarp {

// One value that differs, as a document would hold it.
struct FieldChange {
    std::string field;
    std::string before;
    std::string after;
};

// Records are numbered from 1 as the gateway holds them: first group first.
struct RecordChange {
    enum class Kind { Added, Removed, Changed };
    Kind kind;
    std::size_t record_a = 0;         // 0 for an added record
    std::size_t record_b = 0;         // 0 for a removed record
    std::string text;                 // the whole record, for one added or removed
    std::vector<FieldChange> fields;  // for a changed record
};

struct TableDiff {
    const char* document;
    std::vector<RecordChange> changes;
};

// What two sets of banks hold differently, in compiled values: the
// communication parameters and, table by table, the records.
struct BanksDiff {
    std::vector<FieldChange> parameters;
    std::vector<TableDiff> tables;  // only tables with changes

    bool equal() const { return parameters.empty() && tables.empty(); }
};

// Records equal in both are matched in order (longest common run); what lies
// between two matches is paired in order as changed records, and the rest is
// added or removed. One value changed in one record is one changed field.
BanksDiff diff_banks(const DecodedBanks& a, const DecodedBanks& b);

// The differences as text, one line per changed record or parameter, and a
// last line that sums them up.
std::string diff_text(const BanksDiff& diff);

}  // namespace fenwarp
