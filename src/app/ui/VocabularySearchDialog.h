#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <QDialog>
#include <QLineEdit>

#include "data/GameTypes.h"

class QComboBox;
class QKeyEvent;
class QTreeWidget;

namespace lingomat {

class CLingomatDoc;

// The search field. Enter starts the search and stays in the field: it neither closes the window
// through its default button nor becomes part of the text.
class SearchEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit SearchEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

signals:
    void searchRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Folds a text for the search so that letter case, accents and ß against ss make no difference;
// the same folding is applied to the typed text and to the stored words.
std::string SearchFolded(std::string text);

// "Vokabeln suchen": lists, while the player types, the records that hold the typed text in the
// chosen languages. The window stays open beside the game; several may be open at once. It reads
// the document's vocabulary afresh for every search and keeps nothing of it.
class VocabularySearchDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxRows = 500;

    // Choices of the language list; in a Spanish data set column 1 is Spanish and there is no
    // French choice.
    enum Choice : int { AllLanguages = 0, OnlyGerman = 1, OnlyColumn1 = 2, OnlyFrench = 3 };

    explicit VocabularySearchDialog(CLingomatDoc& doc, QWidget* parent = nullptr);

    void Search();

private:
    std::vector<Language> SearchedLanguages(int choice) const;

    CLingomatDoc& doc;
    bool spanish;
    std::vector<Language> shownLanguages;
    SearchEdit* searchEdit;
    QComboBox* languageCombo;
    QTreeWidget* resultList;
};

} // namespace lingomat
