#include "ui/StatisticsDialog.h"

#include "support/DialogButtons.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace lingomat {

int RightAnswerShare(std::uint32_t rightCount, std::uint32_t wrongCount) {
    const std::uint64_t answered = std::uint64_t{rightCount} + wrongCount;
    if (answered == 0) {
        return 0;
    }
    // In whole numbers: a float quotient taken times 100 gives 28.999... for 29 of 100 and
    // the cut then loses a whole per cent.
    return static_cast<int>(std::uint64_t{rightCount} * 100 / answered);
}

StatisticsDialog::StatisticsDialog(const QString& text, int barPosition, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("statisticsDialog"));
    setWindowTitle(QStringLiteral("Statistik"));

    auto* textLabel = new QLabel(text, this);
    textLabel->setObjectName(QStringLiteral("statisticsText"));
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setWordWrap(true);
    textLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // About the 170 dialog units of the template; the box grows downwards with the report.
    textLabel->setFixedWidth(300);
    textLabel->setMinimumHeight(std::max(170, textLabel->heightForWidth(300)));

    auto* bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("rightShareBar"));
    bar->setOrientation(Qt::Vertical);
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(std::clamp(barPosition, 0, 100));
    bar->setFixedWidth(36);
    bar->setToolTip(QStringLiteral("%1 % richtig").arg(bar->value()));

    auto* top = new QHBoxLayout;
    top->addWidget(textLabel, 1);
    top->addWidget(bar);
    QHBoxLayout* buttons = StandardButtonRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace lingomat
