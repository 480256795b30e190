#include "core/banks/bank_diff.h"

#include <algorithm>
#include <cstdint>

#include "core/banks/decoded_listing.h"
#include "core/banks/decoded_text.h"
#include "core/documents/pargen/pargen_editor.h"

namespace fenwarp {
namespace {

using Record = std::vector<std::uint16_t>;
using Records = std::vector<Record>;

using Match = std::pair<std::size_t, std::size_t>;  // index in a, index in b

// Above this many cells the middle part is left unmatched, to be paired in
// order: a table has at most a few thousand records, so this is only reached
// when most of two large tables differ anyway.
constexpr std::size_t max_table_cells = std::size_t{1} << 22;

// Appends a longest common subsequence of a[from, from+n) and b[from, from+m).
void common_subsequence(const Records& a, const Records& b, std::size_t from, std::size_t n,
                        std::size_t m, std::vector<Match>& pairs) {
    if (n == 0 || m == 0 || (n + 1) * (m + 1) > max_table_cells) return;
    // lcs(i, j): length of a longest common subsequence of a[from+i..] and b[from+j..].
    std::vector<std::uint16_t> table((n + 1) * (m + 1), 0);
    auto lcs = [&](std::size_t i, std::size_t j) -> std::uint16_t& {
        return table[i * (m + 1) + j];
    };
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            lcs(i, j) = a[from + i] == b[from + j]
                            ? static_cast<std::uint16_t>(lcs(i + 1, j + 1) + 1)
                            : std::max(lcs(i + 1, j), lcs(i, j + 1));
        }
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n && j < m) {
        if (a[from + i] == b[from + j]) {
            pairs.emplace_back(from + i++, from + j++);
        } else if (lcs(i + 1, j) >= lcs(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
}

// The matched records in order: the equal runs at both ends, and between
// them a longest common subsequence.
std::vector<Match> matches(const Records& a, const Records& b) {
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        ++tail;
    }
    std::vector<Match> pairs;
    for (std::size_t i = 0; i < head; ++i) pairs.emplace_back(i, i);
    common_subsequence(a, b, head, a.size() - head - tail, b.size() - head - tail, pairs);
    for (std::size_t t = tail; t > 0; --t) pairs.emplace_back(a.size() - t, b.size() - t);
    return pairs;
}

RecordChange changed(const DecodedTable& a, std::size_t i, const DecodedTable& b, std::size_t j) {
    RecordChange change{RecordChange::Kind::Changed, i + 1, j + 1, {}, {}};
    const std::vector<Field>& fields = b.layout().fields;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::uint16_t before = a.records[i][f];
        const std::uint16_t after = b.records[j][f];
        if (before == after) continue;
        change.fields.push_back(
            {fields[f].attribute, field_text(fields[f], before), field_text(fields[f], after)});
    }
    return change;
}

// The unmatched records a[i0..i1) and b[j0..j1) between two matches.
void between(const DecodedTable& a, std::size_t i0, std::size_t i1, const DecodedTable& b,
             std::size_t j0, std::size_t j1, std::vector<RecordChange>& out) {
    while (i0 < i1 && j0 < j1) out.push_back(changed(a, i0++, b, j0++));
    for (; i0 < i1; ++i0) {
        out.push_back({RecordChange::Kind::Removed, i0 + 1, 0, record_text(a, i0), {}});
    }
    for (; j0 < j1; ++j0) {
        out.push_back({RecordChange::Kind::Added, 0, j0 + 1, record_text(b, j0), {}});
    }
}

std::size_t differing_fields(const Record& x, const Record& y) {
    std::size_t count = 0;
    for (std::size_t f = 0; f < x.size(); ++f) count += x[f] != y[f];
    return count;
}

// A record whose direction bit changed moves to the other group, and one
// put elsewhere in its table leaves its place: a removed and an added record
// that differ in at most one field are one record changed (or moved).
void pair_moved(const DecodedTable& a, const DecodedTable& b, std::vector<RecordChange>& changes) {
    constexpr std::size_t max_pairs = std::size_t{1} << 20;
    std::vector<std::size_t> removed, added;
    for (std::size_t c = 0; c < changes.size(); ++c) {
        if (changes[c].kind == RecordChange::Kind::Removed) removed.push_back(c);
        if (changes[c].kind == RecordChange::Kind::Added) added.push_back(c);
    }
    if (removed.empty() || added.empty() || removed.size() * added.size() > max_pairs) return;
    std::vector<bool> taken(changes.size(), false);
    for (std::size_t r : removed) {
        const std::size_t i = changes[r].record_a - 1;
        for (std::size_t c : added) {
            const std::size_t j = changes[c].record_b - 1;
            if (taken[c] || differing_fields(a.records[i], b.records[j]) > 1) continue;
            changes[r] = changed(a, i, b, j);
            taken[c] = true;
            break;
        }
    }
    std::vector<RecordChange> left;
    left.reserve(changes.size());
    for (std::size_t c = 0; c < changes.size(); ++c) {
        if (!taken[c]) left.push_back(std::move(changes[c]));
    }
    changes = std::move(left);
}

std::vector<RecordChange> diff_table(const DecodedTable& a, const DecodedTable& b) {
    std::vector<RecordChange> changes;
    std::size_t i = 0;
    std::size_t j = 0;
    for (const auto& [mi, mj] : matches(a.records, b.records)) {
        between(a, i, mi, b, j, mj, changes);
        i = mi + 1;
        j = mj + 1;
    }
    between(a, i, a.records.size(), b, j, b.records.size(), changes);
    pair_moved(a, b, changes);
    return changes;
}

std::string changes_text(const std::vector<FieldChange>& fields) {
    std::string text;
    for (const FieldChange& f : fields) {
        if (!text.empty()) text += ", ";
        text += f.field + " " + f.before + " -> " + f.after;
    }
    return text;
}

std::string change_line(const RecordChange& change) {
    switch (change.kind) {
        case RecordChange::Kind::Added:
            return "record " + std::to_string(change.record_b) + " added: " + change.text;
        case RecordChange::Kind::Removed:
            return "record " + std::to_string(change.record_a) + " removed: " + change.text;
        case RecordChange::Kind::Changed:
            break;
    }
    std::string number = "record " + std::to_string(change.record_b);
    if (change.record_a != change.record_b) {
        number += " (record " + std::to_string(change.record_a) + " in A)";
    }
    if (change.fields.empty()) return number + " moved";
    return number + " changed: " + changes_text(change.fields);
}

}  // namespace

BanksDiff diff_banks(const DecodedBanks& a, const DecodedBanks& b) {
    BanksDiff diff;
    const std::array<std::string, 9> before = parameter_texts(a.block.parameters);
    const std::array<std::string, 9> after = parameter_texts(b.block.parameters);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) {
            diff.parameters.push_back({PargenEditor::element_names[i], before[i], after[i]});
        }
    }
    for (std::size_t t = 0; t < a.tables.size() && t < b.tables.size(); ++t) {
        std::vector<RecordChange> changes = diff_table(a.tables[t], b.tables[t]);
        if (!changes.empty()) diff.tables.push_back({a.tables[t].layout().document, changes});
    }
    return diff;
}

std::string diff_text(const BanksDiff& diff) {
    if (diff.equal()) return "No difference: the same parameter block and the same records.\n";
    std::string out;
    std::size_t added = 0, removed = 0, changed_records = 0, fields = 0;
    if (!diff.parameters.empty()) {
        out += "pargen.xml:\n";
        for (const FieldChange& f : diff.parameters) {
            out += "  " + f.field + " " + f.before + " -> " + f.after + "\n";
        }
    }
    for (const TableDiff& table : diff.tables) {
        out += std::string(table.document) + ":\n";
        for (const RecordChange& change : table.changes) {
            out += "  " + change_line(change) + "\n";
            added += change.kind == RecordChange::Kind::Added;
            removed += change.kind == RecordChange::Kind::Removed;
            changed_records += change.kind == RecordChange::Kind::Changed;
            fields += change.fields.size();
        }
    }
    out += std::to_string(diff.parameters.size()) +
           " parameter(s) changed; records: " + std::to_string(added) + " added, " +
           std::to_string(removed) + " removed, " + std::to_string(changed_records) + " changed (" +
           std::to_string(fields) + " field(s))\n";
    return out;
}

}  // namespace fenwarp
