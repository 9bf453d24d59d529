#include "ui/CopyModeDialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "support/DialogButtons.h"
#include "ui/SettingsCommands.h"

namespace lingomat {

namespace {

QLineEdit* NumberEdit(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(56);
    return edit;
}

} // namespace

CopyModeDialog::CopyModeDialog(const CopyModeValues& values, QWidget* parent)
    : QDialog(parent), values(values), copyModeGroup(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("copyModeDialog"));
    setWindowTitle(QStringLiteral("Abschreiben-Modus-Einstellungen"));

    letterShownEdit = NumberEdit(this, "letterShownEdit", QString::number(values.letterShown));
    letterNotShownEdit =
        NumberEdit(this, "letterNotShownEdit", QString::number(values.letterNotShown));
    percentShownEdit = NumberEdit(this, "percentShownEdit", QString::number(values.percentShown));
    timeBeforeCopyEdit = NumberEdit(this, "timeBeforeCopyEdit", SecondsText(values.timeBeforeCopy));

    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    const struct {
        const char16_t* text;
        const char* name;
        QLineEdit* edit;
    } modes[] = {
        {u"Alle Buchstaben der Antwort einblenden", "allLettersRadio", nullptr},
        {u"Anzahl der eingeblendeten Buchstaben:", "lettersShownRadio", letterShownEdit},
        {u"Anzahl der wegzulassenden Buchstaben:", "lettersNotShownRadio", letterNotShownEdit},
        {u"Prozentuellen Anteil der Antwort einblenden:", "percentShownRadio", percentShownEdit},
    };
    int row = 0;
    for (const auto& mode : modes) {
        auto* radio = new QRadioButton(QString::fromUtf16(mode.text), this);
        radio->setObjectName(QString::fromLatin1(mode.name));
        radio->setChecked(row == values.copyMode);
        copyModeGroup->addButton(radio, row);
        grid->addWidget(radio, row, 0);
        if (mode.edit != nullptr) {
            grid->addWidget(mode.edit, row, 1);
        }
        ++row;
    }
    auto* delayLabel =
        new QLabel(QStringLiteral("Zeit vor dem Einblenden der Antwort: (Sekunden)"), this);
    delayLabel->setBuddy(timeBeforeCopyEdit);
    grid->setRowMinimumHeight(row++, 8);
    grid->addWidget(delayLabel, row, 0);
    grid->addWidget(timeBeforeCopyEdit, row, 1);

    showSZAsSSCheck = new QCheckBox(QStringLiteral("\u00df als ss anzeigen."), this);
    showSZAsSSCheck->setObjectName(QStringLiteral("showSZAsSSCheck"));
    showSZAsSSCheck->setChecked(values.showSZAsSS);

    QHBoxLayout* buttons = StandardButtonRow(*this, false, 90);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(showSZAsSSCheck);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    // The template was 209 dialog units wide.
    setMinimumWidth(std::max(370, sizeHint().width()));

    connect(copyModeGroup, &QButtonGroup::idClicked, this, [this] { ApplyEnabling(); });
    ApplyEnabling();
}

void CopyModeDialog::ApplyEnabling() {
    const int mode = copyModeGroup->checkedId();
    // With no way chosen yet every edit stays open.
    if (mode < 0) {
        return;
    }
    letterShownEdit->setEnabled(mode == 1);
    letterNotShownEdit->setEnabled(mode == 2);
    percentShownEdit->setEnabled(mode == 3);
}

void CopyModeDialog::accept() {
    CopyModeValues read = values;
    read.copyMode = copyModeGroup->checkedId();
    const struct {
        QLineEdit* edit;
        std::uint32_t* field;
        std::uint32_t highest;
    } numbers[] = {
        {letterShownEdit, &read.letterShown, UINT32_MAX},
        {letterNotShownEdit, &read.letterNotShown, UINT32_MAX},
        {percentShownEdit, &read.percentShown, HighestPercent},
    };
    for (const auto& number : numbers) {
        const std::optional<std::uint32_t> value = ParseWholeNumber(number.edit->text());
        if (!value) {
            RefuseWholeNumberEntry(number.edit);
            return;
        }
        // A share above the whole answer means nothing, and a huge one overflows the template's
        // arithmetic.
        if (*value > number.highest) {
            RefuseRangeEntry(number.edit, 0, static_cast<int>(number.highest));
            return;
        }
        *number.field = *value;
    }
    const std::optional<float> delay = ParseSeconds(timeBeforeCopyEdit->text());
    if (!delay) {
        RefuseNumberEntry(timeBeforeCopyEdit);
        return;
    }
    if (*delay < 0.0f || *delay > static_cast<float>(LongestDelay)) {
        RefuseRangeEntry(timeBeforeCopyEdit, 0, LongestDelay);
        return;
    }
    read.timeBeforeCopy = *delay;
    read.showSZAsSS = showSZAsSSCheck->isChecked();
    values = read;
    QDialog::accept();
}

} // namespace lingomat
