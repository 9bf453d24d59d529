#pragma once

#include <QDialog>

class QTreeWidget;

namespace lingomat {

class CLingomatDoc;

// "Fehlerliste": every word answered wrongly in the running game, with its number of errors.
class ErrorListDialog : public QDialog {
    Q_OBJECT
public:
    explicit ErrorListDialog(CLingomatDoc& doc, QWidget* parent = nullptr);

private:
    QTreeWidget* errorList;
};

} // namespace lingomat
