#pragma once

#include <QDialog>

namespace lingomat {

// "Info über Lingomat": icon, version, a line about the game and the maker's web address.
class CAboutDialog : public QDialog {
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace lingomat
