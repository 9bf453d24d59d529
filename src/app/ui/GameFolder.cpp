#include "ui/GameFolder.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <system_error>

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include "support/Prompts.h"

#ifndef LINGOMAT_SHIPPED_FROM_BINDIR
#define LINGOMAT_SHIPPED_FROM_BINDIR "../share/lingomat"
#endif

namespace lingomat {
namespace {

namespace fs = std::filesystem;

const char* const TipsFile = "tipps.txt";
const char* const LinkedFolders[] = {"help", "images"};

bool IsDataSetName(const std::string& name) {
    const std::string suffix = ".voc";
    if (name.size() < suffix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[name.size() - suffix.size() + i]);
        if (std::tolower(c) != suffix[i]) {
            return false;
        }
    }
    return true;
}

// The copy keeps the shipped file's time, so "older" means an older shipped version, not the
// moment of copying. It is written beside the target and renamed over it: an interrupted copy
// never leaves a cut-off data set in the player's folder.
bool CopyIfOlder(const fs::path& source, const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target, error);
    if (fs::exists(status)) {
        // A link or anything but a plain file there was put there by the player.
        if (!fs::is_regular_file(status)) {
            return true;
        }
        const auto shipped = fs::last_write_time(source, error);
        if (error) {
            return false;
        }
        const auto present = fs::last_write_time(target, error);
        if (!error && present >= shipped) {
            return true;
        }
    }
    // Appended step by step: "." + string at -O3 trips a false -Wrestrict in GCC 12.
    std::string partialName = ".";
    partialName += target.filename().string();
    partialName += ".partial";
    const fs::path partial = target.parent_path() / partialName;
    fs::copy_file(source, partial, fs::copy_options::overwrite_existing, error);
    if (!error) {
        const auto shipped = fs::last_write_time(source, error);
        if (!error) {
            fs::last_write_time(partial, shipped, error);
        }
    }
    if (!error) {
        fs::rename(partial, target, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return false;
    }
    return true;
}

bool CopyFolderIfOlder(const fs::path& source, const fs::path& target) {
    std::error_code error;
    fs::create_directories(target, error);
    if (error) {
        return false;
    }
    bool complete = true;
    for (fs::recursive_directory_iterator it(source, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path destination = target / fs::relative(it->path(), source);
        std::error_code kind;
        if (it->is_directory(kind)) {
            fs::create_directories(destination, kind);
            complete = complete && !kind;
        } else if (it->is_regular_file(kind)) {
            complete = CopyIfOlder(it->path(), destination) && complete;
        }
    }
    return complete && !error;
}

// A link follows updates of the installed files; a link to some other place is an earlier
// installation's and is renewed. A real folder of that name is kept and brought up to date.
bool ProvideFolder(const fs::path& source, const fs::path& target) {
    std::error_code error;
    if (!fs::is_directory(source, error)) {
        return true;
    }
    const fs::file_status status = fs::symlink_status(target, error);
    if (fs::is_symlink(status)) {
        if (fs::read_symlink(target, error) == source && !error) {
            return true;
        }
        fs::remove(target, error);
        if (error) {
            return false;
        }
    } else if (fs::is_directory(status)) {
        return CopyFolderIfOlder(source, target);
    } else if (fs::exists(status)) {
        return true;
    }
    fs::create_directory_symlink(source, target, error);
    return !error || CopyFolderIfOlder(source, target);
}

bool FillPlayerFolder(const fs::path& shipped, const fs::path& player) {
    std::error_code error;
    fs::create_directories(player, error);
    if (error || !fs::is_directory(player, error)) {
        return false;
    }
    bool complete = true;
    for (fs::directory_iterator it(shipped, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(kind) && (IsDataSetName(name) || name == TipsFile)) {
            complete = CopyIfOlder(it->path(), player / name) && complete;
        }
    }
    complete = complete && !error;
    for (const char* folder : LinkedFolders) {
        complete = ProvideFolder(shipped / folder, player / folder) && complete;
    }
    return complete;
}

fs::path ShippedFolder() {
    const fs::path binDir = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    std::error_code error;
    const fs::path shipped = fs::weakly_canonical(binDir / LINGOMAT_SHIPPED_FROM_BINDIR, error);
    return error ? binDir / LINGOMAT_SHIPPED_FROM_BINDIR : shipped;
}

} // namespace

fs::path PlayerGameFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute()) {
        return fs::path(xdgDataHome) / "lingomat";
    }
    if (home != nullptr && fs::path(home).is_absolute()) {
        return fs::path(home) / ".local" / "share" / "lingomat";
    }
    return {};
}

bool HoldsDataSet(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (it->is_regular_file(kind) && IsDataSetName(it->path().filename().string())) {
            return true;
        }
    }
    return false;
}

GameFolderChoice ChooseGameFolder(const fs::path& workingDirectory, const fs::path& shippedFolder,
                                  const fs::path& playerFolder) {
    if (HoldsDataSet(workingDirectory)) {
        return {workingDirectory, false, false};
    }
    const bool shipped = HoldsDataSet(shippedFolder);
    if (playerFolder.empty()) {
        return {workingDirectory, false, shipped};
    }
    // A partly failed update still leaves a playable folder behind; only a folder without any
    // data set is a failure worth a message.
    if (shipped) {
        FillPlayerFolder(shippedFolder, playerFolder);
    }
    if (HoldsDataSet(playerFolder)) {
        return {playerFolder, true, false};
    }
    return {workingDirectory, false, shipped};
}

void EnterGameFolder() {
    std::error_code error;
    const fs::path working = fs::current_path(error);
    if (error) {
        return;
    }
    const fs::path player = PlayerGameFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    const GameFolderChoice choice = ChooseGameFolder(working, ShippedFolder(), player);
    if (choice.playerFolder) {
        fs::current_path(choice.folder, error);
    }
    if (choice.failed || error) {
        const QString reason =
            player.empty()
                ? QString::fromUtf8(
                      "Es ist kein persönlicher Ordner bekannt (HOME ist nicht gesetzt).")
                : QString::fromUtf8("Der Ordner \u201e%1\u201c konnte nicht angelegt oder mit den "
                                    "mitgelieferten Vokabeldateien gefüllt werden.")
                      .arg(QFile::decodeName(player.c_str()));
        ShowDialogMessage(nullptr,
                          reason +
                              QString::fromUtf8("\n\nLingomat startet ohne Vokabeldatei im Ordner "
                                                "\u201e%1\u201c.")
                                  .arg(QFile::decodeName(working.c_str())),
                          QStringLiteral("Lingomat"), QMessageBox::Warning);
    }
}

} // namespace lingomat
