#pragma once

#include <QString>

class QWidget;

namespace lingomat {

class CLingomatDoc;

// "Fehlerdatei laden" and the lesson dialog's "Fehlerdatei spielen": the file-open dialog on the
// working directory, then the document opens the file as a new game in place of the running one.
// A given fileName skips the dialog. Returns whether a game was started, so the caller starts its
// timers; false when the dialog was cancelled or the file cannot be read (the player is told and
// the running game stays).
bool PlayErrorFile(CLingomatDoc& doc, QWidget* parent, const QString& fileName = {});

// "Fehlerdatei schreiben": the file-save dialog (".lef" added to a name without suffix), then the
// document writes the words answered wrongly. A given fileName skips the dialog. Returns whether
// the file was written; a failed write is told to the player.
bool WriteErrorFile(CLingomatDoc& doc, QWidget* parent, const QString& fileName = {});

} // namespace lingomat
