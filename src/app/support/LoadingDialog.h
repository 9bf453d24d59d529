#pragma once

#include <QDialog>

#include "data/DataSetLoader.h"

class QProgressBar;

namespace lingomat {

// The small window with one progress bar that stands while a data set is read.
class LoadingDialog : public QDialog, public LoadProgress {
public:
    explicit LoadingDialog(QWidget* parent = nullptr);

    void Begin(int low, int high) override;
    void Set(int value) override;
    void End() override;

    int Value() const;
    bool Loading() const { return loading; }

    // The window goes when the load ends, not before: the loader still reports to it.
    void reject() override;

private:
    QProgressBar* bar;
    bool loading = false;
};

} // namespace lingomat
