#include "ui/CorrectionOptionsDialog.h"

#include "support/DialogButtons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/Cp1252.h"

namespace lingomat {

namespace {

// The text of a check box that wraps over several lines; clicking it works the box, as a
// check box's own text does.
class CheckBoxText : public QLabel {
public:
    CheckBoxText(const QString& text, QCheckBox* box, QWidget* parent)
        : QLabel(text, parent), box(box) {
        setWordWrap(true);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setBuddy(box);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && box->isEnabled() &&
            rect().contains(event->position().toPoint())) {
            box->click();
        }
    }

private:
    QCheckBox* box;
};

QCheckBox* AddOption(QVBoxLayout* layout, QWidget* parent, const char* name, const QString& text,
                     bool checked) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name) + QStringLiteral("Check"));
    box->setAccessibleName(text);
    box->setChecked(checked);
    auto* label = new CheckBoxText(text, box, parent);
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(box, 0, Qt::AlignTop);
    row->addWidget(label, 1);
    layout->addLayout(row);
    return box;
}

} // namespace

CorrectionOptionsDialog::CorrectionOptionsDialog(const CorrectionOptions& options, QWidget* parent)
    : QDialog(parent), options(options) {
    setObjectName(QStringLiteral("correctionOptionsDialog"));
    setWindowTitle(QStringLiteral("Fehler- und Sprachoptionen"));

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    for (const CorrectionOptionTraits& option : CorrectionOptionTable) {
        checks.push_back(
            AddOption(layout, this, option.key, ToQString(option.caption), options.*option.field));
    }

    QHBoxLayout* buttons = StandardButtonRow(*this);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    // The template was 204 dialog units wide; the height is what the wrapped texts need there.
    setFixedSize(360, layout->heightForWidth(360));
}

void CorrectionOptionsDialog::accept() {
    for (std::size_t i = 0; i < checks.size(); ++i) {
        options.*CorrectionOptionTable[i].field = checks[i]->isChecked();
    }
    QDialog::accept();
}

} // namespace lingomat
