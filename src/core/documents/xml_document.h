#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "core/error.h"

namespace fenwarp {

// Any failure while loading or walking a document: a malformed file, a missing
// record, an absent attribute.
class XmlReadError : public Error {
  public:
    using Error::Error;
};

// One element of a loaded or new document.
class XmlElement {
  public:
    explicit XmlElement(pugi::xml_node node) : node_(node) {}

    std::size_t child_count() const;
    // Records by position, counted from 0; a missing one is a reading error.
    XmlElement child(std::size_t index) const;
    // Every record in order, gathered in one walk: position lookups from the
    // first would make a walk over thousands of records quadratic.
    std::vector<XmlElement> children() const;
    // Attributes by name; an absent one is a reading error.
    std::string attribute(const char* name) const;
    bool has_attribute(const char* name) const;
    std::string text() const;
    // The text of the element and all its descendants, joined in order.
    std::string text_content() const;
    std::string name() const { return node_.name(); }

    XmlElement append_element(const char* name);
    // Adds the attribute, or replaces the value of one of that name.
    void set_attribute(const char* name, const std::string& value);
    void set_text(const std::string& value);

  private:
    pugi::xml_node node_;
};

// A fresh document per load or save; files carry no XML declaration.
class XmlDocument {
  public:
    XmlDocument() = default;
    XmlDocument(XmlDocument&&) = default;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Parses the file; a file that does not parse or has no root element is a
    // reading error.
    static XmlDocument load(const std::filesystem::path& path);

    XmlElement root() const;
    XmlElement create_root(const char* name);

    // Writes the whole document beside the target first and then renames it
    // over the old file, so a failed save leaves the old document whole.
    // Throws Error naming the file on failure.
    void save(const std::filesystem::path& path) const;

  private:
    pugi::xml_document doc_;
};

}  // namespace fenwarp
