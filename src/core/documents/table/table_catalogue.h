#pragma once

#include <string_view>
#include <vector>

#include "core/documents/table/table_description.h"

namespace fenwarp {

const TableDescription& sdo_table();         // sdo.xml, SDO access table
const TableDescription& pdo_table();         // rpdodef.xml, PDO translation table
const TableDescription& stored_pdo_table();  // sdopdo.xml, stored PDO map
const TableDescription& emcy_table();        // emcydef.xml, EMCY translation table
const TableDescription& emcy_word_table();   // emcyword.xml, EMCY word map

// The five table documents, in the order the tables are listed to the user.
const std::vector<const TableDescription*>& table_catalogue();
// The table of that base name, or nullptr.
const TableDescription* find_table(std::string_view base_name);

}  // namespace fenwarp
