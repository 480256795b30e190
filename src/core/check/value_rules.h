#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/check/checked_project.h"
#include "core/check/finding.h"

namespace fenwarp {

// What a rule says of one value.
struct Verdict {
    Severity severity;
    std::string reason;
};

// A field's own test, run in place of the width test; nothing when it passes.
using ValueRule = std::function<std::optional<Verdict>(const FieldValue& value)>;

// A text that is neither empty nor a number: the compile reports it without
// saying where, and packs all bits set.
std::optional<Verdict> conversion_verdict(const FieldValue& value, std::size_t width);
// A number the field cannot hold: the compile keeps its low bits silently.
std::optional<Verdict> width_verdict(const FieldValue& value, std::size_t width);

// CANopen node IDs: 1 to 127.
ValueRule node_id_rule(Severity severity = Severity::Error, const std::string& note = "");

// An empty text, which the compile packs as all bits set without a word.
std::optional<Verdict> empty_verdict(const FieldValue& value, std::size_t width);

// Fields that may stay empty: a bit of an EMCY word that is not defined.
using EmptyAllowed = std::function<bool(const std::string& attribute)>;

// At most one finding per field of each record: a text that does not convert,
// else the field's own rule when `rules` has one, else an empty text unless
// `may_be_empty` allows it, else the width test.
void check_values(const CheckedTable& table, const std::map<std::string, ValueRule>& rules,
                  std::vector<Finding>& findings, const EmptyAllowed& may_be_empty = {});

// The text as the reason quotes it.
std::string quoted(const std::string& text);

}  // namespace fenwarp
