#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace lingomat {

// OK ("okButton"): the default button, accepting the dialog. A minimum width of 0 leaves the
// button its natural width.
QPushButton* OkButton(QDialog& dialog, int minimumWidth = 0);

// Abbrechen ("cancelButton"), rejecting the dialog.
QPushButton* CancelButton(QDialog& dialog, int minimumWidth = 0);

// The usual row at a dialog's foot: OK, and Abbrechen when asked for, centred with equal room
// before, between and after them.
QHBoxLayout* StandardButtonRow(QDialog& dialog, bool withCancel = false, int minimumWidth = 0);

} // namespace lingomat
