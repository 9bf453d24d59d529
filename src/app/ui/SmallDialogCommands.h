#pragma once

class QWidget;

namespace lingomat {

class CLingomatDoc;

// What the game screen's "Statistik" command does: before the first answer a message says there
// is nothing to show yet; after it the tally with the questions left and the bar of right
// answers.
void ShowGameStatistics(CLingomatDoc& doc, QWidget* parent);

// "Tipps zu Lingomat": the tips box on the document's tips, modal.
void ShowTips(CLingomatDoc& doc, QWidget* parent);

// "Spieler Statistik": the current player's results per lesson, modal. Clearing the statistics
// there writes the player file at once.
void ShowPlayerStatistics(CLingomatDoc& doc, QWidget* parent);

} // namespace lingomat
