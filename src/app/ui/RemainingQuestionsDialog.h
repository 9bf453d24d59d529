#pragma once

#include <QDialog>

class QLabel;
class QTreeWidget;

namespace lingomat {

class CLingomatDoc;

// "Verbleibende Fragen": the questions of the running game still to be answered, and the removal
// of repeated questions, which changes the running game.
class RemainingQuestionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit RemainingQuestionsDialog(CLingomatDoc& doc, QWidget* parent = nullptr);

    void RemoveDuplicates();

private:
    void Fill();

    CLingomatDoc& doc;
    QTreeWidget* questionList;
    QLabel* countLabel;
};

} // namespace lingomat
