#include "support/LoadingDialog.h"

#include <QApplication>
#include <QProgressBar>
#include <QVBoxLayout>

namespace lingomat {

LoadingDialog::LoadingDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      bar(new QProgressBar(this)) {
    setObjectName(QStringLiteral("loadingDialog"));
    setWindowTitle(QStringLiteral("Laden von Lingomat"));
    setModal(false);

    bar->setObjectName(QStringLiteral("loadingBar"));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    // About the 165 x 10 dialog units of the template.
    bar->setFixedSize(290, 18);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->addWidget(bar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LoadingDialog::Begin(int low, int high) {
    loading = true;
    // An empty range would turn the bar into a busy indicator.
    bar->setRange(low, high > low ? high : low + 1);
    bar->setValue(low);
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LoadingDialog::Set(int value) {
    // The loader reports far more often than the bar moves; repaint only when it does.
    if (!loading || value == bar->value()) {
        return;
    }
    bar->setValue(value);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LoadingDialog::End() {
    loading = false;
    hide();
}

int LoadingDialog::Value() const {
    return bar->value();
}

void LoadingDialog::reject() {
    if (!loading) {
        QDialog::reject();
    }
}

} // namespace lingomat
