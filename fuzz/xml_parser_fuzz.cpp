// The parser either builds a tree or throws its own error, for any bytes:
// it never reads past its text, never overflows the stack on deep nesting
// and never leaks the partly built tree.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/xml/xml_parser.h"
#include "core/xml/xml_tree_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        auto document =
            fenwarp::parse_xml_text(std::string(reinterpret_cast<const char*>(data), size));
        (void)fenwarp::xml_tree_text(*document);
    } catch (const fenwarp::XmlParseError&) {
    }
    return 0;
}
