#include "ui/ViewModeDialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/DialogButtons.h"
#include "ui/SettingsCommands.h"

namespace lingomat {

ViewModeDialog::ViewModeDialog(const ViewModeValues& values, QWidget* parent)
    : QDialog(parent), values(values) {
    setObjectName(QStringLiteral("viewModeDialog"));
    setWindowTitle(QStringLiteral("Anschau-Modus-Einstellungen"));

    letterByLetterCheck =
        new QCheckBox(QStringLiteral("Jeden Buchstaben einzeln einblenden"), this);
    letterByLetterCheck->setObjectName(QStringLiteral("letterByLetterCheck"));
    letterByLetterCheck->setChecked(values.letterByLetter);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    const struct {
        const char16_t* text;
        const char* name;
        float seconds;
        QLineEdit** edit;
    } times[] = {
        {u"Zeit f\u00fcr das Einblenden von Buchstaben:", "timeLetterEdit", values.timeLetter,
         &timeLetterEdit},
        {u"Zeit nach dem Einblenden eines Wortes:", "timeAfterWordEdit", values.timeAfterWord,
         &timeAfterWordEdit},
        {u"Zeit vor dem Einblenden eines Wortes:", "timeBeforeViewerEdit", values.timeBeforeViewer,
         &timeBeforeViewerEdit},
    };
    int row = 0;
    for (const auto& time : times) {
        auto* edit = new QLineEdit(SecondsText(time.seconds), this);
        edit->setObjectName(QString::fromLatin1(time.name));
        edit->setFixedWidth(56);
        auto* label = new QLabel(QString::fromUtf16(time.text), this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        *time.edit = edit;
        ++row;
    }

    fullScreenCheck = new QCheckBox(QStringLiteral("Fenster f\u00fcllend anzeigen"), this);
    fullScreenCheck->setObjectName(QStringLiteral("fullScreenCheck"));
    fullScreenCheck->setChecked(values.fullScreen);

    QHBoxLayout* buttons = StandardButtonRow(*this, false, 90);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(letterByLetterCheck);
    layout->addLayout(grid);
    layout->addWidget(fullScreenCheck);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    // The template was 182 dialog units wide.
    setMinimumWidth(std::max(330, sizeHint().width()));

    connect(letterByLetterCheck, &QCheckBox::clicked, this, [this] { ApplyEnabling(); });
    ApplyEnabling();
}

void ViewModeDialog::ApplyEnabling() {
    timeLetterEdit->setEnabled(letterByLetterCheck->isChecked());
}

void ViewModeDialog::accept() {
    ViewModeValues read = values;
    const struct {
        QLineEdit* edit;
        float* field;
    } times[] = {{timeLetterEdit, &read.timeLetter},
                 {timeAfterWordEdit, &read.timeAfterWord},
                 {timeBeforeViewerEdit, &read.timeBeforeViewer}};
    for (const auto& time : times) {
        const std::optional<float> seconds = ParseSeconds(time.edit->text());
        if (!seconds) {
            RefuseNumberEntry(time.edit);
            return;
        }
        // A negative time would turn into a pause of weeks once kept in milliseconds.
        if (*seconds < 0.0f || *seconds > static_cast<float>(LongestTime)) {
            RefuseRangeEntry(time.edit, 0, LongestTime);
            return;
        }
        *time.field = *seconds;
    }
    read.letterByLetter = letterByLetterCheck->isChecked();
    read.fullScreen = fullScreenCheck->isChecked();
    values = read;
    QDialog::accept();
}

} // namespace lingomat
