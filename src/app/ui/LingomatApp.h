#pragma once

#include <memory>

#include <QString>

#include "platform/Clock.h"
#include "host/QtDocumentHost.h"
#include "host/QtProfileStore.h"

namespace lingomat {

class CLingomatDoc;
class CMainFrame;

// The application: settings store, document and main window, from start to close.
class CLingomatApp {
public:
    CLingomatApp();
    ~CLingomatApp();

    // Sets the application up, creates the document and the window and runs the document's
    // start-up (player choice, data set, settings). False when the window could not be made.
    bool InitInstance();

    // Asks before a running game is left; on yes the document stores its settings and the
    // player file. False keeps the program running.
    bool CloseDocument();

    CLingomatDoc* Document() const { return document.get(); }
    CMainFrame* MainFrame() const { return frame.get(); }

    // Qt's own German texts (dialog buttons and the like); false when none are installed.
    static bool LoadGermanTranslations();
    static void SetApplicationNames();

private:
    QtProfileStore profile;
    QtDocumentHost host;
    SystemClock clock;
    std::unique_ptr<CLingomatDoc> document;
    std::unique_ptr<CMainFrame> frame;
    bool documentClosed = false;
};

} // namespace lingomat
