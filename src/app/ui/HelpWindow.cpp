#include "ui/HelpWindow.h"

#include <algorithm>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSplitter>
#include <QStringConverter>
#include <QTextBrowser>
#include <QTextStream>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>

namespace lingomat {

namespace {

constexpr int kFileRole = Qt::UserRole;
// A damaged contents file must not nest without end.
constexpr int kDeepestLevel = 8;

} // namespace

CHelpWindow::CHelpWindow(const QString& helpFolder, QWidget* parent)
    : QWidget(parent), folder(helpFolder) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Lingomat Hilfe"));
    setWindowIcon(QIcon(QStringLiteral("images/lingomat-32.png")));

    auto* splitter = new QSplitter(this);
    contents = new QTreeWidget(splitter);
    contents->setObjectName(QStringLiteral("helpContents"));
    contents->setHeaderHidden(true);
    browser = new QTextBrowser(splitter);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);
    browser->setSearchPaths({folder});
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 530});

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(800, 560);

    LoadContents();
    connect(contents, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
                if (item != nullptr) {
                    OpenPage(item->data(0, kFileRole).toString());
                }
            });
    connect(browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::SelectPage);
}

void CHelpWindow::keyPressEvent(QKeyEvent* event) {
    // Escape closes the help as it closes a dialog.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CHelpWindow::HasContents() const {
    return contents->topLevelItemCount() > 0;
}

void CHelpWindow::LoadContents() {
    QFile file(QDir(folder).filePath(QStringLiteral("contents.txt")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    // parents[level] is the last item placed at that level.
    std::vector<QTreeWidgetItem*> parents;
    while (!in.atEnd()) {
        QString line = in.readLine();
        int level = 0;
        while (level < line.size() && line.at(level) == QLatin1Char('\t')) {
            ++level;
        }
        line = line.mid(level);
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (line.trimmed().isEmpty() || tab <= 0) {
            continue;
        }
        // A level may only go one deeper than the line before it.
        level = std::min({level, static_cast<int>(parents.size()), kDeepestLevel});
        const QString page = line.left(tab).trimmed();
        const QString title = line.mid(tab + 1).trimmed();
        auto* item = level == 0 ? new QTreeWidgetItem(contents)
                                : new QTreeWidgetItem(parents[static_cast<std::size_t>(level - 1)]);
        item->setText(0, title);
        item->setData(0, kFileRole, page);
        parents.resize(static_cast<std::size_t>(level));
        parents.push_back(item);
    }
    contents->expandAll();
}

void CHelpWindow::OpenPage(const QString& page) {
    // Only pages of the help folder itself; the contents file names no other.
    const QString name = QFileInfo(page).fileName();
    if (name.isEmpty()) {
        return;
    }
    const QUrl url = QUrl::fromLocalFile(QDir(folder).absoluteFilePath(name));
    if (browser->source() != url) {
        browser->setSource(url);
    }
}

void CHelpWindow::SelectPage(const QUrl& url) {
    const QString name = QFileInfo(url.toLocalFile()).fileName();
    for (QTreeWidgetItemIterator it(contents); *it != nullptr; ++it) {
        if ((*it)->data(0, kFileRole).toString() == name) {
            if (contents->currentItem() != *it) {
                contents->setCurrentItem(*it);
            }
            return;
        }
    }
}

QString CHelpWindow::PageFor(const QString& windowName) {
    static const std::pair<const char*, const char*> pages[] = {
        {"gameTypeDialog", "spielarten.html"},
        {"lessonDialog", "lektionen.html"},
        {"playerChoiceDialog", "spieler.html"},
        {"playerStatisticsDialog", "spieler.html"},
        {"timesColoursDialog", "einstellungen.html"},
        {"correctionOptionsDialog", "bewertung.html"},
        {"choiceSettingsDialog", "einstellungen.html"},
        {"copyModeDialog", "einstellungen.html"},
        {"viewModeDialog", "einstellungen.html"},
        {"vocabularySearchDialog", "vokabellisten.html"},
        {"lessonListDialog", "vokabellisten.html"},
        {"lessonCountDialog", "vokabellisten.html"},
        {"remainingQuestionsDialog", "vokabellisten.html"},
        {"errorListDialog", "vokabellisten.html"},
        {"saveErrorFileDialog", "fehlerdateien.html"},
        {"openErrorFileDialog", "fehlerdateien.html"},
        {"statisticsDialog", "spielablauf.html"},
    };
    // The Spanish variants of a dialog carry its name with a suffix.
    for (const auto& [name, page] : pages) {
        if (windowName.startsWith(QLatin1String(name))) {
            return QString::fromLatin1(page);
        }
    }
    return {};
}

void CHelpWindow::ShowPage(const QString& page) {
    const QString name = QFileInfo(page).fileName();
    if (name.isEmpty() || !QFileInfo::exists(QDir(folder).filePath(name))) {
        ShowContents();
        return;
    }
    OpenPage(name);
    show();
    raise();
    activateWindow();
}

void CHelpWindow::ShowContents() {
    if (HasContents()) {
        contents->setCurrentItem(contents->topLevelItem(0));
        OpenPage(contents->topLevelItem(0)->data(0, kFileRole).toString());
    } else {
        browser->setHtml(
            QString::fromUtf8(
                "<h2>Die Hilfe wurde nicht gefunden</h2><p>Im Ordner <code>%1</code> fehlt das "
                "Inhaltsverzeichnis <code>contents.txt</code>.</p>")
                .arg(QDir::toNativeSeparators(folder).toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

} // namespace lingomat
