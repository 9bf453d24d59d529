#include "KvtmlWordList.h"

#include <algorithm>
#include <map>

#include "KvtmlXml.h"

namespace lingomat {
namespace {

PositionedText ElementText(const XmlElement* element) {
    return element == nullptr ? PositionedText{} : Trimmed(element->text);
}

class KvtmlReader {
public:
    explicit KvtmlReader(WordList& list) : list(list) {}

    void Read(const XmlElement& root) {
        const std::string version = root.Attribute("version");
        if (root.name != "kvtml" || version.rfind('2', 0) != 0) {
            Error(root.line, "Das ist keine KVTML-2-Datei (Wurzelelement <" + root.name +
                                 ">, Version „" + version + "“); gelesen wird nur KVTML 2");
            return;
        }
        ReadIdentifiers(root.Child("identifiers"));
        ReadEntries(root.Child("entries"));
        if (const XmlElement* lessons = root.Child("lessons")) {
            for (const XmlElement* container : lessons->Children("container")) {
                ReadLesson(*container, "");
            }
        }
        if (const XmlElement* types = root.Child("wordtypes")) {
            for (const XmlElement* container : types->Children("container")) {
                ReadWordType(*container, "");
            }
        }
    }

private:
    void Error(std::size_t line, std::string text) {
        list.messages.push_back({ImportMessage::Severity::Error, line, 0, std::move(text)});
    }

    void ReadIdentifiers(const XmlElement* identifiers) {
        if (identifiers == nullptr) {
            Error(0, "Die Datei nennt keine Sprachen (<identifiers> fehlt)");
            return;
        }
        std::map<std::size_t, std::size_t> lineOfLanguage;
        for (const XmlElement* identifier : identifiers->Children("identifier")) {
            const std::string locale = PlainUtf8(ElementText(identifier->Child("locale")));
            const std::string name = PlainUtf8(ElementText(identifier->Child("name")));
            auto column = ColumnForName(locale);
            if (!column) {
                column = ColumnForName(name);
            }
            const auto language = column ? static_cast<std::size_t>(*column) : ImportLanguageCount;
            if (language >= ImportLanguageCount) {
                list.messages.push_back(
                    {ImportMessage::Severity::Warning, identifier->line, 0,
                     "Die Sprache „" + (locale.empty() ? name : locale) +
                         "“ kennt Lingomat nicht; ihre Übersetzungen werden nicht übernommen"});
                continue;
            }
            if (const auto earlier = lineOfLanguage.find(language);
                earlier != lineOfLanguage.end()) {
                Error(identifier->line, std::string("Die Sprache ") + ImportLanguageName(language) +
                                            " steht zweimal in der Liste (auch Zeile " +
                                            std::to_string(earlier->second) +
                                            "); ein Datensatz hat für jede Sprache eine Spalte");
                continue;
            }
            lineOfLanguage[language] = identifier->line;
            languageOfIdentifier[identifier->Attribute("id")] = language;
            list.languages[language] = true;
            list.readingNotes.push_back("Sprache " + identifier->Attribute("id") + " („" +
                                        (locale.empty() ? name : locale) +
                                        "“): " + ImportLanguageName(language));
        }
    }

    void ReadEntries(const XmlElement* entries) {
        if (entries == nullptr) {
            return;
        }
        for (const XmlElement* entry : entries->Children("entry")) {
            ImportRow row;
            row.line = entry->line;
            for (const XmlElement* translation : entry->Children("translation")) {
                const auto language = languageOfIdentifier.find(translation->Attribute("id"));
                if (language == languageOfIdentifier.end()) {
                    continue;
                }
                const PositionedText text = ElementText(translation->Child("text"));
                ImportCell& cell = row.texts[language->second];
                cell.text = ToStoredText(text, list.messages);
                cell.line = text.empty() ? translation->line : text.front().line;
                cell.column = text.empty() ? 0 : text.front().column;
            }
            rowOfEntry[entry->Attribute("id")] = list.rows.size();
            list.rows.push_back(std::move(row));
        }
    }

    // Nested lessons become lessons of their own, named with the names of their parents.
    void ReadLesson(const XmlElement& container, const std::string& parent) {
        const PositionedText nameText = ElementText(container.Child("name"));
        std::string name = ToStoredText(nameText, list.messages);
        ++lessonPosition;
        if (name.empty()) {
            // The game skips a lesson without a name; its position names it instead.
            name = "Lektion " + std::to_string(lessonPosition);
            list.messages.push_back({ImportMessage::Severity::Warning, container.line, 0,
                                     "Die Lektion an Stelle " + std::to_string(lessonPosition) +
                                         " hat keinen Namen; sie heißt „" + name + "“"});
        }
        if (!parent.empty()) {
            name = parent + " - " + name;
        }
        bool used = false;
        for (const XmlElement* member : container.Children("entry")) {
            const auto row = rowOfEntry.find(member->Attribute("id"));
            if (row == rowOfEntry.end()) {
                list.messages.push_back({ImportMessage::Severity::Warning, member->line, 0,
                                         "Die Lektion verweist auf den Eintrag „" +
                                             member->Attribute("id") +
                                             "“, den es nicht gibt; übergangen"});
                continue;
            }
            auto& lessons = list.rows[row->second].lessons;
            const bool already = std::any_of(lessons.begin(), lessons.end(),
                                             [&](const ImportCell& c) { return c.text == name; });
            if (!already) {
                lessons.push_back({name, member->line, 0});
            }
            used = true;
        }
        if (used) {
            list.lessonOrder.push_back(name);
        }
        for (const XmlElement* child : container.Children("container")) {
            ReadLesson(*child, name);
        }
    }

    void ReadWordType(const XmlElement& container, const std::string& inherited) {
        std::string wordClass = inherited;
        const std::string special = PlainUtf8(ElementText(container.Child("specialwordtype")));
        const std::string name = PlainUtf8(ElementText(container.Child("name")));
        if (const auto known = WordClassForName(special); known && !known->empty()) {
            wordClass = *known;
        } else if (const auto named = WordClassForName(name); named && !named->empty()) {
            wordClass = *named;
        }
        for (const XmlElement* member : container.Children("entry")) {
            const auto row = rowOfEntry.find(member->Attribute("id"));
            if (row != rowOfEntry.end() && !wordClass.empty()) {
                list.rows[row->second].wordClass = {wordClass, member->line, 0};
            }
        }
        for (const XmlElement* child : container.Children("container")) {
            ReadWordType(*child, wordClass);
        }
    }

    WordList& list;
    std::map<std::string, std::size_t> languageOfIdentifier;
    std::map<std::string, std::size_t> rowOfEntry;
    std::size_t lessonPosition = 0;
};

} // namespace

bool LooksLikeXml(const std::string& content) {
    std::size_t start = content.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    start = content.find_first_not_of(" \t\r\n", start);
    return start != std::string::npos && content.compare(start, 1, "<") == 0;
}

WordList ReadKvtmlWordList(const std::string& content, std::optional<InputEncoding> encoding) {
    WordList list;
    XmlDocument document = ParseXml(content, encoding);
    std::string name = encoding ? (*encoding == InputEncoding::Utf8 ? "UTF-8" : "Windows-1252")
                                : DeclaredXmlEncoding(content);
    if (name.empty()) {
        name = content.rfind("\xFF\xFE", 0) == 0 || content.rfind("\xFE\xFF", 0) == 0 ? "UTF-16"
                                                                                      : "UTF-8";
    }
    list.readingNotes.push_back("Format: KVTML, Zeichenkodierung " + name);
    list.messages = std::move(document.messages);
    if (document.root) {
        KvtmlReader(list).Read(*document.root);
    }
    return list;
}

} // namespace lingomat
