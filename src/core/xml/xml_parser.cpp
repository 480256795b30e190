#include "core/xml/xml_parser.h"

#include <string_view>

#include "core/xml/xml_chars.h"
#include "core/xml/xml_reference.h"
#include "core/xml/xml_text.h"

namespace fenwarp {

namespace {

using xml_chars::is_name_char;
using xml_chars::is_name_start;
using xml_chars::is_white_space;
using xml_text::left_part;
using xml_text::right_part;

// A recursive-descent parser: one function per grammar rule, each reporting
// whether its rule applied. Nodes are attached to their parent only once
// their rule has applied, so a parent never holds a half-built child and an
// error unwinds with every node destroyed by its owner.
class Parser {
  public:
    explicit Parser(TXMLReader& reader) : reader_(reader) {}

    std::unique_ptr<TXMLNode> document();

  private:
    void advance();
    bool match(std::string_view literal);
    bool skip_white_space();
    bool name(std::string& out);
    bool data_ended() const { return reader_.at_end() && reader_.current == 0; }

    void prolog(TXMLNode& document);
    bool xml_declaration(TXMLNode& document);
    bool misc(TXMLNode& parent);
    bool comment();
    bool processing_instruction(TXMLNode& parent);
    bool element(TXMLNode& parent, int depth);
    bool attribute(TXMLNode& owner);
    bool attribute_value(std::string& value);
    void content(TXMLNode& element, int depth);
    bool cdata_section(TXMLNode& element);
    bool char_data(TXMLNode& element);
    bool content_reference(TXMLNode& element);
    bool end_tag(const TXMLNode& element);
    std::string reference();

    TXMLReader& reader_;
};

// advance: the next character; running past the data is an error. "At end"
// already holds while the last character is current.
void Parser::advance() {
    if (reader_.at_end()) throw XmlParseError("Unexpected end of data");
    reader_.next_char();
}

// match(literal): consumes the literal when every character matches, else
// leaves the reader where it was. Past the data the current character is 0,
// which matches nothing, so a literal cut short by the end does not match.
bool Parser::match(std::string_view literal) {
    std::unique_ptr<TXMLReaderState> state = reader_.save_state();
    bool equal = true;
    for (char c : literal) {
        if (reader_.current != c) {
            equal = false;
            break;
        }
        reader_.next_char();
    }
    if (!equal) reader_.restore_state(*state);
    reader_.free_state(std::move(state));
    return equal;
}

// S ::= (#x20 | #x9 | #xD | #xA)+
bool Parser::skip_white_space() {
    bool skipped = false;
    while (is_white_space(reader_.current)) {
        skipped = true;
        reader_.next_char();
    }
    return skipped;
}

// Name ::= NameStartChar NameChar*
bool Parser::name(std::string& out) {
    if (!is_name_start(reader_.current)) return false;
    out.clear();
    while (is_name_char(reader_.current)) {
        out += reader_.current;
        advance();
    }
    return true;
}

// document ::= prolog element Misc*   (anything after is ignored)
std::unique_ptr<TXMLNode> Parser::document() {
    advance();
    auto node = std::make_unique<TXMLNode>(TXMLNodeKind::Document, "");
    prolog(*node);
    if (!element(*node, 1)) throw XmlParseError("Missing element");
    while (misc(*node)) {
    }
    return node;
}

// prolog ::= XMLDecl? Misc* (doctypedecl Misc*)?   (a doctypedecl is refused)
void Parser::prolog(TXMLNode& document) {
    xml_declaration(document);
    while (misc(document)) {
    }
    if (match("<!DOCTYPE")) throw XmlParseError("DocTypeDecl parsing not yet implemented");
    while (misc(document)) {
    }
}

// XMLDecl ::= '<?xml' (S Attribute)* S? '?>'
bool Parser::xml_declaration(TXMLNode& document) {
    if (!match("<?xml")) return false;
    auto node = std::make_unique<TXMLNode>(TXMLNodeKind::XMLDeclaration, "");
    do {
        skip_white_space();
    } while (attribute(*node));
    skip_white_space();
    if (!match("?>")) throw XmlParseError("XML declaration not terminated with \"?>\"");
    document.add_child(std::move(node));
    return true;
}

// Misc ::= Comment | PI | S
bool Parser::misc(TXMLNode& parent) {
    return skip_white_space() || comment() || processing_instruction(parent);
}

// Comment ::= '<!--' Char* '-->'   (a comment cut off by the end of the data
// is taken as it is)
bool Parser::comment() {
    if (!match("<!--")) return false;
    std::string text;
    while (right_part(text, 3) != "-->" && !data_ended()) {
        text += reader_.current;
        reader_.next_char();
    }
    if (right_part(text, 4) == "--->") throw XmlParseError("Comments cannot end in \"--->\"");
    return true;
}

// PI ::= '<?' PITarget (S Char*)? '?>'   with PITarget ::= Name - 'xml'
bool Parser::processing_instruction(TXMLNode& parent) {
    if (!match("<?")) return false;
    std::string target;
    if (!name(target)) throw XmlParseError("Processing instruction does not contain valid name");
    if (target == "xml") {
        throw XmlParseError("Processing instruction cannot have the reserved name \"xml\"");
    }
    skip_white_space();
    std::string text;
    while (right_part(text, 2) != "?>") {
        if (data_ended()) throw XmlParseError("Unterminated processing instruction");
        text += reader_.current;
        reader_.next_char();
    }
    auto node = std::make_unique<TXMLNode>(TXMLNodeKind::ProcessingInstruction, target);
    node->value = left_part(text, text.size() - 2);
    parent.add_child(std::move(node));
    return true;
}

// element ::= '<' Name (S Attribute)* S? ('/>' | '>' content ETag)
bool Parser::element(TXMLNode& parent, int depth) {
    if (reader_.current != '<') return false;
    std::unique_ptr<TXMLReaderState> state = reader_.save_state();
    advance();
    std::string tag;
    if (!name(tag)) {
        reader_.restore_state(*state);
        reader_.free_state(std::move(state));
        return false;
    }
    reader_.free_state(std::move(state));
    if (depth > xml_max_depth) throw XmlParseError("Elements nested too deeply");

    auto node = std::make_unique<TXMLNode>(TXMLNodeKind::Element, tag);
    do {
        skip_white_space();
    } while (attribute(*node));
    const bool empty = reader_.current == '/';
    if (empty) advance();
    if (reader_.current != '>') throw XmlParseError("Tag not terminated properly");
    advance();
    if (!empty) {
        content(*node, depth);
        node->value = xml_text::trim_set(node->value, "\t\r\n ");
        if (!end_tag(*node)) throw XmlParseError("No ending tag for " + tag);
    }
    parent.add_child(std::move(node));
    return true;
}

// Attribute ::= Name S? '=' S? AttValue
bool Parser::attribute(TXMLNode& owner) {
    std::string attribute_name;
    if (!name(attribute_name)) return false;
    skip_white_space();
    const char sign = reader_.current;
    advance();
    skip_white_space();
    if (sign != '=') throw XmlParseError("Equals sign missing in attribute");
    std::string value;
    if (!attribute_value(value)) {
        throw XmlParseError("Attribute \"" + attribute_name + "\" missing value");
    }
    auto node = std::make_unique<TXMLNode>(TXMLNodeKind::Attribute, attribute_name);
    node->value = std::move(value);
    owner.add_child(std::move(node));
    return true;
}

// AttValue ::= '"' ([^<&"] | Reference)* '"' | "'" ([^<&'] | Reference)* "'"
bool Parser::attribute_value(std::string& value) {
    const char quote = reader_.current;
    if (quote != '"' && quote != '\'') return false;
    advance();
    while (reader_.current != quote) {
        if (reader_.current == '<') {
            throw XmlParseError("Invalid character \"<\" in attribute value");
        }
        if (reader_.current == '&') {
            value += reference();
        } else {
            value += reader_.current;
            advance();
        }
    }
    advance();
    return true;
}

// content ::= (element | CharData | Reference | CDSect | PI | Comment)*
void Parser::content(TXMLNode& element_node, int depth) {
    while (cdata_section(element_node) || processing_instruction(element_node) || comment() ||
           element(element_node, depth + 1) || char_data(element_node) ||
           content_reference(element_node)) {
    }
}

// CDSect ::= '<![CDATA[' (Char* - (Char* ']]>' Char*)) ']]>'
bool Parser::cdata_section(TXMLNode& element_node) {
    if (!match("<![CDATA[")) return false;
    std::string text;
    while (right_part(text, 3) != "]]>") {
        text += reader_.current;
        advance();
    }
    element_node.value += left_part(text, text.size() - 3);
    return true;
}

// CharData ::= [^<&]* - ([^<&]* ']]>' [^<&]*)
bool Parser::char_data(TXMLNode& element_node) {
    std::string text;
    while (reader_.current != '&' && reader_.current != '<' && reader_.current != 0) {
        text += reader_.current;
        reader_.next_char();
    }
    if (text.empty()) return false;
    if (text.find("]]>") != std::string::npos) {
        throw XmlParseError("Character data cannot contain \"]]>\"");
    }
    element_node.value += text;
    return true;
}

// Reference, in content: its character joins the element's value.
bool Parser::content_reference(TXMLNode& element_node) {
    if (reader_.current != '&') return false;
    element_node.value += reference();
    return true;
}

// ETag ::= '</' Name S? '>'
bool Parser::end_tag(const TXMLNode& element_node) {
    if (!match("</")) return false;
    std::string found;
    if (!name(found)) return false;
    if (found != element_node.name) {
        throw XmlParseError("End tag name \"" + found + "\" does not match start tag name \"" +
                            element_node.name + "\"");
    }
    skip_white_space();
    if (reader_.current != '>') throw XmlParseError("End tag missing \">\"");
    reader_.next_char();
    return true;
}

// Reference ::= '&' Name ';' | '&#' [0-9]+ ';' | '&#x' [0-9a-fA-F]+ ';'
std::string Parser::reference() {
    if (reader_.current != '&') throw XmlParseError("All references must begin with \"&\"");
    advance();
    std::string text;
    while (reader_.current != ';') {
        text += reader_.current;
        advance();
    }
    std::string character = resolve_reference(text);
    advance();
    return character;
}

}  // namespace

std::unique_ptr<TXMLNode> parse_document(TXMLReader& reader) {
    return Parser(reader).document();
}

std::unique_ptr<TXMLNode> parse_xml_text(std::string text) {
    TXMLStringReader reader(std::move(text));
    return parse_document(reader);
}

}  // namespace fenwarp
