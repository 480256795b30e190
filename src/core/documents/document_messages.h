#pragma once

namespace fenwarp::document_messages {

// The standard texts of the document readers.
inline constexpr const char* parser_missing = "Error XML parser not installed";
inline constexpr const char* not_found = "File XML not found";
inline constexpr const char* read_error = "Error in reading file XML";

}  // namespace fenwarp::document_messages
