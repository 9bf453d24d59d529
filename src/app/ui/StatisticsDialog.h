#pragma once

#include <cstdint>

#include <QDialog>

namespace lingomat {

// The running game's tally beside a vertical bar of the share of right answers.
class StatisticsDialog : public QDialog {
public:
    // barPosition is a percentage; values outside 0..100 are held at the nearer end.
    StatisticsDialog(const QString& text, int barPosition, QWidget* parent = nullptr);
};

// The bar's percentage: right answers of all answers, cut towards zero (2 of 3 give 66).
// 0 when nothing was answered.
int RightAnswerShare(std::uint32_t rightCount, std::uint32_t wrongCount);

} // namespace lingomat
