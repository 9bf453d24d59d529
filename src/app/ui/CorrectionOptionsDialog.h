#pragma once

#include <QDialog>

#include "data/GameTypes.h"

class QCheckBox;

namespace lingomat {

// "Fehler- und Sprachoptionen": the six switches that decide what counts as a right answer.
// Escape or the close box leave the options as they were given.
class CorrectionOptionsDialog : public QDialog {
public:
    explicit CorrectionOptionsDialog(const CorrectionOptions& options, QWidget* parent = nullptr);

    // The options given, or as ticked when OK closed the dialog.
    const CorrectionOptions& Options() const { return options; }

    void accept() override;

private:
    CorrectionOptions options;
    QCheckBox* ignoreSpacingCheck;
    QCheckBox* ignoreCaseCheck;
    QCheckBox* ignoreAccentsCheck;
    QCheckBox* ignoreArticlesCheck;
    QCheckBox* repeatAtOnceCheck;
    QCheckBox* oneRightSufficesCheck;
};

} // namespace lingomat
