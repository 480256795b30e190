#include <filesystem>
#include <iostream>

#include "cli/command_list.h"
#include "core/xml/xml_parser.h"
#include "core/xml/xml_tree_editor.h"

namespace fenwarp::cli {
namespace {

void print_items(const XmlTreeItem& item, std::size_t level) {
    std::cout << std::string(2 * level, ' ') << item.text << "\n";
    for (const XmlTreeItem& child : item.children) print_items(child, level + 1);
}

}  // namespace

// Shows the tree the tree editor would show: the same parser, the same items.
int run_xml_tree(const Args& args, StderrMessages&) {
    if (args.size() != 1) {
        std::cerr << "fenwarp-cli: usage: xml-tree FILE\n";
        return 2;
    }
    XmlTreeEditor editor;
    try {
        editor.open(std::filesystem::path(args[0]));
    } catch (const XmlParseError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    for (const XmlTreeItem& item : editor.items()) print_items(item, 0);
    return 0;
}

}  // namespace fenwarp::cli
