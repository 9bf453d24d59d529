#include "ui/TimesColoursDialog.h"

#include <algorithm>
#include <array>

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "support/DialogButtons.h"
#include "ui/ColorSwatch.h"
#include "ui/SettingsCommands.h"
#include "support/Prompts.h"

namespace lingomat {

namespace {

constexpr float LongestTime = 10.0f;

using CustomColourSet = std::array<QColor, TimesColoursDialog::CustomColourCount>;

// One set per colour, so the player's greens for right answers don't mix with his reds.
CustomColourSet& CustomColours(TimesColoursDialog::Colour which) {
    static std::array<CustomColourSet, 2> sets = [] {
        std::array<CustomColourSet, 2> white;
        for (CustomColourSet& set : white) {
            set.fill(QColor(Qt::white));
        }
        return white;
    }();
    return sets[which == TimesColoursDialog::Colour::Right ? 0 : 1];
}

QLineEdit* TimeEdit(QWidget* parent, const char* name, float seconds) {
    auto* edit = new QLineEdit(SecondsText(seconds), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(56);
    return edit;
}

} // namespace

TimesColoursDialog::TimesColoursDialog(const TimesColoursValues& values, QWidget* parent)
    : QDialog(parent), values(values), pictureGroup(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("timesColoursDialog"));
    setWindowTitle(QStringLiteral("Zeit- und Farbeinstellungen von Lingomat"));

    auto* correction = new QGroupBox(QStringLiteral("Verbesserung von Antworten"), this);
    auto* timeGrid = new QGridLayout(correction);
    rightTimeEdit = TimeEdit(correction, "rightTimeEdit", values.rightTime);
    wrongTimeEdit = TimeEdit(correction, "wrongTimeEdit", values.wrongTime);
    glimpseTimeEdit = TimeEdit(correction, "glimpseTimeEdit", values.glimpseTime);
    const struct {
        const char16_t* text;
        QLineEdit* edit;
    } times[] = {{u"Zeit bei einer richtigen Antwort:", rightTimeEdit},
                 {u"Zeit bei einer falschen Antwort:", wrongTimeEdit},
                 {u"Zeit zum Schummeln:", glimpseTimeEdit}};
    int row = 0;
    for (const auto& time : times) {
        auto* label = new QLabel(QString::fromUtf16(time.text), correction);
        label->setBuddy(time.edit);
        timeGrid->addWidget(label, row, 0);
        timeGrid->addWidget(time.edit, row, 1);
        ++row;
    }
    noCorrectionCheck = new QCheckBox(QStringLiteral("Keine Verbesserung"), correction);
    noCorrectionCheck->setObjectName(QStringLiteral("noCorrectionCheck"));
    noCorrectionCheck->setChecked(values.noCorrection);
    timeGrid->addWidget(noCorrectionCheck, row, 0, 1, 2);
    timeGrid->setRowStretch(row + 1, 1);
    timeGrid->setColumnStretch(0, 1);

    auto* colours = new QGroupBox(QStringLiteral("Hintergrundfarben"), this);
    auto* colourGrid = new QGridLayout(colours);
    colourGrid->setVerticalSpacing(4);
    rightColourSwatch = new ColorSwatch(colours);
    rightColourSwatch->setObjectName(QStringLiteral("rightColourSwatch"));
    rightColourSwatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    wrongColourSwatch = new ColorSwatch(colours);
    wrongColourSwatch->setObjectName(QStringLiteral("wrongColourSwatch"));
    auto* changeRightColourButton = new QPushButton(QStringLiteral("\u00c4ndern"), colours);
    changeRightColourButton->setObjectName(QStringLiteral("changeRightColourButton"));
    auto* standardRightColourButton = new QPushButton(QStringLiteral("Standard"), colours);
    standardRightColourButton->setObjectName(QStringLiteral("standardRightColourButton"));
    changeWrongColourButton = new QPushButton(QStringLiteral("\u00c4ndern"), colours);
    changeWrongColourButton->setObjectName(QStringLiteral("changeWrongColourButton"));
    standardWrongColourButton = new QPushButton(QStringLiteral("Standard"), colours);
    standardWrongColourButton->setObjectName(QStringLiteral("standardWrongColourButton"));
    const struct {
        const char16_t* text;
        ColorSwatch* swatch;
        QPushButton* change;
        QPushButton* standard;
    } colourRows[] = {
        {u"Bei einer richtigen Antwort", rightColourSwatch, changeRightColourButton,
         standardRightColourButton},
        {u"Bei einer falschen Antwort", wrongColourSwatch, changeWrongColourButton,
         standardWrongColourButton},
    };
    row = 0;
    for (const auto& colourRow : colourRows) {
        colourGrid->addWidget(new QLabel(QString::fromUtf16(colourRow.text), colours), row, 0, 1,
                              3);
        colourRow.swatch->setFixedSize(64, 24);
        colourGrid->addWidget(colourRow.swatch, row + 1, 0);
        colourGrid->addWidget(colourRow.change, row + 1, 1);
        colourGrid->addWidget(colourRow.standard, row + 1, 2);
        row += 2;
    }
    noColourChangeCheck = new QCheckBox(QStringLiteral("Kein Farbwechsel"), colours);
    noColourChangeCheck->setObjectName(QStringLiteral("noColourChangeCheck"));
    noColourChangeCheck->setChecked(values.noColourChange);
    colourGrid->addWidget(noColourChangeCheck, row, 0, 1, 3);
    rightColourSwatch->SetColour(values.colourRight);
    wrongColourSwatch->SetColour(values.colourWrong);

    auto* picture = new QGroupBox(QStringLiteral("Bild"), this);
    auto* pictureLayout = new QHBoxLayout(picture);
    const struct {
        const char16_t* text;
        const char* name;
    } pictures[] = {{u"Smileys", "smileysRadio"}, {u"Hasen", "rabbitsRadio"}};
    int id = 0;
    for (const auto& choice : pictures) {
        auto* radio = new QRadioButton(QString::fromUtf16(choice.text), picture);
        radio->setObjectName(QString::fromLatin1(choice.name));
        radio->setChecked(id == values.pictureChoice);
        pictureGroup->addButton(radio, id++);
        pictureLayout->addWidget(radio);
    }
    pictureLayout->addStretch(1);

    QPushButton* ok = OkButton(*this, 90);

    auto* top = new QHBoxLayout;
    top->addWidget(correction);
    top->addWidget(colours);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(picture, 1);
    bottom->addSpacing(24);
    bottom->addWidget(ok, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    // The template was 292 dialog units wide.
    setMinimumWidth(std::max(520, sizeHint().width()));

    connect(noCorrectionCheck, &QCheckBox::clicked, this, [this] { ApplyEnabling(); });
    connect(noColourChangeCheck, &QCheckBox::clicked, this, [this] { ApplyEnabling(); });
    connect(changeRightColourButton, &QPushButton::clicked, this,
            [this] { ChangeColour(Colour::Right); });
    connect(changeWrongColourButton, &QPushButton::clicked, this,
            [this] { ChangeColour(Colour::Wrong); });
    connect(standardRightColourButton, &QPushButton::clicked, this,
            [this] { SetColour(Colour::Right, StandardRight); });
    connect(standardWrongColourButton, &QPushButton::clicked, this,
            [this] { SetColour(Colour::Wrong, StandardWrong); });
    ApplyEnabling();
}

QColor TimesColoursDialog::CustomColour(Colour which, int index) {
    return CustomColours(which).at(static_cast<std::size_t>(index));
}

void TimesColoursDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A time stored beyond what the dialog accepts is pointed out at once, not only at OK.
    if (!checkedOnOpening) {
        checkedOnOpening = true;
        QTimer::singleShot(0, this, [this] { CheckTimes(); });
    }
}

bool TimesColoursDialog::CheckTimes() {
    // One refusal at a time: the check on opening may come due while OK's message is open.
    if (checking) {
        return false;
    }
    checking = true;
    const bool sound = TimesAreSound();
    checking = false;
    return sound;
}

bool TimesColoursDialog::TimesAreSound() {
    for (QLineEdit* edit : {rightTimeEdit, wrongTimeEdit, glimpseTimeEdit}) {
        const std::optional<float> seconds = ParseSeconds(edit->text());
        if (!seconds) {
            RefuseNumberEntry(edit);
            return false;
        }
        if (*seconds < 0.0f || *seconds > LongestTime) {
            RefuseRangeEntry(edit, 0, static_cast<int>(LongestTime));
            return false;
        }
    }
    return true;
}

void TimesColoursDialog::ApplyEnabling() {
    const bool colourChange = !noColourChangeCheck->isChecked();
    changeWrongColourButton->setEnabled(colourChange);
    standardWrongColourButton->setEnabled(colourChange);
    // The glimpse is no verdict pause: it stays editable.
    const bool correction = !noCorrectionCheck->isChecked();
    rightTimeEdit->setEnabled(correction);
    wrongTimeEdit->setEnabled(correction);
}

void TimesColoursDialog::ChangeColour(Colour which) {
    const std::uint32_t current = which == Colour::Right ? values.colourRight : values.colourWrong;
    CustomColourSet& custom = CustomColours(which);
    // Qt keeps a single set of custom colours; each colour brings its own set along.
    for (int i = 0; i < CustomColourCount; ++i) {
        QColorDialog::setCustomColor(i, custom[static_cast<std::size_t>(i)]);
    }
    QColorDialog chooser(ColourFromRgb(current), this);
    chooser.setObjectName(QStringLiteral("colourChooser"));
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    const bool chosen = RunDialog(chooser) == QDialog::Accepted;
    for (int i = 0; i < CustomColourCount; ++i) {
        custom[static_cast<std::size_t>(i)] = QColorDialog::customColor(i);
    }
    SetColour(which, chosen ? RgbFromColour(chooser.selectedColor()) : current);
}

void TimesColoursDialog::SetColour(Colour which, std::uint32_t rgb) {
    if (which == Colour::Right) {
        values.colourRight = rgb;
        rightColourSwatch->SetColour(rgb);
    } else {
        values.colourWrong = rgb;
        wrongColourSwatch->SetColour(rgb);
    }
}

void TimesColoursDialog::accept() {
    if (!CheckTimes()) {
        return;
    }
    values.noCorrection = noCorrectionCheck->isChecked();
    values.noColourChange = noColourChangeCheck->isChecked();
    values.rightTime = *ParseSeconds(rightTimeEdit->text());
    values.wrongTime = *ParseSeconds(wrongTimeEdit->text());
    values.glimpseTime = *ParseSeconds(glimpseTimeEdit->text());
    values.pictureChoice = pictureGroup->checkedId();
    if (values.noColourChange) {
        SetColour(Colour::Wrong, values.colourRight);
    }
    QDialog::accept();
}

} // namespace lingomat
