#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace lingomat {

// "Multiple-Choice-Einstellungen": how many answers a round offers and whether they are
// numbered. Escape or the close box leave the values as they were given.
class ChoiceSettingsDialog : public QDialog {
public:
    // choiceIndex: the number of answers minus 2; -1 or an index beyond the list shows none.
    ChoiceSettingsDialog(int choiceIndex, bool numbering, QWidget* parent = nullptr);

    int ChoiceIndex() const { return choiceIndex; }
    bool Numbering() const { return numbering; }

    void accept() override;

private:
    int choiceIndex;
    bool numbering;
    QComboBox* choiceCountCombo;
    QCheckBox* showNumbersCheck;
};

} // namespace lingomat
