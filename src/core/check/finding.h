#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace fenwarp {

enum class Severity { Error, Warning };

// "error" or "warning".
const char* severity_name(Severity severity);

// One thing the check found in a project, named as the dialogs show it.
struct Finding {
    Severity severity = Severity::Error;
    std::string document;  // "sdo.xml", or "bank 1" for the room of a bank
    std::string page;      // the dialog's page caption; empty when the document has none
    std::string record;    // the record as its dialog shows it: "N° 3", "W0 Bit 5"
    std::string field;     // attribute or element name
    std::string reason;    // one line
    // Where the record stands in its dialog: the page (tab) counted from 0,
    // the record's position on it (grid row, list item, word) and, for a
    // word's bit or a PDO's stored entry, the position below that.
    std::optional<int> page_index;
    std::optional<std::size_t> position;
    std::optional<std::size_t> sub_position;
};

// "error  sdo.xml  SDO from CAN 0 request to CAN 1, N° 3  nbyteB: reason"
std::string finding_line(const Finding& finding);

}  // namespace fenwarp
