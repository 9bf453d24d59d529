#include "ui/GameTypeDialog.h"

#include <vector>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "support/DialogButtons.h"
#include "screen/LingomatView.h"
#include "ui/SettingsCommands.h"
#include "support/Cp1252.h"
#include "support/SetupDialogSupport.h"

namespace lingomat {

namespace {

struct LanguageChoice {
    Language language;
    const char16_t* text;
    const char* objectSuffix;
};

const LanguageChoice kGerman{LanguageGerman, u"Deutsch", "German"};
const LanguageChoice kEnglish{LanguageEnglish, u"Englisch", "English"};
const LanguageChoice kSpanish{LanguageEnglish, u"Spanisch", "Spanish"};
const LanguageChoice kFrench{LanguageFrench, u"Franz\u00f6sisch", "French"};

QString ObjectName(const char* prefix, const char* suffix, const char* kind) {
    return QString::fromLatin1(prefix) + QString::fromLatin1(suffix) + QString::fromLatin1(kind);
}

// A group box of language radios, each with its picture on the right.
QGroupBox* LanguageBox(const QString& title, const char* prefix, bool spanish, QButtonGroup* group,
                       QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(0, 1);
    grid->setVerticalSpacing(4);
    std::vector<LanguageChoice> choices{kGerman, spanish ? kSpanish : kEnglish};
    if (!spanish) {
        choices.push_back(kFrench);
    }
    int row = 0;
    for (const LanguageChoice& choice : choices) {
        auto* radio = new QRadioButton(QString::fromUtf16(choice.text), box);
        radio->setObjectName(ObjectName(prefix, choice.objectSuffix, "Radio"));
        group->addButton(radio, static_cast<int>(choice.language));
        auto* picture = new QLabel(box);
        picture->setObjectName(ObjectName(prefix, choice.objectSuffix, "Picture"));
        picture->setPixmap(LanguagePicture(choice.language, spanish));
        picture->setFixedSize(48, 32);
        grid->addWidget(radio, row, 0);
        grid->addWidget(picture, row, 1);
        ++row;
    }
    return box;
}

// The document of the game screen the dialog was opened over, if any.
CLingomatDoc* GameScreenDocument(QWidget* dialog) {
    for (QWidget* owner = dialog->parentWidget(); owner != nullptr; owner = owner->parentWidget()) {
        if (auto* view = dynamic_cast<CLingomatView*>(owner)) {
            return &view->Document();
        }
    }
    return nullptr;
}

} // namespace

GameTypeDialog::GameTypeDialog(bool spanish, QWidget* parent)
    : QDialog(parent), questionGroup(new QButtonGroup(this)), answerGroup(new QButtonGroup(this)),
      gameTypeGroup(new QButtonGroup(this)) {
    setObjectName(spanish ? QStringLiteral("gameTypeDialogSpanish")
                          : QStringLiteral("gameTypeDialog"));
    setWindowTitle(QStringLiteral("Wahl der Spielart"));

    auto* languages = new QHBoxLayout;
    languages->addWidget(
        LanguageBox(QStringLiteral("Frage"), "question", spanish, questionGroup, this));
    languages->addWidget(
        LanguageBox(QStringLiteral("Antwort"), "answer", spanish, answerGroup, this));

    auto* modes = new QGroupBox(QStringLiteral("Abfragemodus"), this);
    auto* modeLayout = new QVBoxLayout(modes);
    for (const GameModeTraits& type : GameModeTable) {
        auto* radio = new QRadioButton(ToQString(type.name), modes);
        radio->setObjectName(QString::fromLatin1(type.key) + QStringLiteral("Radio"));
        gameTypeGroup->addButton(radio, static_cast<int>(type.mode));
        modeLayout->addWidget(radio);
    }

    QPushButton* ok = OkButton(*this);
    settingsButton = new QPushButton(QStringLiteral("Einstellungen"), this);
    settingsButton->setObjectName(QStringLiteral("settingsButton"));
    settingsButton->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(2);
    buttons->addWidget(settingsButton);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(languages);
    layout->addWidget(modes);
    layout->addLayout(buttons);
    // About the size of the original template (232 dialog units wide).
    setMinimumWidth(360);

    connect(gameTypeGroup, &QButtonGroup::idClicked, this, [this] { GameTypeClicked(); });
    connect(settingsButton, &QPushButton::clicked, this, [this] {
        if (GameType() < 0) {
            return;
        }
        const auto mode = static_cast<GameMode>(GameType());
        // Opened over the game screen, the settings edit the screen's document.
        if (CLingomatDoc* doc = GameScreenDocument(this)) {
            RunModeSettings(*doc, mode, this);
        }
    });
}

int GameTypeDialog::QuestionLanguage() const {
    return questionGroup->checkedId();
}

int GameTypeDialog::AnswerLanguage() const {
    return answerGroup->checkedId();
}

int GameTypeDialog::GameType() const {
    return gameTypeGroup->checkedId();
}

void GameTypeDialog::GameTypeClicked() {
    settingsButton->setEnabled(GameType() >= 0 &&
                               TraitsOf(static_cast<GameMode>(GameType())).HasSettings());
}

void GameTypeDialog::accept() {
    if (QuestionLanguage() < 0 || AnswerLanguage() < 0) {
        ShowDialogMessage(this, QStringLiteral("Sie m\u00fcssen beide Sprachen ausw\u00e4hlen."),
                          QStringLiteral("Richtungswahl"), QMessageBox::Critical);
        return;
    }
    if (QuestionLanguage() == AnswerLanguage()) {
        ShowDialogMessage(
            this, QStringLiteral("Sie m\u00fcssen zwei unterschiedliche Sprachen ausw\u00e4hlen."),
            QStringLiteral("Richtungswahl"), QMessageBox::Critical);
        return;
    }
    if (GameType() < 0) {
        ShowDialogMessage(this, QStringLiteral("Sie m\u00fcssen eine Spielart w\u00e4hlen."),
                          QStringLiteral("Spielartwahl"), QMessageBox::Critical);
        return;
    }
    QDialog::accept();
}

} // namespace lingomat
