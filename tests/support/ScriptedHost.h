#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/DocumentHost.h"
#include "players/PlayerStatistics.h"

namespace lingomat::testing {

// Answers the document's questions from a script (No, or OK, when the script has run out) and
// remembers what it was asked, so that a whole game runs without a window.
class ScriptedHost : public DocumentHost {
public:
    // Without choosesPlayer the player dialog keeps the player as he is.
    explicit ScriptedHost(bool choosesPlayer = true) : choosesPlayer(choosesPlayer) {}

    struct Message {
        std::string text;
        std::string caption;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons, MessageIcon icon) override {
        messages.push_back({text, caption, buttons, icon});
        if (answers.empty()) {
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Does what the player dialog does when a player is confirmed.
    void ChoosePlayer(PlayerStatistics& statistics, std::string& dataSetName) override {
        ++playerDialogs;
        presetDataSet = dataSetName;
        if (!choosesPlayer) {
            return;
        }
        if (!chosenDataSet.empty()) {
            dataSetName = chosenDataSet;
        }
        statistics.Save();
        statistics.Reset();
        statistics.SetPlayerName(player);
        statistics.Load();
    }

    std::string LastMessage() const { return messages.empty() ? "" : messages.back().text; }

    void TitleChanged(const std::string& title) override { titles.push_back(title); }

    bool choosesPlayer = true;
    std::string player = "Anna";
    std::string chosenDataSet;
    std::deque<MessageAnswer> answers;

    std::vector<Message> messages;
    std::vector<std::string> titles;
    std::string presetDataSet;
    int playerDialogs = 0;
};

} // namespace lingomat::testing
