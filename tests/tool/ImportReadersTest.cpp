#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AnkiWordList.h"
#include "CsvWordList.h"
#include "Import.h"
#include "KvtmlXml.h"
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
    struct Case {
        std::string text;
        std::vector<std::vector<std::string>> cells;
    };
    const Case cases[] = {
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
    for (const auto& c : cases) {
        EXPECT_EQ(Split(c.text, ';'), c.cells) << c.text;
    }
}

TEST(ImportReaders, DelimiterDetection) {
    struct Case {
        std::string text;
        char32_t delimiter;
    };
    const Case cases[] = {
        {"Hund;dog;chien\nKatze;cat;chat\n", ';'},
        {"Hund,dog\nKatze,cat\n", ','},
        {"Hund\tdog\tle chien, le toutou\nKatze\tcat\tle chat\n", '\t'},
        {"\"gehen, ging\";to go\nsehen;to see\n", ';'},
        {"a;b,c\nd;e,f\n", ';'}, // a tie goes to the semicolon, as German spreadsheets use it
    };
    for (const auto& c : cases) {
        const auto found = DetectDelimiter(DecodeInput(c.text, InputEncoding::Utf8).chars);
        ASSERT_TRUE(found.has_value()) << c.text;
        EXPECT_EQ(*found, c.delimiter) << c.text;
    }
}

TEST(ImportReaders, XmlTextAndErrors) {
    struct Case {
        std::string xml;
        std::string text;  // UTF-8 text of the root's first child, when it reads
        std::string error; // part of the message, or "" when it must read
    };
    const Case cases[] = {
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
    for (const auto& c : cases) {
        const XmlDocument document = ParseXml(c.xml, std::nullopt);
        if (c.error.empty()) {
            ASSERT_TRUE(document.root) << c.xml;
            ASSERT_FALSE(document.root->children.empty());
            EXPECT_EQ(PlainUtf8(document.root->children[0]->text), c.text);
        } else {
            EXPECT_FALSE(document.root) << c.xml;
            ASSERT_EQ(document.messages.size(), 1u) << c.xml.substr(0, 40);
            const auto& m = document.messages[0];
            const std::string where =
                std::to_string(m.line) + ":" + std::to_string(m.column) + ": " + m.text;
            EXPECT_NE(where.find(c.error), std::string::npos) << where;
        }
    }
}

TEST(ImportReaders, AnkiFieldsBecomePlainText) {
    struct Case {
        std::string html;
        std::string text;
        std::size_t dropped;
    };
    const Case cases[] = {
        {"<b>der</b>&nbsp;Hund<br/>", "der Hund", 0},
        {"&#228;&#xE9;&eacute; &bogus; &#0; &", "äéé &bogus; &#0; &", 0},
        {"<style>b{}</style><div>x</div><div>y</div>", "x y", 0},
        {"[sound:a.mp3]perro<img src='p.jpg'>", "perro", 2},
        {"a < b", "a < b", 0},
        {"[sound:ohne Ende", "[sound:ohne Ende", 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> dropped;
        EXPECT_EQ(AnkiFieldText(c.html, dropped), c.text) << c.html;
        EXPECT_EQ(dropped.size(), c.dropped) << c.html;
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

} // namespace
} // namespace lingomat
