#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ImportText.h"

namespace lingomat {

// The element tree of an XML word list, read by Qt's XML reader: elements, attributes and the
// character data directly inside each element. External entities are never loaded.
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

// Reads the document from the file's bytes: in the encoding it declares (UTF-8 without a
// declaration, UTF-16 by its byte order mark), or in the given one.
XmlDocument ParseXml(const std::string& bytes, std::optional<InputEncoding> forced);

// The encoding named in the XML declaration, lower case, or "" when there is none.
std::string DeclaredXmlEncoding(const std::string& bytes);

} // namespace lingomat
