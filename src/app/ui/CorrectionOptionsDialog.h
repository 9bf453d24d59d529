#pragma once

#include <vector>

#include <QDialog>

#include "data/GameTypes.h"

class QCheckBox;

namespace lingomat {

// "Fehler- und Sprachoptionen": the switches that decide what counts as a right answer, one
// check box for each row of the option table.
// Escape or the close box leave the options as they were given.
class CorrectionOptionsDialog : public QDialog {
public:
    explicit CorrectionOptionsDialog(const CorrectionOptions& options, QWidget* parent = nullptr);

    // The options given, or as ticked when OK closed the dialog.
    const CorrectionOptions& Options() const { return options; }

    void accept() override;

private:
    CorrectionOptions options;
    // One for each row of the option table, in its order.
    std::vector<QCheckBox*> checks;
};

} // namespace lingomat
