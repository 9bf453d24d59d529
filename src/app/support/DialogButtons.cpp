#include "support/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace lingomat {

namespace {

QPushButton* Button(QDialog& dialog, const QString& text, const QString& name, int minimumWidth) {
    auto* button = new QPushButton(text, &dialog);
    button->setObjectName(name);
    if (minimumWidth > 0) {
        button->setMinimumWidth(minimumWidth);
    }
    return button;
}

} // namespace

QPushButton* OkButton(QDialog& dialog, int minimumWidth) {
    QPushButton* ok =
        Button(dialog, QStringLiteral("OK"), QStringLiteral("okButton"), minimumWidth);
    ok->setDefault(true);
    // accept is virtual: a dialog's own check before closing runs.
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    return ok;
}

QPushButton* CancelButton(QDialog& dialog, int minimumWidth) {
    QPushButton* cancel =
        Button(dialog, QStringLiteral("Abbrechen"), QStringLiteral("cancelButton"), minimumWidth);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return cancel;
}

QHBoxLayout* StandardButtonRow(QDialog& dialog, bool withCancel, int minimumWidth) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(OkButton(dialog, minimumWidth));
    row->addStretch(1);
    if (withCancel) {
        row->addWidget(CancelButton(dialog, minimumWidth));
        row->addStretch(1);
    }
    return row;
}

} // namespace lingomat
