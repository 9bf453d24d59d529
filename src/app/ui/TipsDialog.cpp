#include "ui/TipsDialog.h"

#include <algorithm>
#include <cmath>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "game/LingomatDoc.h"
#include "support/Cp1252.h"

namespace lingomat {

namespace {

// About the 165 x 50 dialog units of the tip's place in the box.
constexpr int TipWidth = 300;
constexpr int TipMinimumHeight = 95;
// Room the title bar, group box frame and buttons need below and above the tip.
constexpr int RoomAroundTip = 160;

} // namespace

TipsDialog::TipsDialog(CLingomatDoc& document, QWidget* parent)
    : QDialog(parent), doc(document), tipView(new QTextEdit(this)),
      nextButton(new QPushButton(QStringLiteral("N\u00e4chster Tipp"), this)) {
    setObjectName(QStringLiteral("tipsDialog"));
    setWindowTitle(QStringLiteral("Tipps"));

    tipView->setObjectName(QStringLiteral("tipText"));
    tipView->setReadOnly(true);
    tipView->setFrameShape(QFrame::NoFrame);
    tipView->setFocusPolicy(Qt::NoFocus);
    tipView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A tip may be one long word (a web address, a mistyped line); it must still stay in the box.
    tipView->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    tipView->setFixedWidth(TipWidth);
    // Reads as the box's own text, not as a field to type into.
    tipView->viewport()->setAutoFillBackground(false);

    auto* group = new QGroupBox(QStringLiteral("Tipp"), this);
    group->setObjectName(QStringLiteral("tipGroup"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(tipView);

    nextButton->setObjectName(QStringLiteral("nextTipButton"));
    nextButton->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("Schliessen"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(nextButton);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(nextButton, &QPushButton::clicked, this, &TipsDialog::ShowNextTip);
    connect(close, &QPushButton::clicked, this, &TipsDialog::accept);

    ShowNextTip();
}

QString TipsDialog::NoTipsText() {
    return QStringLiteral("Leider sind keine Tipps vorhanden: Die Datei \u201etipps.txt\u201c "
                          "fehlt im Programmordner oder ist leer.");
}

void TipsDialog::ShowNextTip() {
    const std::string tip = doc.RandomTip();
    // RandomTip gives nothing only when no line holds a tip, so another draw cannot help.
    nextButton->setEnabled(!tip.empty());
    tipText = tip.empty() ? NoTipsText() : ToQString(tip);
    tipView->setPlainText(tipText);
    FitTipHeight();
}

void TipsDialog::FitTipHeight() {
    QTextDocument* text = tipView->document();
    text->setTextWidth(TipWidth);
    const int wanted = static_cast<int>(std::ceil(text->size().height()));
    // A long tip makes the box taller, never taller than the screen; beyond that it scrolls.
    const QScreen* shown = screen();
    const int available = shown != nullptr ? shown->availableGeometry().height() : 600;
    const int highest = std::max(TipMinimumHeight, available - RoomAroundTip);
    tipView->setFixedHeight(std::clamp(wanted, TipMinimumHeight, highest));
}

} // namespace lingomat
