#include "ui/ChoiceSettingsDialog.h"

#include "support/DialogButtons.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lingomat {

ChoiceSettingsDialog::ChoiceSettingsDialog(int choiceIndex, bool numbering, QWidget* parent)
    : QDialog(parent), choiceIndex(choiceIndex), numbering(numbering) {
    setObjectName(QStringLiteral("choiceSettingsDialog"));
    setWindowTitle(QStringLiteral("Multiple-Choice-Einstellungen"));

    auto* countLabel = new QLabel(QStringLiteral("Anzahl der m\u00f6glichen Antworten:"), this);
    choiceCountCombo = new QComboBox(this);
    choiceCountCombo->setObjectName(QStringLiteral("choiceCountCombo"));
    choiceCountCombo->addItems(
        {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    choiceCountCombo->setCurrentIndex(
        choiceIndex >= 0 && choiceIndex < choiceCountCombo->count() ? choiceIndex : -1);
    countLabel->setBuddy(choiceCountCombo);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addWidget(choiceCountCombo);
    countRow->addStretch(1);

    showNumbersCheck = new QCheckBox(QStringLiteral("Nummerierung der Antworten anzeigen"), this);
    showNumbersCheck->setObjectName(QStringLiteral("showNumbersCheck"));
    showNumbersCheck->setChecked(numbering);

    QHBoxLayout* buttons = StandardButtonRow(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(countRow);
    layout->addWidget(showNumbersCheck);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    // The template was 186 dialog units wide.
    setMinimumWidth(std::max(320, sizeHint().width()));
}

void ChoiceSettingsDialog::accept() {
    choiceIndex = choiceCountCombo->currentIndex();
    numbering = showNumbersCheck->isChecked();
    QDialog::accept();
}

} // namespace lingomat
