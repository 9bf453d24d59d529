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

    // The help page that explains the window of that object name; empty for none.
    static QString PageFor(const QString& windowName);

    // Shows the window with the first page of the contents, as the help command does.
    void ShowContents();
    // Shows the window with one page of the help folder, or the contents for an unknown page.
    void ShowPage(const QString& page);
    bool HasContents() const;
    QTreeWidget* Contents() const { return contents; }
    QTextBrowser* Browser() const { return browser; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LoadContents();
    void OpenPage(const QString& file);
    void SelectPage(const QUrl& url);

    QString folder;
    QTreeWidget* contents = nullptr;
    QTextBrowser* browser = nullptr;
};

} // namespace lingomat
