#include "ui/LingomatApp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include "game/LingomatDoc.h"
#include "support/Cp1252.h"
#include "support/Prompts.h"
#include "screen/LingomatView.h"
#include "ui/MainFrame.h"

namespace lingomat {

void CLingomatApp::SetApplicationNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Lingomat"));
    QCoreApplication::setApplicationName(QStringLiteral("Lingomat -  Das Vokabelspiel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINGOMAT_VERSION));
    // No display name: on X11 Qt would append it to every window title, which are exact texts.
    QGuiApplication::setDesktopFileName(QStringLiteral("lingomat"));
}

bool CLingomatApp::LoadGermanTranslations() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

CLingomatApp::CLingomatApp() : host(profile) {}

CLingomatApp::~CLingomatApp() {
    // The window refers to the document, so it goes first.
    frame.reset();
    document.reset();
}

bool CLingomatApp::InitInstance() {
    SetApplicationNames();
    document = std::make_unique<CLingomatDoc>(host, profile, clock);
    frame = std::make_unique<CMainFrame>(*document);
    host.SetWindow(frame.get());
    frame->View()->SetHost(&host);
    host.onTitleChanged = [this](const std::string& title) {
        frame->SetDocumentTitle(ToQString(title));
    };
    frame->canClose = [this] { return CloseDocument(); };

    if (!document->OnNewDocument()) {
        // Not without a word: the player has just chosen a name and waits for the window.
        ShowDialogMessage(nullptr,
                          QStringLiteral("Das Spiel konnte nicht vorbereitet werden. Lingomat "
                                         "wird beendet."),
                          QStringLiteral("Lingomat"), QMessageBox::Critical);
        return false;
    }
    frame->SetDocumentTitle(ToQString(document->Title()));
    frame->resize(frame->StartSize(frame->screen()->availableGeometry().size()));
    frame->showNormal();
    frame->update();
    return true;
}

bool CLingomatApp::CloseDocument() {
    if (documentClosed) {
        return true;
    }
    if (!document->SaveModified()) {
        return false;
    }
    document->OnCloseDocument();
    profile.Sync();
    documentClosed = true;
    return true;
}

} // namespace lingomat
