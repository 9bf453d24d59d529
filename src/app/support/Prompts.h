#pragma once

#include <vector>

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace lingomat {

// Every message box, file chooser and modal dialog of the program is shown through here, so
// that one place decides how a question is put and tests can answer it without a screen.

struct PromptButton {
    QString text;
    QString objectName;
    QMessageBox::ButtonRole role;
};

// A message box: its buttons in order, the default one and the one Escape presses.
struct Prompt {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption{};
    QString text{};
    QString objectName = QStringLiteral("messageBox");
    std::vector<PromptButton> buttons{};
    int defaultButton = 0;
    int escapeButton = 0;
};

// A file chooser; save asks for a new or existing name, otherwise for an existing file.
struct FilePrompt {
    QString caption{};
    QString objectName{};
    QString folder{};
    QStringList filters{};
    bool save = false;
    QString defaultSuffix{};
    QString suggestedName{};
};

// Stands in for the person in front of the screen while installed.
class PromptAnswers {
public:
    virtual ~PromptAnswers() = default;
    // The index of the button pressed.
    virtual int Answer(const Prompt& prompt) = 0;
    // The chosen path; empty for Abbrechen.
    virtual QString AnswerFile(const FilePrompt& prompt) = 0;
    // The dialog's result, as exec would return it.
    virtual int Run(QDialog& dialog) = 0;
};

// Installs answers (nullptr shows the real boxes again).
void SetPromptAnswers(PromptAnswers* answers);

// The index of the button pressed; the escape button's when the box was closed.
int Ask(QWidget* parent, const Prompt& prompt);

// A modal message box with a German OK button ("okButton").
void ShowDialogMessage(QWidget* parent, const QString& text, const QString& caption,
                       QMessageBox::Icon icon);

// A yes/no question with German buttons "yesButton" and "noButton", true for "Ja". Escape means
// "Nein"; so does a hasty Enter unless yesIsDefault.
bool AskYesNo(QWidget* parent, const QString& text, const QString& caption,
              QMessageBox::Icon icon = QMessageBox::Question, bool yesIsDefault = false);

// The chosen path, empty when the chooser was cancelled.
QString AskFile(QWidget* parent, const FilePrompt& prompt);

// Runs a modal dialog and returns its result.
int RunDialog(QDialog& dialog);

} // namespace lingomat
