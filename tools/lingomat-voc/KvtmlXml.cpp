#include "KvtmlXml.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "TextEncoding.h"

namespace lingomat {
namespace {

// Deeper nesting than any word list needs; it keeps a hostile file from exhausting the stack.
constexpr std::size_t MaxDepth = 200;

struct XmlError {
    std::size_t line;
    std::size_t column;
    std::string message;
};

bool IsSpace(char32_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameChar(char32_t c) {
    return !IsSpace(c) && c != '/' && c != '>' && c != '=' && c != '<' && c != '"' && c != '\'' &&
           c != '&' && c != '?' && c != '!';
}

class Parser {
public:
    explicit Parser(const PositionedText& text) : text(text) {}

    std::unique_ptr<XmlElement> Document() {
        SkipMisc();
        if (AtEnd() || !Next('<')) {
            Fail("Kein XML-Element gefunden");
        }
        auto root = Element(0);
        SkipMisc();
        if (!AtEnd()) {
            Fail("Nach dem Ende des Dokuments folgt noch Inhalt");
        }
        return root;
    }

private:
    bool AtEnd() const { return pos >= text.size(); }
    char32_t Peek(std::size_t ahead = 0) const {
        return pos + ahead < text.size() ? text[pos + ahead].code : 0;
    }
    bool Next(char32_t c) const { return Peek() == c; }
    bool Starts(const char* literal) const {
        for (std::size_t i = 0; literal[i] != 0; ++i) {
            if (Peek(i) != static_cast<unsigned char>(literal[i])) {
                return false;
            }
        }
        return true;
    }

    [[noreturn]] void Fail(const std::string& message) const { FailAt(pos, message); }

    [[noreturn]] void FailAt(std::size_t where, const std::string& message) const {
        const PositionedChar at = where < text.size() ? text[where]
                                  : text.empty()      ? PositionedChar{0, 1, 1}
                                                      : text.back();
        throw XmlError{at.line, at.column, message};
    }

    void Expect(const char* literal) {
        if (!Starts(literal)) {
            Fail(std::string("Erwartet wurde „") + literal + "“");
        }
        pos += std::char_traits<char>::length(literal);
    }

    void SkipSpace() {
        while (!AtEnd() && IsSpace(Peek())) {
            ++pos;
        }
    }

    // Skips up to and including the terminator.
    void SkipPast(const char* terminator, const char* what) {
        while (!AtEnd() && !Starts(terminator)) {
            ++pos;
        }
        if (AtEnd()) {
            Fail(std::string(what) + " wird nicht abgeschlossen");
        }
        pos += std::char_traits<char>::length(terminator);
    }

    void SkipDoctype() {
        int brackets = 0;
        while (!AtEnd()) {
            const char32_t c = Peek();
            ++pos;
            if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                return;
            }
        }
        Fail("Die Dokumenttyp-Angabe wird nicht abgeschlossen");
    }

    // Comments, processing instructions, document type and blanks outside the root element.
    void SkipMisc() {
        for (;;) {
            SkipSpace();
            if (Starts("<?")) {
                SkipPast("?>", "Die Verarbeitungsanweisung");
            } else if (Starts("<!--")) {
                SkipPast("-->", "Der Kommentar");
            } else if (Starts("<!DOCTYPE")) {
                SkipDoctype();
            } else {
                return;
            }
        }
    }

    std::string Name() {
        std::string name;
        while (!AtEnd() && IsNameChar(Peek())) {
            name += EncodeUtf8(Peek());
            ++pos;
        }
        if (name.empty()) {
            Fail("Ein Name fehlt");
        }
        return name;
    }

    // An entity or character reference; pos is at '&'.
    char32_t Reference() {
        const std::size_t start = pos;
        ++pos;
        std::string name;
        while (!AtEnd() && Peek() != ';' && name.size() < 12) {
            name += static_cast<char>(Peek() < 0x80 ? Peek() : '?');
            ++pos;
        }
        if (!Next(';')) {
            pos = start;
            Fail("Ein „&“ muss als &amp; geschrieben werden");
        }
        ++pos;
        if (name == "amp")
            return '&';
        if (name == "lt")
            return '<';
        if (name == "gt")
            return '>';
        if (name == "quot")
            return '"';
        if (name == "apos")
            return '\'';
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string digits = name.substr(hex ? 2 : 1);
            char32_t value = 0;
            bool valid = !digits.empty();
            for (const char d : digits) {
                int v = -1;
                if (d >= '0' && d <= '9') {
                    v = d - '0';
                } else if (hex && d >= 'a' && d <= 'f') {
                    v = d - 'a' + 10;
                } else if (hex && d >= 'A' && d <= 'F') {
                    v = d - 'A' + 10;
                }
                valid = valid && v >= 0 && value <= 0x10FFFF;
                value = value * (hex ? 16 : 10) + static_cast<char32_t>(std::max(v, 0));
            }
            if (valid && value != 0 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF)) {
                return value;
            }
        }
        pos = start;
        Fail("Unbekannter Verweis „&" + name + ";“");
    }

    std::string AttributeValue() {
        const char32_t quote = Peek();
        if (quote != '"' && quote != '\'') {
            Fail("Der Wert eines Attributs muss in Anführungszeichen stehen");
        }
        ++pos;
        std::string value;
        while (!AtEnd() && Peek() != quote) {
            if (Peek() == '<') {
                Fail("„<“ im Wert eines Attributs");
            }
            value += EncodeUtf8(Peek() == '&' ? Reference() : text[pos++].code);
        }
        if (AtEnd()) {
            Fail("Der Wert eines Attributs wird nicht abgeschlossen");
        }
        ++pos;
        return value;
    }

    // pos is at '<' of a start tag.
    std::unique_ptr<XmlElement> Element(std::size_t depth) {
        if (depth > MaxDepth) {
            Fail("Die Elemente sind zu tief verschachtelt");
        }
        auto element = std::make_unique<XmlElement>();
        element->line = text[pos].line;
        ++pos;
        element->name = Name();
        for (;;) {
            SkipSpace();
            if (Starts("/>")) {
                pos += 2;
                return element;
            }
            if (Next('>')) {
                ++pos;
                break;
            }
            std::string key = Name();
            SkipSpace();
            Expect("=");
            SkipSpace();
            element->attributes.emplace_back(std::move(key), AttributeValue());
        }
        for (;;) {
            if (AtEnd()) {
                Fail("Das Element <" + element->name + "> wird nicht geschlossen");
            }
            if (Starts("</")) {
                const std::size_t tagStart = pos;
                pos += 2;
                const std::string closing = Name();
                if (closing != element->name) {
                    FailAt(tagStart, "</" + closing + "> schließt <" + element->name + "> (Zeile " +
                                         std::to_string(element->line) + ")");
                }
                SkipSpace();
                Expect(">");
                return element;
            }
            if (Starts("<!--")) {
                SkipPast("-->", "Der Kommentar");
            } else if (Starts("<![CDATA[")) {
                pos += 9;
                while (!AtEnd() && !Starts("]]>")) {
                    element->text.push_back(text[pos++]);
                }
                if (AtEnd()) {
                    Fail("Der CDATA-Abschnitt wird nicht abgeschlossen");
                }
                pos += 3;
            } else if (Starts("<?")) {
                SkipPast("?>", "Die Verarbeitungsanweisung");
            } else if (Next('<')) {
                element->children.push_back(Element(depth + 1));
            } else if (Next('&')) {
                PositionedChar c = text[pos];
                c.code = Reference();
                element->text.push_back(c);
            } else {
                element->text.push_back(text[pos++]);
            }
        }
    }

    const PositionedText& text;
    std::size_t pos = 0;
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

XmlDocument ParseXml(const PositionedText& text) {
    XmlDocument document;
    try {
        document.root = Parser(text).Document();
    } catch (const XmlError& error) {
        document.messages.push_back({ImportMessage::Severity::Error, error.line, error.column,
                                     "Kein gültiges XML: " + error.message});
    }
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
