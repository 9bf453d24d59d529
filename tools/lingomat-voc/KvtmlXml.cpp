#include "KvtmlXml.h"

#include <algorithm>
#include <cctype>
#include <string>

#include <QXmlStreamReader>

#include "TextEncoding.h"

namespace lingomat {
namespace {

// Deeper nesting than any word list needs; it keeps a hostile file from exhausting the stack.
constexpr std::size_t MaxDepth = 200;
// Characters one entity may expand to; far above any real word list's needs.
constexpr int MaxEntityExpansion = 4096;

std::string Utf8(QStringView text) {
    return text.toString().toStdString();
}

// Builds the element tree from Qt's reader, keeping the place of every character of text.
class TreeBuilder {
public:
    TreeBuilder(QXmlStreamReader& reader, XmlDocument& document)
        : reader(reader), document(document) {}

    void Build() {
        std::vector<XmlElement*> open;
        std::size_t line = 1;
        std::size_t column = 1;
        while (!reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::StartElement) {
                if (open.size() == MaxDepth) {
                    Fail("Die Elemente sind zu tief verschachtelt");
                    return;
                }
                auto element = std::make_unique<XmlElement>();
                element->name = Utf8(reader.name());
                element->line = static_cast<std::size_t>(reader.lineNumber());
                for (const auto& attribute : reader.attributes()) {
                    element->attributes.emplace_back(Utf8(attribute.name()),
                                                     Utf8(attribute.value()));
                }
                XmlElement* raw = element.get();
                if (open.empty()) {
                    document.root = std::move(element);
                } else {
                    open.back()->children.push_back(std::move(element));
                }
                open.push_back(raw);
            } else if (token == QXmlStreamReader::EndElement) {
                open.pop_back();
            } else if (token == QXmlStreamReader::Characters && !open.empty()) {
                // The text starts where the token before it ended.
                auto chars = reader.text().toString().toStdU32String();
                std::size_t at = line;
                std::size_t col = column;
                for (const char32_t c : chars) {
                    open.back()->text.push_back(
                        {c, static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(col)});
                    if (c == '\n') {
                        ++at;
                        col = 1;
                    } else {
                        ++col;
                    }
                }
            } else if (token == QXmlStreamReader::EntityReference) {
                document.messages.push_back(
                    {ImportMessage::Severity::Warning,
                     static_cast<std::size_t>(reader.lineNumber()), 0,
                     "Der Verweis „&" + Utf8(reader.name()) +
                         ";“ auf eine externe Entität wird nicht gelesen und fehlt im Text"});
            }
            line = static_cast<std::size_t>(reader.lineNumber());
            column = static_cast<std::size_t>(reader.columnNumber()) + 1;
        }
        if (reader.hasError()) {
            Fail(reader.error() == QXmlStreamReader::PrematureEndOfDocumentError
                     ? (document.root ? "Das Dokument endet, bevor alle Elemente geschlossen sind"
                                      : "Kein XML-Element gefunden")
                     : "Kein gültiges XML (ein Zeichen, ein Name, ein Verweis oder ein "
                       "schließendes Element passt hier nicht)");
        }
    }

private:
    void Fail(const std::string& text) {
        document.root.reset();
        document.messages.push_back({ImportMessage::Severity::Error,
                                     static_cast<std::size_t>(reader.lineNumber()),
                                     static_cast<std::size_t>(reader.columnNumber()) + 1, text});
    }

    QXmlStreamReader& reader;
    XmlDocument& document;
};

} // namespace

std::string XmlElement::Attribute(const std::string& key) const {
    for (const auto& [k, v] : attributes) {
        if (k == key) {
            return v;
        }
    }
    return {};
}

const XmlElement* XmlElement::Child(const std::string& childName) const {
    for (const auto& child : children) {
        if (child->name == childName) {
            return child.get();
        }
    }
    return nullptr;
}

std::vector<const XmlElement*> XmlElement::Children(const std::string& childName) const {
    std::vector<const XmlElement*> found;
    for (const auto& child : children) {
        if (child->name == childName) {
            found.push_back(child.get());
        }
    }
    return found;
}

XmlDocument ParseXml(const std::string& bytes, std::optional<InputEncoding> forced) {
    XmlDocument document;
    QXmlStreamReader reader;
    // Qt resolves no external entity; the limit bounds what internal ones may expand to.
    reader.setEntityExpansionLimit(MaxEntityExpansion);
    reader.setNamespaceProcessing(false);
    const std::string declared = DeclaredXmlEncoding(bytes);
    const bool windows1252 = forced ? *forced == InputEncoding::Windows1252
                                    : declared == "iso-8859-1" || declared == "latin1" ||
                                          declared == "windows-1252" || declared == "cp1252";
    QString decoded;
    if (windows1252) {
        decoded.reserve(static_cast<qsizetype>(bytes.size()));
        for (const char c : bytes) {
            decoded.append(
                QChar(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c)))));
        }
        reader.addData(decoded);
    } else {
        reader.addData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    TreeBuilder(reader, document).Build();
    return document;
}

std::string DeclaredXmlEncoding(const std::string& bytes) {
    const std::size_t start = bytes.find("<?xml");
    if (start == std::string::npos || start > 3) {
        return {};
    }
    const std::size_t end = bytes.find("?>", start);
    const std::string declaration = bytes.substr(start, end == std::string::npos ? 0 : end - start);
    const std::size_t key = declaration.find("encoding");
    if (key == std::string::npos) {
        return {};
    }
    const std::size_t open = declaration.find_first_of("\"'", key);
    if (open == std::string::npos) {
        return {};
    }
    const std::size_t close = declaration.find(declaration[open], open + 1);
    std::string value = declaration.substr(open + 1, close == std::string::npos ? std::string::npos
                                                                                : close - open - 1);
    std::transform(value.begin(), value.end(), value.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return value;
}

} // namespace lingomat
