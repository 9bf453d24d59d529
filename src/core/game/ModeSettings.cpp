#include "game/ModeSettings.h"

#include <algorithm>

#include "platform/ProfileStore.h"

namespace lingomat {

namespace {

// Longest pause or delay a setting may ask for; the dialogs offer at most ten seconds, so a
// stored minute is already far beyond anything a player chose.
constexpr std::int64_t MaxTime = 60000;
constexpr std::int64_t MaxLetters = 1000;
constexpr std::int64_t MaxPercent = 100;
constexpr std::int64_t LastCopyMode = 3;

std::uint32_t ReadTime(const ProfileStore& profile, const std::string& section, const char* name,
                       std::uint32_t fallback) {
    return ClampedSetting(profile.GetInt(section, name, fallback), 0, MaxTime);
}

bool ReadFlag(const ProfileStore& profile, const std::string& section, const char* name,
              bool fallback) {
    return profile.GetInt(section, name, fallback ? 1 : 0) != 0;
}

} // namespace

std::uint32_t ClampedSetting(std::int64_t value, std::int64_t low, std::int64_t high) {
    return static_cast<std::uint32_t>(std::clamp(value, low, high));
}

void ViewModeSettings::Read(const ProfileStore& profile, const std::string& section) {
    const ViewModeSettings defaults;
    letterByLetter = ReadFlag(profile, section, "LetterByLetter", defaults.letterByLetter);
    timeAfterWord = ReadTime(profile, section, "TimeAfterWord", defaults.timeAfterWord);
    timeLetter = ReadTime(profile, section, "TimeLetter", defaults.timeLetter);
    timeBeforeViewer = ReadTime(profile, section, "TimeBeforeViewer", defaults.timeBeforeViewer);
    fullScreen = ReadFlag(profile, section, "FullScreen", defaults.fullScreen);
}

void ViewModeSettings::Write(ProfileStore& profile, const std::string& section) const {
    profile.WriteInt(section, "LetterByLetter", letterByLetter ? 1 : 0);
    profile.WriteInt(section, "TimeAfterWord", timeAfterWord);
    profile.WriteInt(section, "TimeLetter", timeLetter);
    profile.WriteInt(section, "TimeBeforeViewer", timeBeforeViewer);
    profile.WriteInt(section, "FullScreen", fullScreen ? 1 : 0);
}

void CopyModeSettings::Read(const ProfileStore& profile, const std::string& section) {
    const CopyModeSettings defaults;
    letterNotShown = ClampedSetting(
        profile.GetInt(section, "LetterNotShown", defaults.letterNotShown), 0, MaxLetters);
    letterShown =
        ClampedSetting(profile.GetInt(section, "LetterShown", defaults.letterShown), 0, MaxLetters);
    copyMode =
        ClampedSetting(profile.GetInt(section, "CopyMode", defaults.copyMode), 0, LastCopyMode);
    percentShown = ClampedSetting(profile.GetInt(section, "PercentShown", defaults.percentShown), 0,
                                  MaxPercent);
    timeBeforeCopy = ReadTime(profile, section, "TimeBeforeCopy", defaults.timeBeforeCopy);
    showSZAsSS = ReadFlag(profile, section, "ShowSZAsSS", defaults.showSZAsSS);
}

void CopyModeSettings::Write(ProfileStore& profile, const std::string& section) const {
    profile.WriteInt(section, "LetterNotShown", letterNotShown);
    profile.WriteInt(section, "LetterShown", letterShown);
    profile.WriteInt(section, "CopyMode", copyMode);
    profile.WriteInt(section, "PercentShown", percentShown);
    profile.WriteInt(section, "TimeBeforeCopy", timeBeforeCopy);
    profile.WriteInt(section, "ShowSZAsSS", showSZAsSS ? 1 : 0);
}

} // namespace lingomat
