#pragma once

#include <cstdint>

#include <QDialog>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace lingomat {

class ColorSwatch;

// What the times and colours dialog edits; times in seconds.
struct TimesColoursValues {
    bool noCorrection = false;
    bool noColourChange = false;
    float rightTime = 0.0f;
    float wrongTime = 0.0f;
    float glimpseTime = 0.0f;
    int pictureChoice = -1; // 0 smileys, 1 rabbits, -1 none chosen
    std::uint32_t colourRight = 0;
    std::uint32_t colourWrong = 0;
};

// "Zeit- und Farbeinstellungen von Lingomat": the verdict pauses and the glimpse time (0 to 10
// seconds each), the two background colours and the verdict pictures. The colours take effect
// as soon as "Ändern" or "Standard" set them; everything else only with OK.
class TimesColoursDialog : public QDialog {
public:
    static constexpr std::uint32_t StandardRight = 0xBEFFBE; // red 190, green 255, blue 190
    static constexpr std::uint32_t StandardWrong = 0xBEBEFF; // red 255, green 190, blue 190
    static constexpr int CustomColourCount = 16;
    enum class Colour { Right, Wrong };

    explicit TimesColoursDialog(const TimesColoursValues& values, QWidget* parent = nullptr);

    const TimesColoursValues& Values() const { return values; }

    // The chooser's custom colours of one of the two colours, kept for the whole run.
    static QColor CustomColour(Colour which, int index);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Checks the three times; on a refusal the message is shown and the edit selected.
    bool CheckTimes();
    bool TimesAreSound();
    void ApplyEnabling();
    void ChangeColour(Colour which);
    void SetColour(Colour which, std::uint32_t rgb);

    TimesColoursValues values;
    bool checkedOnOpening = false;
    bool checking = false;
    QLineEdit* rightTimeEdit;
    QLineEdit* wrongTimeEdit;
    QLineEdit* glimpseTimeEdit;
    QCheckBox* noCorrectionCheck;
    ColorSwatch* rightColourSwatch;
    ColorSwatch* wrongColourSwatch;
    QPushButton* changeWrongColourButton;
    QPushButton* standardWrongColourButton;
    QCheckBox* noColourChangeCheck;
    QButtonGroup* pictureGroup;
};

} // namespace lingomat
