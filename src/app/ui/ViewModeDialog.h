#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace lingomat {

// What the view-mode dialog edits; times in seconds.
struct ViewModeValues {
    bool letterByLetter = false;
    float timeLetter = 0.0f;
    float timeAfterWord = 0.0f;
    float timeBeforeViewer = 0.0f;
    bool fullScreen = false;
};

// "Anschau-Modus-Einstellungen": the pace of the self-running game. The time per letter is
// open only while the answer is revealed letter by letter. Escape or the close box leave the
// values as they were given.
class ViewModeDialog : public QDialog {
public:
    // The longest time a player can set: the longest the settings keep from one run to the next.
    static constexpr int LongestTime = 60;

    explicit ViewModeDialog(const ViewModeValues& values, QWidget* parent = nullptr);

    const ViewModeValues& Values() const { return values; }

    void accept() override;

private:
    void ApplyEnabling();

    ViewModeValues values;
    QCheckBox* letterByLetterCheck;
    QLineEdit* timeLetterEdit;
    QLineEdit* timeAfterWordEdit;
    QLineEdit* timeBeforeViewerEdit;
    QCheckBox* fullScreenCheck;
};

} // namespace lingomat
