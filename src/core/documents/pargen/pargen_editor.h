#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/messages.h"

namespace fenwarp {

// State of the communication dialog: the texts of its five fields, kept as
// typed between showings (Cancel does not undo them).
class PargenEditor {
  public:
    static constexpr const char* root_name = "ParametriGenerali";
    // The nine elements of pargen.xml, in their fixed order.
    static constexpr std::array<const char*, 9> element_names = {
        "idA", "BoudA", "idB", "BoudB", "timeoutsdo", "baudmodbus", "parity", "ser", "devid"};
    // The items of both bit-rate lists.
    static constexpr std::array<const char*, 9> baud_rates = {"10",  "20",  "50",  "100", "125",
                                                              "250", "500", "800", "1000"};

    std::string dev_id_a = "1";        // Edit1
    std::string baud_a = "10";         // ComboBox1
    std::string dev_id_b = "1";        // Edit2, never shown: the device's dip-switch sets it
    std::string baud_b = "250";        // ComboBox2
    std::string sdo_timeout = "1000";  // Edit3

    // Fills the fields from children 0 to 4 by position. A missing file leaves
    // them as they are; a reading failure keeps what was filled before it.
    void load(const std::filesystem::path& file, Messages& messages);

    // Writes the nine elements; throws Error when the file cannot be written.
    void save_document(const std::filesystem::path& file) const;

  private:
    std::array<std::string*, 5> fields() {
        return {&dev_id_a, &baud_a, &dev_id_b, &baud_b, &sdo_timeout};
    }
};

}  // namespace fenwarp
