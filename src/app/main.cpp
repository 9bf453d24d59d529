#include <QApplication>

#include "ui/GameFolder.h"
#include "ui/LingomatApp.h"
#include "ui/StartupTrace.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    lingomat::InstallStartupTrace();
    lingomat::CLingomatApp::SetApplicationNames();
    lingomat::CLingomatApp::LoadGermanTranslations();
    lingomat::EnterGameFolder();
    lingomat::CLingomatApp lingomat;
    if (!lingomat.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
