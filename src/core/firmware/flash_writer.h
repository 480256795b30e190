#pragma once

#include <filesystem>
#include <string>

namespace fenwarp {

// The flash writer beside the program, which programs the gateway.
inline constexpr const char* flash_writer_name = "Torquill.exe";

// What the flash writer is given: the image path in double quotes, "¶" and
// the port index (0 for COM1), with nothing between them.
std::string flash_writer_parameter(const std::filesystem::path& image, int port_index);

// Starts the program with the text as its one argument, exactly as it is: no
// shell, no waiting. The child inherits the current directory. Returns false
// when the program could not be started.
bool start_detached(const std::filesystem::path& program, const std::string& argument);

}  // namespace fenwarp
