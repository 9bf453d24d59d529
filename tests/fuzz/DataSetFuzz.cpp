// Data set files come from anywhere the player copies them from: loading one must never crash,
// hang or grow without bound, and what it loads must survive being written out and read again.

#include "FuzzSupport.h"
#include "data/DataSetLoader.h"
#include "data/VocDatabase.h"
#include "data/VocFileWriter.h"

namespace lingomat::fuzz {

constexpr std::uint8_t PlainTextBit = 1;
constexpr std::uint8_t StraddleBlockBit = 2;

// The progress bar must only ever be moved within the range it was given.
struct CheckedProgress : LoadProgress {
    void Begin(int lowest, int highest) override {
        FUZZ_CHECK(!begun && lowest <= highest);
        begun = true;
        low = lowest;
        high = highest;
    }
    void Set(int value) override { FUZZ_CHECK(begun && !ended && value >= low && value <= high); }
    void End() override {
        FUZZ_CHECK(begun && !ended);
        ended = true;
    }
    bool begun = false;
    bool ended = false;
    int low = 0;
    int high = 0;
};

struct Loaded {
    std::vector<std::string> preamble;
    std::vector<std::pair<std::string, std::string>> lessons; // name and code
    std::vector<std::vector<std::string>> records;
    bool operator==(const Loaded& other) const = default;
};

// The stored line of a word class: none, noun, verb, adjective.
std::string WordClassLine(std::uint32_t wordClass) {
    static const char* const lines[] = {"", "n", "v", "a"};
    return wordClass < 4 ? lines[wordClass] : "";
}

Loaded Load(const std::string& file, std::size_t fileSize) {
    VocDatabase database;
    CheckedProgress progress;
    LoadDataSet(database, file, &progress);
    FUZZ_CHECK(progress.begun && progress.ended);

    Loaded loaded;
    loaded.preamble = database.lessonTable.preambleLines;
    // Every line costs at least one byte of the file, save the one the end of the data cuts off.
    FUZZ_CHECK(database.vocabulary.size() <= fileSize + 1);
    FUZZ_CHECK(database.lessonTable.lessons.size() <= fileSize + 1);
    const auto checkText = [fileSize](const std::string& text) {
        FUZZ_CHECK(text.size() <= fileSize);
        // These three stand for the line end, the end of the data and the end of the file.
        FUZZ_CHECK(text.find_first_of(std::string("\n\xFF\xE5", 3)) == std::string::npos);
    };
    for (const auto& line : loaded.preamble) {
        FUZZ_CHECK(!line.empty());
        checkText(line);
    }
    for (const auto& lesson : database.lessonTable.lessons) {
        checkText(lesson.name);
        checkText(lesson.code);
        FUZZ_CHECK(!lesson.selected);
        FUZZ_CHECK(lesson.name.empty() || lesson.name.back() != ' ');
        FUZZ_CHECK(lesson.code.empty() || lesson.code.back() != ' ');
        loaded.lessons.emplace_back(lesson.name, lesson.code);
    }
    for (const auto& entry : database.vocabulary) {
        FUZZ_CHECK(entry.ColumnCount() == 3);
        std::vector<std::string> fields{entry.Lesson(), WordClassLine(entry.wordClass)};
        for (Language column = 0; column < 3; ++column) {
            checkText(entry.Text(column));
            fields.push_back(entry.Text(column));
        }
        checkText(entry.Lesson());
        loaded.records.push_back(std::move(fields));
    }
    return loaded;
}

// Writes what was loaded in the newest format; loading that must give the same data back.
std::size_t WriteBack(const Loaded& loaded, const std::string& file) {
    VocFileWriter writer;
    FUZZ_CHECK(writer.Open(file));
    writer.WriteLine("### Lingomatdata");
    writer.WriteLine("1");
    for (const auto& line : loaded.preamble) {
        writer.WriteLine(line);
    }
    writer.WriteLine("#");
    for (const auto& [name, code] : loaded.lessons) {
        // A name of blanks only loads as an empty name; an empty line would drop the lesson.
        writer.WriteLine(name.empty() ? " " : name);
        writer.WriteLine(code);
    }
    writer.WriteLine("#");
    for (const auto& record : loaded.records) {
        // Lesson, word class, then the texts from the last column to the first.
        for (const std::size_t field : {0, 1, 4, 3, 2}) {
            writer.WriteLine(record[field]);
        }
    }
    writer.WriteLine("#");
    FUZZ_CHECK(writer.Close());
    FUZZ_CHECK(writer.ReplacedCount() == 0);
    return static_cast<std::size_t>(std::filesystem::file_size(file));
}

LINGOMAT_FUZZ_TARGET(input) {
    const std::uint8_t mode = input.Byte();
    std::string content;
    if ((mode & StraddleBlockBit) != 0) {
        // A long preamble line moves the rest of the file onto the boundary between two blocks
        // of the reader, where lines, CR LF pairs and section marks are split.
        const std::size_t offset = input.Byte() % 128;
        content = Scrambled("### Lingomatdata\n" + std::string(1, '0' + (mode >> 7)) + "\n" +
                            std::string(65536 - 96 + offset, 'x') + "\n");
    }
    content += input.Rest((mode & PlainTextBit) != 0);

    const Loaded first = Load(ScratchFolder::Write("fuzz.voc", content), content.size());
    const std::string copy = ScratchFolder::File("copy.voc");
    FUZZ_CHECK(Load(copy, WriteBack(first, copy)) == first);
}

} // namespace lingomat::fuzz
