#include "Export.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QXmlStreamWriter>

#include "DataSetLayout.h"
#include "LessonCodes.h"
#include "TextEncoding.h"
#include "matching/AccentEscapes.h"

namespace lingomat {
namespace {

struct Language {
    std::size_t column; // of the data set
    const char* header; // the name import knows
    const char* locale;
};

std::vector<Language> LanguagesOf(bool spanish) {
    if (spanish) {
        return {{0, "Deutsch", "de"}, {1, "Spanisch", "es"}};
    }
    return {{0, "Deutsch", "de"}, {1, "Englisch", "en"}, {2, "Französisch", "fr"}};
}

const char* WordClassName(std::string_view stored) {
    return stored == "n" ? "Nomen" : stored == "v" ? "Verb" : stored == "a" ? "Adjektiv" : "";
}

// A field in quotes when a reader would otherwise split or trim it.
std::string CsvField(const std::string& text) {
    const bool quote = text.find_first_of(";\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

QString Q(std::string_view cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(std::string(cp1252)));
}

QJsonObject Numbered(const NumberedText& text) {
    return {{QStringLiteral("text"), Q(text.text)},
            {QStringLiteral("line"), static_cast<qint64>(text.line)}};
}

std::string LayoutJson(const DataSetLayout& layout, const LessonMembership& membership,
                       bool spanish) {
    QJsonArray lessons;
    for (const auto& lesson : layout.lessons) {
        lessons.append(QJsonObject{{QStringLiteral("name"), Numbered(lesson.name)},
                                   {QStringLiteral("code"), Numbered(lesson.code)}});
    }
    QJsonArray records;
    for (std::size_t r = 0; r < layout.records.size(); ++r) {
        const auto& record = layout.records[r];
        QJsonArray inLessons;
        for (const std::uint32_t l : membership.LessonsOf(r)) {
            inLessons.append(static_cast<qint64>(l));
        }
        records.append(QJsonObject{
            {QStringLiteral("lesson"), Numbered(record.Lesson())},
            {QStringLiteral("wordClass"), Numbered(record.WordClass())},
            {QStringLiteral("texts"), QJsonArray{Numbered(record.Text(0)), Numbered(record.Text(1)),
                                                 Numbered(record.Text(2))}},
            {QStringLiteral("complete"), record.Complete()},
            {QStringLiteral("lessons"), inLessons}});
    }
    const QJsonObject root{
        {QStringLiteral("header"), layout.hasHeader},
        {QStringLiteral("version"), layout.version},
        {QStringLiteral("spanish"), spanish},
        {QStringLiteral("preambleLines"), static_cast<qint64>(layout.preambleLineCount)},
        {QStringLiteral("lessons"), lessons},
        {QStringLiteral("records"), records}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

} // namespace

ExportOutcome ExportDataSet(const TextLines& lines, bool spanish, ExportFormat format, bool utf8) {
    const DataSetLayout layout = ParseDataSetLayout(lines);
    const auto languages = LanguagesOf(spanish);
    const bool wordClasses = layout.version == 1;
    const LessonMembership membership(layout);
    ExportOutcome outcome;
    std::size_t rows = 0;
    if (format == ExportFormat::Csv) {
        std::string csv;
        for (const auto& language : languages) {
            csv += Utf8ToCp1252(language.header).text + ";"; // the rows are Windows-1252 too
        }
        csv += wordClasses ? "Lektion;Wortart\r\n" : "Lektion\r\n";
        for (std::size_t r = 0; r < layout.records.size(); ++r) {
            const auto& record = layout.records[r];
            std::string words;
            for (const auto& language : languages) {
                words +=
                    CsvField(DecodeAccents(std::string(record.Text(language.column).text))) + ";";
            }
            const std::string wordClass =
                wordClasses ? std::string(";") + WordClassName(record.WordClass().text) : "";
            const auto lessons = membership.LessonsOf(r);
            // One row per lesson: import takes the same words in several rows as one record.
            for (std::size_t i = 0; i < std::max<std::size_t>(lessons.size(), 1); ++i) {
                const std::string lesson =
                    lessons.empty()
                        ? ""
                        : DecodeAccents(std::string(layout.lessons[lessons[i]].name.text));
                csv += words + CsvField(lesson) + wordClass + "\r\n";
                ++rows;
            }
        }
        outcome.content = utf8 ? Cp1252ToUtf8(csv) : csv;
    } else if (format == ExportFormat::Json) {
        outcome.content = LayoutJson(layout, membership, spanish);
        rows = layout.records.size();
    } else {
        QByteArray xml;
        QXmlStreamWriter writer(&xml);
        writer.setAutoFormatting(true);
        writer.writeStartDocument();
        writer.writeStartElement(QStringLiteral("kvtml"));
        writer.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
        writer.writeStartElement(QStringLiteral("information"));
        writer.writeTextElement(QStringLiteral("generator"), QStringLiteral("lingomat-voc"));
        writer.writeEndElement();
        writer.writeStartElement(QStringLiteral("identifiers"));
        for (std::size_t i = 0; i < languages.size(); ++i) {
            writer.writeStartElement(QStringLiteral("identifier"));
            writer.writeAttribute(QStringLiteral("id"), QString::number(i));
            writer.writeTextElement(QStringLiteral("name"), QString::fromUtf8(languages[i].header));
            writer.writeTextElement(QStringLiteral("locale"),
                                    QString::fromUtf8(languages[i].locale));
            writer.writeEndElement();
        }
        writer.writeEndElement();
        writer.writeStartElement(QStringLiteral("entries"));
        for (std::size_t r = 0; r < layout.records.size(); ++r) {
            writer.writeStartElement(QStringLiteral("entry"));
            writer.writeAttribute(QStringLiteral("id"), QString::number(r));
            for (std::size_t i = 0; i < languages.size(); ++i) {
                writer.writeStartElement(QStringLiteral("translation"));
                writer.writeAttribute(QStringLiteral("id"), QString::number(i));
                writer.writeTextElement(QStringLiteral("text"),
                                        Q(DecodeAccents(std::string(
                                            layout.records[r].Text(languages[i].column).text))));
                writer.writeEndElement();
            }
            writer.writeEndElement();
            ++rows;
        }
        writer.writeEndElement();
        writer.writeStartElement(QStringLiteral("lessons"));
        for (std::size_t l = 0; l < layout.lessons.size(); ++l) {
            writer.writeStartElement(QStringLiteral("container"));
            writer.writeTextElement(QStringLiteral("name"),
                                    Q(DecodeAccents(std::string(layout.lessons[l].name.text))));
            for (const std::uint32_t r : membership.RecordsOf(l)) {
                writer.writeEmptyElement(QStringLiteral("entry"));
                writer.writeAttribute(QStringLiteral("id"), QString::number(r));
            }
            writer.writeEndElement();
        }
        writer.writeEndElement();
        if (wordClasses) {
            writer.writeStartElement(QStringLiteral("wordtypes"));
            for (const char* stored : {"n", "v", "a"}) {
                writer.writeStartElement(QStringLiteral("container"));
                writer.writeTextElement(QStringLiteral("name"),
                                        QString::fromUtf8(WordClassName(stored)));
                for (std::size_t r = 0; r < layout.records.size(); ++r) {
                    if (layout.records[r].WordClass().text == stored) {
                        writer.writeEmptyElement(QStringLiteral("entry"));
                        writer.writeAttribute(QStringLiteral("id"), QString::number(r));
                    }
                }
                writer.writeEndElement();
            }
            writer.writeEndElement();
        }
        writer.writeEndElement();
        writer.writeEndDocument();
        outcome.content = xml.toStdString();
    }
    outcome.summary.push_back(
        std::string(spanish ? "Deutsch-Spanisch" : "Deutsch-Englisch-Französisch") +
        ", Lektionen: " + std::to_string(layout.lessons.size()) +
        ", Datensätze: " + std::to_string(layout.records.size()) +
        (format == ExportFormat::Csv ? ", Zeilen: " + std::to_string(rows) : std::string()));
    return outcome;
}

} // namespace lingomat
