#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ImportText.h"

namespace lingomat {

// A small XML reader, enough for word lists: elements, attributes, character data with the
// predefined entities and numeric references, CDATA, comments, processing instructions and a
// document type declaration (skipped). Namespaces and external entities are not supported.
struct XmlElement {
    std::string name; // UTF-8
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<std::unique_ptr<XmlElement>> children;
    PositionedText text; // the character data directly inside, with its places in the file
    std::size_t line = 0;

    // The value of an attribute, or "" when it is missing.
    std::string Attribute(const std::string& key) const;
    // The first child with that name, or null.
    const XmlElement* Child(const std::string& childName) const;
    std::vector<const XmlElement*> Children(const std::string& childName) const;
};

struct XmlDocument {
    std::unique_ptr<XmlElement> root; // null when the document could not be read
    std::vector<ImportMessage> messages;
};

// Reads the document from already decoded characters.
XmlDocument ParseXml(const PositionedText& text);

// The encoding named in the XML declaration, lower case, or "" when there is none.
std::string DeclaredXmlEncoding(const std::string& bytes);

} // namespace lingomat
