#pragma once

#include <string>

namespace lingomat {

class LoadProgress;
class PlayerStatistics;

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question, Warning, Stop };
enum class MessageAnswer { Ok, Yes, No };

// What the game document needs from the window system. The window implements it with real
// dialogs; tests answer from a script.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                      MessageButtons buttons, MessageIcon icon) = 0;

    // The player dialog at start-up: switches the statistics store to the chosen player and
    // returns the chosen data set; dataSetName comes in as the preset and stays on cancel.
    virtual void ChoosePlayer(PlayerStatistics& statistics, std::string& dataSetName) = 0;

    // The player dialog from the menu: only the player changes, the loaded data set stays.
    virtual void ChangePlayer(PlayerStatistics& statistics, const std::string& loadedDataSet) {
        std::string kept = loadedDataSet;
        ChoosePlayer(statistics, kept);
    }

    // The loading progress window, or nullptr for none.
    virtual LoadProgress* LoadingProgress() { return nullptr; }

    // The frame shows the title and whether leaving must be confirmed.
    virtual void TitleChanged(const std::string& /*title*/) {}
    virtual void ModifiedChanged(bool /*modified*/) {}
};

} // namespace lingomat
