#pragma once

#include <vector>

#include <QKeySequence>

namespace lingomat {

class CLingomatDoc;
class CLingomatView;
class CMainFrame;
struct CommandEntry;

// What a command's handler works on.
struct CommandContext {
    CLingomatDoc& document;
    CLingomatView& view;
    CMainFrame& frame;
    const CommandEntry& command;
};

// The two toolbars: the game's commands and, on a row of their own, the special characters,
// so that every button shows at the window's default width.
enum class ToolBarRow { None, Commands, Characters };

// One command of menu, accelerators, toolbar and status bar. Menus list their commands in the
// order of the table; the toolbars list theirs by picture.
struct CommandEntry {
    int id;
    // Menu text (UTF-8), with "&" before the mnemonic and the shortcut's name after a tab.
    const char* text;
    // Status-bar prompt, then after a line break the tooltip; empty for none.
    const char* prompt;
    std::vector<QKeySequence> shortcuts;
    // The menu it stands in, a sub-menu after a "/"; nullptr for none.
    const char* menu;
    bool separatorBefore;
    ToolBarRow toolBar;
    // Its picture in the toolbar strip, which is also its place there; a new group starts
    // with a separator.
    int picture;
    int group;
    bool checkable;
    void (*handler)(const CommandContext&);
};

const std::vector<CommandEntry>& CommandTable();
const CommandEntry* FindCommand(int id);

// The top-level menus in the menu bar's order: title and object name.
struct MenuEntry {
    const char* title;
    const char* objectName;
};
const std::vector<MenuEntry>& MenuTable();

// The Windows-1252 byte a special character command types.
unsigned char CharacterOf(const CommandEntry& command);

} // namespace lingomat
