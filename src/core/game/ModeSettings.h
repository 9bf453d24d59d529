#pragma once

#include <cstdint>
#include <string>

namespace lingomat {

class ProfileStore;

// The self-running "Anschauen" game. Times in milliseconds.
struct ViewModeSettings {
    bool letterByLetter = true;
    std::uint32_t timeLetter = 100;
    std::uint32_t timeAfterWord = 500;
    std::uint32_t timeBeforeViewer = 1000;
    bool wordShown = false; // run-time only: the current answer is being revealed
    bool fullScreen = false;

    void Read(const ProfileStore& profile, const std::string& section);
    void Write(ProfileStore& profile, const std::string& section) const;
};

// The "Abschreiben" game: how much of the answer the template shows, and when.
struct CopyModeSettings {
    std::uint32_t letterNotShown = 0;
    std::uint32_t letterShown = 0;
    std::uint32_t copyMode = 0; // 0 all, 1 a number shown, 2 a number left out, 3 a percentage
    std::uint32_t percentShown = 50;
    std::uint32_t timeBeforeCopy = 1000;
    bool templateVisible = false; // run-time only
    bool showSZAsSS = false;

    void Read(const ProfileStore& profile, const std::string& section);
    void Write(ProfileStore& profile, const std::string& section) const;
};

// "Zeiten und Farben": the pauses after a verdict and a glimpse (milliseconds), whether the
// verdict pauses at all, and how it looks.
struct FeedbackSettings {
    std::uint32_t wrongTime = 2000;
    std::uint32_t rightTime = 400;
    std::uint32_t glimpseTime = 500;
    bool useRabbits = true;
    bool correcting = true;
    std::uint32_t colorWrong = 12500735;
    std::uint32_t colorRight = 12517310;
};

// A settings value read back within its sound range, whatever the store holds.
std::uint32_t ClampedSetting(std::int64_t value, std::int64_t low, std::int64_t high);

} // namespace lingomat
