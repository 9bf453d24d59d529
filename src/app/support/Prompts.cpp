#include "support/Prompts.h"

#include <QFileDialog>
#include <QPushButton>

namespace lingomat {

namespace {

PromptAnswers* installed = nullptr;

} // namespace

void SetPromptAnswers(PromptAnswers* answers) {
    installed = answers;
}

int Ask(QWidget* parent, const Prompt& prompt) {
    if (installed != nullptr) {
        return installed->Answer(prompt);
    }
    QMessageBox box(prompt.icon, prompt.caption, prompt.text, QMessageBox::NoButton, parent);
    box.setObjectName(prompt.objectName);
    // The button texts are set here, so they are German even without Qt's translations.
    std::vector<QPushButton*> buttons;
    for (const PromptButton& button : prompt.buttons) {
        buttons.push_back(box.addButton(button.text, button.role));
        buttons.back()->setObjectName(button.objectName);
    }
    box.setDefaultButton(buttons.at(static_cast<std::size_t>(prompt.defaultButton)));
    box.setEscapeButton(buttons.at(static_cast<std::size_t>(prompt.escapeButton)));
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) {
            return static_cast<int>(i);
        }
    }
    return prompt.escapeButton;
}

void ShowDialogMessage(QWidget* parent, const QString& text, const QString& caption,
                       QMessageBox::Icon icon) {
    Ask(parent,
        {.icon = icon,
         .caption = caption,
         .text = text,
         .buttons = {{QStringLiteral("OK"), QStringLiteral("okButton"), QMessageBox::AcceptRole}}});
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, QMessageBox::Icon icon,
              bool yesIsDefault) {
    return Ask(parent, {.icon = icon,
                        .caption = caption,
                        .text = text,
                        .buttons = {{QStringLiteral("&Ja"), QStringLiteral("yesButton"),
                                     QMessageBox::YesRole},
                                    {QStringLiteral("&Nein"), QStringLiteral("noButton"),
                                     QMessageBox::NoRole}},
                        .defaultButton = yesIsDefault ? 0 : 1,
                        .escapeButton = 1}) == 0;
}

QString AskFile(QWidget* parent, const FilePrompt& prompt) {
    if (installed != nullptr) {
        return installed->AnswerFile(prompt);
    }
    QFileDialog dialog(parent, prompt.caption);
    dialog.setObjectName(prompt.objectName);
    dialog.setDirectory(prompt.folder);
    dialog.setNameFilters(prompt.filters);
    if (prompt.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(prompt.defaultSuffix);
        dialog.selectFile(prompt.suggestedName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

int RunDialog(QDialog& dialog) {
    return installed != nullptr ? installed->Run(dialog) : dialog.exec();
}

} // namespace lingomat
