#include "ui/ErrorFileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "support/Cp1252.h"
#include "support/SetupDialogSupport.h"

namespace lingomat {

namespace {

// The game's own folder; an empty working path means the folder the game was started in, which
// a file dialog would take for the file system's root.
QString WorkingFolder(const CLingomatDoc& doc) {
    return QDir(QFile::decodeName(doc.WorkingPath(".").string().c_str())).absolutePath();
}

// Paths go to the document in the system's own file name encoding, not in the game's.
std::string SystemPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The game's title names the lessons played (on the end screen it is the ended game's); it holds
// accent escapes as stored and may hold characters that a file name cannot.
QString SuggestedName(const CLingomatDoc& doc) {
    QString name = ToQString(DecodeAccents(doc.IsGameOver() ? doc.PlayedTitle() : doc.Title()));
    for (QChar& character : name) {
        if (character == QLatin1Char('/') || character == QLatin1Char('\\') ||
            character == QLatin1Char(':')) {
            character = QLatin1Char('-');
        }
    }
    return (name.trimmed().isEmpty() ? QStringLiteral("Fehler") : name) + QStringLiteral(".lef");
}

QString ChooseFile(CLingomatDoc& doc, QWidget* parent, bool save) {
    // "*.*" would hide every file without a dot on this system.
    return AskFile(parent, {.caption = save ? QStringLiteral("Fehlerdatei schreiben")
                                            : QStringLiteral("Fehlerdatei laden"),
                            .objectName = save ? QStringLiteral("saveErrorFileDialog")
                                               : QStringLiteral("openErrorFileDialog"),
                            .folder = WorkingFolder(doc),
                            .filters = {QStringLiteral("Lingomat-Fehlerdateien (*.lef)"),
                                        QStringLiteral("Alle Dateien (*)")},
                            .save = save,
                            .defaultSuffix = QStringLiteral("lef"),
                            .suggestedName = save ? SuggestedName(doc) : QString()});
}

void TellFailure(QWidget* parent, const QString& what, const QString& path) {
    ShowDialogMessage(parent, what + QDir::toNativeSeparators(path), QStringLiteral("Lingomat"),
                      QMessageBox::Warning);
}

} // namespace

bool PlayErrorFile(CLingomatDoc& doc, QWidget* parent, const QString& fileName) {
    const QString path = fileName.isEmpty() ? ChooseFile(doc, parent, false) : fileName;
    if (path.isEmpty()) {
        return false;
    }
    // A file that cannot be read would silently end the running game and start an empty one.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        TellFailure(parent, QStringLiteral("Die Fehlerdatei konnte nicht gelesen werden: "), path);
        return false;
    }
    file.close();
    if (!doc.OnOpenDocument(SystemPath(path))) {
        TellFailure(parent,
                    QStringLiteral("Die Datei enth\u00e4lt keine Fragen einer Fehlerdatei: "),
                    path);
        return false;
    }
    // The title names the file, so the window and the end screen say what is played.
    doc.SetTitle("Fehlerdatei " + FromQString(QFileInfo(path).completeBaseName()));
    return true;
}

bool WriteErrorFile(CLingomatDoc& doc, QWidget* parent, const QString& fileName) {
    const QString path = fileName.isEmpty() ? ChooseFile(doc, parent, true) : fileName;
    if (path.isEmpty()) {
        return false;
    }
    if (!doc.OnSaveDocument(SystemPath(path))) {
        TellFailure(parent, QStringLiteral("Die Fehlerdatei konnte nicht geschrieben werden: "),
                    path);
        return false;
    }
    return true;
}

} // namespace lingomat
