#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace lingomat {

// The German help pages with their table of contents beside them.
class CHelpWindow : public QWidget {
public:
    // folder holds the pages and contents.txt (file, a tab and the title per line; leading
    // tabs give the level).
    explicit CHelpWindow(const QString& folder, QWidget* parent = nullptr);

    // Shows the window with the first page of the contents, as every help request does.
    void ShowContents();
    bool HasContents() const;
    QTreeWidget* Contents() const { return contents; }
    QTextBrowser* Browser() const { return browser; }

private:
    void LoadContents();
    void OpenPage(const QString& file);
    void SelectPage(const QUrl& url);

    QString folder;
    QTreeWidget* contents = nullptr;
    QTextBrowser* browser = nullptr;
};

} // namespace lingomat
