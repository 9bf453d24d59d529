#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "data/GameTypes.h"
#include "data/VocEntry.h"

namespace lingomat {

// A calendar day, counted from 1970-01-01. Cards fall due on days, not at moments: a word
// answered late in the evening is due again on the next day's morning.
using Day = std::int64_t;

// The local calendar day of a moment given in seconds since the epoch.
Day LocalDay(std::int64_t seconds);
// "dd.mm.yyyy".
std::string DayText(Day day);
// The day of a calendar date; false when there is no such date.
bool DayFromDate(std::int64_t year, std::int64_t month, std::int64_t day, Day& result);

// Where one record stands in one direction: box 1 to 5 and the day it is due.
struct Card {
    std::uint32_t box = 1;
    Day due = 0;
};

// The card box of one player and one data set: for every record and direction that was ever
// asked in a testing game, its box and due day. A card answered right moves one box up and is
// due after the days of its new box (1, 2, 4, 8, 16); a wrong answer puts it back into box 1,
// due at once. A record is known by its texts, so reordering or editing other records keeps its
// card, and a record whose texts change starts afresh.
//
// Stored beside the player file as "<player>.<data set stem>.lmk", a plain text file:
//   LingomatKartei 1
//   Spieler<TAB><player>
//   Datensatz<TAB><data set file name>
//   <box><TAB><yyyy-mm-dd><TAB><question language><TAB><answer language><TAB><text>... one per card
//   #
// Texts are Windows-1252 as in the data set, with backslash, tab, line feed and carriage return
// written as \\, \t, \n and \r.
class CardBox {
public:
    static constexpr std::uint32_t BoxCount = 5;
    // Days until a card of the box is due again: the interval doubles with every box.
    static Day Interval(std::uint32_t box);

    enum class LoadResult {
        Missing, // no file yet: an empty box
        Loaded,  // read whole
        Damaged, // ours, but not whole: the sound cards are kept, the file was set aside
        Foreign, // another program's, player's or data set's file: set aside, nothing read
    };
    struct LoadReport {
        LoadResult result = LoadResult::Missing;
        // Where a damaged or foreign file now lies; empty when it could not be moved, and then
        // the box is not saved over it.
        std::filesystem::path setAsideAs;
    };

    void SetOwner(const std::string& playerName, const std::string& dataSetName);
    void SetDirectory(const std::filesystem::path& folder) { directory = folder; }
    // Empty when the player or data set cannot name a file in the player folder.
    std::filesystem::path FilePath() const;

    // Replaces the cards by what the owner's file holds.
    LoadReport Load();
    // True when the file now holds the cards (or there is nothing to keep).
    bool Save() const;

    // A verdict on the record in one direction. A right answer moves the card up only when it is
    // new or due: practising a lesson twice on one day must not push its words up twice.
    void Answer(const VocEntry& entry, Language question, Language answer, bool right, Day today);

    const Card* Find(const VocEntry& entry, Language question, Language answer) const;
    // Pulls every due day that lies further ahead than its box's interval back to that interval
    // from today, so that a system clock set back (or once set forward) cannot hide a card for
    // longer than its box promises.
    void Normalise(Day today);
    // The day the card is due, never further than its box's interval from today.
    static Day DueDay(const Card& card, Day today);
    bool IsDue(const VocEntry& entry, Language question, Language answer, Day today) const;

    std::size_t Size() const { return cards.size(); }
    void Clear() { cards.clear(); }

    // The identity of a record in one direction; equal for records with equal texts.
    static std::string Key(const VocEntry& entry, Language question, Language answer);

private:
    std::unordered_map<std::string, Card> cards;
    std::string player;
    std::string dataSet;
    std::filesystem::path directory;
    bool blocked = false; // a file that could not be set aside is never overwritten
};

} // namespace lingomat
