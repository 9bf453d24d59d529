#pragma once

#include <cstdint>

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace lingomat {

// What the copy-mode dialog edits; the delay in seconds.
struct CopyModeValues {
    int copyMode = -1; // 0 all letters, 1 a number shown, 2 a number left out, 3 a percentage
    std::uint32_t letterShown = 0;
    std::uint32_t letterNotShown = 0;
    std::uint32_t percentShown = 0;
    float timeBeforeCopy = 0.0f;
    bool showSZAsSS = false;
};

// "Abschreiben-Modus-Einstellungen": how much of the answer the copy template shows and how
// long it waits. Only the edit that belongs to the chosen way is open for typing. Escape or the
// close box leave the values as they were given.
class CopyModeDialog : public QDialog {
public:
    // The delay a player can set: the longest the settings keep from one run to the next.
    static constexpr int LongestDelay = 60;
    static constexpr int HighestPercent = 100;

    explicit CopyModeDialog(const CopyModeValues& values, QWidget* parent = nullptr);

    const CopyModeValues& Values() const { return values; }

    void accept() override;

private:
    void ApplyEnabling();

    CopyModeValues values;
    QButtonGroup* copyModeGroup;
    QLineEdit* letterShownEdit;
    QLineEdit* letterNotShownEdit;
    QLineEdit* percentShownEdit;
    QLineEdit* timeBeforeCopyEdit;
    QCheckBox* showSZAsSSCheck;
};

} // namespace lingomat
