#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace lingomat {

// A column of the data set. Column 1 holds Spanish in the Spanish data sets.
using Language = std::uint32_t;
inline constexpr Language LanguageGerman = 0;
inline constexpr Language LanguageEnglish = 1;
inline constexpr Language LanguageFrench = 2;

// Numbered as the buttons of the game type dialog; the numbers are stored in player files.
using GameMode = std::uint32_t;
inline constexpr GameMode GameModeWrite = 0;
inline constexpr GameMode GameModeChoiceOtherLessons = 1;
inline constexpr GameMode GameModeChoiceAlteredLetters = 2;
inline constexpr GameMode GameModeCopy = 3;
inline constexpr GameMode GameModeView = 4;

// What a game type does. Everything that depends on the type asks these traits, never the
// number, so a new type is a new row.
struct GameModeTraits {
    GameMode mode;
    const char* name;    // German, Windows-1252: the game type dialog and the report show it
    const char* key;     // names the type's controls
    bool choice;         // the player picks one of several answers
    bool alteredLetters; // the wrong choices are the answer with letters changed
    bool typesAnswer;    // the player types the answer
    bool showsTemplate;  // the answer is shown as a template to copy
    bool revealsItself;  // the game runs by itself, revealing answer after answer
    bool movesCards;     // its verdicts reach the card box: it tests, it does not teach

    // Types whose way of asking has settings of its own offer them in the dialog.
    constexpr bool HasSettings() const { return choice || showsTemplate || revealsItself; }
};

// In the order of the game type dialog.
inline constexpr GameModeTraits GameModeTable[] = {
    {GameModeWrite, "Schreiben", "write", false, false, true, false, false, true},
    {GameModeChoiceOtherLessons, "Multiple-Choice mit Fragen aus anderen Lektionen",
     "choiceOtherLessons", true, false, false, false, false, true},
    {GameModeChoiceAlteredLetters, "Multiple-Choice mit ver\xE4nderten Buchstaben",
     "choiceAlteredLetters", true, true, false, false, false, true},
    {GameModeCopy, "Abschreiben", "copy", false, false, true, true, false, false},
    {GameModeView, "Anschauen", "view", false, false, false, false, true, false},
};

// The stored numbers and the dialog's buttons count on the rows standing in mode order.
constexpr bool GameModeRowsInOrder() {
    for (std::size_t i = 0; i < std::size(GameModeTable); ++i) {
        if (GameModeTable[i].mode != i) {
            return false;
        }
    }
    return true;
}
static_assert(GameModeRowsInOrder());

// A number no row has (a damaged or newer file) does nothing special.
inline constexpr GameModeTraits UnknownGameMode{
    static_cast<GameMode>(-1), "", "", false, false, false, false, false, false};

constexpr const GameModeTraits& TraitsOf(GameMode mode) {
    for (const GameModeTraits& traits : GameModeTable) {
        if (traits.mode == mode) {
            return traits;
        }
    }
    return UnknownGameMode;
}

struct CorrectionOptions {
    bool ignoreAccents = false;
    bool ignoreCase = false;
    bool repeatAtOnce = false;
    bool ignoreSpacing = false;
    bool ignoreArticles = false;
    bool oneRightSuffices = false;

    friend bool operator==(const CorrectionOptions&, const CorrectionOptions&) = default;
};

// One switch of the correction options. The dialog, the stored settings and the answer index
// all go through this table.
struct CorrectionOptionTraits {
    bool CorrectionOptions::*field;
    const char* key;        // names the switch's controls
    const char* caption;    // German, Windows-1252: the text beside its check box
    std::size_t storedSlot; // its place in the stored "CorrectionOptions" string
    bool changesReading;    // it changes how a text reads, not only how a game goes on
};

// Top to bottom as the dialog shows them. The stored slots are the settings' own order, which
// stored settings rely on; a new switch takes the next free slot.
inline constexpr CorrectionOptionTraits CorrectionOptionTable[] = {
    {&CorrectionOptions::ignoreSpacing, "ignoreSpacing",
     "Ignorieren von Fehlern durch falsches Zusammen- oder Auseinanderschreiben oder das "
     "falsche Benutzen von Bindestrichen.",
     3, true},
    {&CorrectionOptions::ignoreCase, "ignoreCase",
     "Ignorieren von Fehlern durch die nichtbeachtete Gro\xDF"
     "schreibung",
     4, true},
    {&CorrectionOptions::ignoreAccents, "ignoreAccents",
     "Ignorieren von Akzent- und Umlautfehlern.", 0, true},
    {&CorrectionOptions::ignoreArticles, "ignoreArticles",
     "Vernachl\xE4ssigen von Artikeln (der, die, das, ein, eine, sich, el, le, la, las, les, los, "
     "l', un, une, des, se, s', the, to)",
     1, true},
    {&CorrectionOptions::repeatAtOnce, "repeatAtOnce",
     "Sofortiges Wiederholen einer falsch beantworteten Frage.", 2, false},
    {&CorrectionOptions::oneRightSuffices, "oneRightSuffices",
     "Nach einem Fehler braucht die Frage nur einmal richtig beantwortet zu werden. (Standard "
     "zwei Mal)",
     5, false},
};

// Each switch has one row, and each row a slot of its own within the stored string.
constexpr bool CorrectionOptionRowsSound() {
    constexpr std::size_t count = std::size(CorrectionOptionTable);
    for (std::size_t i = 0; i < count; ++i) {
        if (CorrectionOptionTable[i].storedSlot >= count) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (CorrectionOptionTable[i].field == CorrectionOptionTable[j].field ||
                CorrectionOptionTable[i].storedSlot == CorrectionOptionTable[j].storedSlot) {
                return false;
            }
        }
    }
    return true;
}
static_assert(CorrectionOptionRowsSound());
static_assert(sizeof(CorrectionOptions) == std::size(CorrectionOptionTable) * sizeof(bool),
              "every switch of the correction options needs its row");

} // namespace lingomat
