#include "ui/SmallDialogCommands.h"

#include "game/LingomatDoc.h"
#include "support/Cp1252.h"
#include "playerdialogs/PlayerStatisticsDialog.h"
#include "support/SetupDialogSupport.h"
#include "ui/StatisticsDialog.h"
#include "ui/TipsDialog.h"

namespace lingomat {

void ShowGameStatistics(CLingomatDoc& doc, QWidget* parent) {
    if (doc.RightCount() + doc.WrongCount() == 0) {
        ShowDialogMessage(parent,
                          QStringLiteral("Sie m\u00fcssen schon gespielt haben, um diese "
                                         "Funktion benutzen zu k\u00f6nnen."),
                          QStringLiteral("Lingomat"), QMessageBox::NoIcon);
        return;
    }
    StatisticsDialog dialog(ToQString(doc.ReportText() + "\n\n" + doc.RemainingText()),
                            RightAnswerShare(doc.RightCount(), doc.WrongCount()), parent);
    RunDialog(dialog);
}

void ShowTips(CLingomatDoc& doc, QWidget* parent) {
    TipsDialog dialog(doc, parent);
    RunDialog(dialog);
}

void ShowPlayerStatistics(CLingomatDoc& doc, QWidget* parent) {
    PlayerStatisticsDialog dialog(doc.Statistics(), doc.lessonTable, doc, parent);
    RunDialog(dialog);
}

} // namespace lingomat
