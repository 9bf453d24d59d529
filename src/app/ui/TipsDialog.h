#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

namespace lingomat {

class CLingomatDoc;

// A random hint from the document's tips; "Nächster Tipp" draws another (it may be the same).
class TipsDialog : public QDialog {
public:
    explicit TipsDialog(CLingomatDoc& doc, QWidget* parent = nullptr);

    QString TipText() const { return tipText; }

    // Shown instead of a tip when "tipps.txt" is missing or holds no tip.
    static QString NoTipsText();

private:
    void ShowNextTip();
    void FitTipHeight();

    CLingomatDoc& doc;
    QTextEdit* tipView;
    QPushButton* nextButton;
    QString tipText;
};

} // namespace lingomat
