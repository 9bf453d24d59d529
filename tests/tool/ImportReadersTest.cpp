#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "AnkiWordList.h"
#include "CsvWordList.h"
#include "Import.h"
#include "KvtmlXml.h"
#include "TextEncoding.h"
#include "matching/AccentEscapes.h"

namespace lingomat {
namespace {

std::vector<std::vector<std::string>> Split(const std::string& utf8, char32_t delimiter) {
    std::vector<ImportMessage> messages;
    const auto records =
        SplitCsv(DecodeInput(utf8, InputEncoding::Utf8).chars, delimiter, messages);
    std::vector<std::vector<std::string>> cells;
    for (const auto& record : records) {
        cells.emplace_back();
        for (const auto& cell : record.cells) {
            cells.back().push_back(PlainUtf8(cell));
        }
    }
    return cells;
}

TEST(ImportReaders, CsvQuoting) {
    const std::pair<std::string, std::vector<std::vector<std::string>>> cases[] = {
        {"a;b\r\nc;d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a;b", {{"a", "b"}}},
        {"\"a;b\";c\n", {{"a;b", "c"}}},
        {"\"er sagte \"\"ja\"\"\";x\n", {{"er sagte \"ja\"", "x"}}},
        {"\"zwei\r\nZeilen\";x\n", {{"zwei\r\nZeilen", "x"}}},
        {"a;;\n", {{"a", "", ""}}},
        {"\"\";x\n", {{"", "x"}}},
        {"a\"b;c\n", {{"a\"b", "c"}}}, // a quote inside an unquoted field is text
        {"a;b\rc;d", {{"a", "b"}, {"c", "d"}}},
    };
    for (const auto& [text, cells] : cases) {
        EXPECT_EQ(Split(text, ';'), cells) << text;
    }
}

TEST(ImportReaders, DelimiterDetection) {
    const std::pair<std::string, char32_t> cases[] = {
        {"Hund;dog;chien\nKatze;cat;chat\n", ';'},
        {"Hund,dog\nKatze,cat\n", ','},
        {"Hund\tdog\tle chien, le toutou\nKatze\tcat\tle chat\n", '\t'},
        {"\"gehen, ging\";to go\nsehen;to see\n", ';'},
        {"a;b,c\nd;e,f\n", ';'}, // a tie goes to the semicolon, as German spreadsheets use it
    };
    for (const auto& [text, delimiter] : cases) {
        EXPECT_EQ(DetectDelimiter(DecodeInput(text, InputEncoding::Utf8).chars), delimiter) << text;
    }
}

TEST(ImportReaders, XmlTextAndErrors) {
    // The document; the UTF-8 text of the root's first child, when it reads; part of the message,
    // or "" when it must read.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"<a><b>x &amp; y &lt;&gt; &quot;&apos;</b></a>", "x & y <> \"'", ""},
        {"<?xml version=\"1.0\"?><!-- c --><a><b>&#228;&#xE9;</b></a>", "äé", ""},
        {"<a><b><![CDATA[<&>]]></b></a>", "<&>", ""},
        {"<!DOCTYPE a [<!ENTITY x \"y\">]><a><b k='v'>&x;</b></a>", "y", ""},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a><b>M\344dchen</b></a>", "Mädchen", ""},
        {std::string("\xFF\xFE<\0a\0>\0<\0b\0>\0\xE4\0<\0/\0b\0>\0<\0/\0a\0>\0", 32), "ä", ""},
        // No file outside the list is ever read.
        {"<!DOCTYPE a [<!ENTITY x SYSTEM \"/etc/hostname\">]><a><b>&x;</b></a>", "", ""},
        {"<a><b>x</c></a>", "", "1:12: Kein gültiges XML"},
        {"<a><b>x &nbsp;</b></a>", "", "Kein gültiges XML"},
        {"<a><b>x & y</b></a>", "", "Kein gültiges XML"},
        {"<a>\n<b>", "", "2:4: Das Dokument endet"},
        {"<a><b>\xC3(</b></a>", "", "Kein gültiges XML"},
        {"", "", "Kein XML-Element"},
        {std::string(5000, '<'), "", "Kein gültiges XML"},
        {[] {
             std::string deep;
             for (int i = 0; i < 1000; ++i) {
                 deep += "<a>";
             }
             return deep;
         }(),
         "", "zu tief"},
        {[] { // entities that double ten times over
             std::string doc = "<!DOCTYPE a [<!ENTITY e0 \"lol\">";
             for (int i = 1; i <= 30; ++i) {
                 doc += "<!ENTITY e" + std::to_string(i) + " \"&e" + std::to_string(i - 1) + ";&e" +
                        std::to_string(i - 1) + ";\">";
             }
             return doc + "]><a><b>&e30;</b></a>";
         }(),
         "", "Kein gültiges XML"},
    };
    for (const auto& [xml, text, error] : cases) {
        const XmlDocument document = ParseXml(xml, std::nullopt);
        if (error.empty()) {
            ASSERT_TRUE(document.root) << xml;
            ASSERT_FALSE(document.root->children.empty());
            EXPECT_EQ(PlainUtf8(document.root->children[0]->text), text);
        } else {
            EXPECT_FALSE(document.root) << xml;
            ASSERT_EQ(document.messages.size(), 1u) << xml.substr(0, 40);
            const auto& m = document.messages[0];
            const std::string where =
                std::to_string(m.line) + ":" + std::to_string(m.column) + ": " + m.text;
            EXPECT_NE(where.find(error), std::string::npos) << where;
        }
    }
}

TEST(ImportReaders, AnkiFieldsBecomePlainText) {
    const std::tuple<std::string, std::string, std::size_t> cases[] = {
        {"<b>der</b>&nbsp;Hund<br/>", "der Hund", 0},
        {"&#228;&#xE9;&eacute; &bogus; &#0; &", "äéé &bogus; &#0; &", 0},
        {"<style>b{}</style><div>x</div><div>y</div>", "x y", 0},
        {"[sound:a.mp3]perro<img src='p.jpg'>", "perro", 2},
        {"a < b", "a < b", 0},
        {"[sound:ohne Ende", "[sound:ohne Ende", 0},
    };
    for (const auto& [html, text, count] : cases) {
        std::vector<std::string> dropped;
        EXPECT_EQ(AnkiFieldText(html, dropped), text) << html;
        EXPECT_EQ(dropped.size(), count) << html;
    }
}

TEST(ImportReaders, DefusedTextsShowAsWritten) {
    const std::string cases[] = {
        "5 $",  "\"a",   "\"A",  "x\"e", "^a^e^i^o^u", "~n~N",    "\\'e",           "\\`a",
        "\\^o", "\\\"u", "\\cc", "\\3",  "\\ss",       "Gru\\ss", "\"Oh\" \"Uhu\"",
    };
    for (const auto& text : cases) {
        ASSERT_NE(DecodeAccents(text), text) << "each case must hold an escape: " << text;
        std::vector<std::string> changes;
        const std::string defused = DefuseAccentEscapes(text, changes);
        EXPECT_EQ(DecodeAccents(defused), defused) << text;
        EXPECT_FALSE(changes.empty()) << text;
    }
    std::vector<std::string> none;
    EXPECT_EQ(DefuseAccentEscapes("l'avion \"x\" 3\\4", none), "l'avion \"x\" 3\\4");
    EXPECT_TRUE(none.empty());
}

// Names are known whatever their case, blanks, dots or locale region.
TEST(ImportReaders, ColumnAndWordClassNames) {
    const std::pair<std::string, std::optional<ImportColumn>> columns[] = {
        {"de_DE", ImportColumn::German},         {"en-GB", ImportColumn::English},
        {"FRANZÖSISCH", ImportColumn::French},   {" Lektion ", ImportColumn::Lesson},
        {"Word class", ImportColumn::WordClass}, {"deutsch2", std::nullopt},
    };
    for (const auto& [name, column] : columns) {
        EXPECT_EQ(ColumnForName(name), column) << name;
    }
    EXPECT_EQ(WordClassForName("noun/female"), "n");
    EXPECT_EQ(WordClassForName("Adj."), "a");
    EXPECT_EQ(WordClassForName("Präposition"), std::nullopt);
}

TEST(TextEncoding, BytesAndCodePoints) {
    // Bytes unassigned in Windows-1252 (0x81, 0x8D, 0x8F, 0x90, 0x9D) stay the C1 control of
    // the same number.
    const std::pair<unsigned char, char32_t> cases[] = {
        {0x41, U'A'},   {0x80, 0x20AC}, {0x8A, 0x0160}, {0x8C, 0x0152}, {0x96, 0x2013},
        {0x9C, 0x0153}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xDF, U'ß'},   {0xE4, U'ä'},
        {0xE5, U'å'},   {0xF2, U'ò'},   {0xF5, U'õ'},   {0xFF, U'ÿ'},   {0x00, 0x0000},
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}};
    for (const auto& [byte, codePoint] : cases) {
        EXPECT_EQ(Cp1252ToCodePoint(byte), codePoint) << int{byte};
        EXPECT_EQ(CodePointToCp1252(codePoint), int{byte}) << int{byte};
    }
    // Every byte there and back through UTF-8; what cannot be stored is placed by the pack tests.
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    const auto back = Utf8ToCp1252(Cp1252ToUtf8(everyByte));
    EXPECT_EQ(back.text, everyByte);
    EXPECT_TRUE(back.problems.empty());
}

} // namespace
} // namespace lingomat
