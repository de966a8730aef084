#pragma once
// The data folder, which is always the current folder: the one the command
// line names, the one chosen last, or one picked with the desktop's folder
// chooser.

#include <QString>

class QWidget;

namespace varnok {

class ProfileFile;

// Makes `folder` the current folder; false when it is no folder that can be entered.
bool EnterDataFolder(const QString& folder);

// The desktop's folder chooser, opened at `start` (the home folder when that
// is gone). "" when the user cancels.
QString AskDataFolder(QWidget* parent, const QString& start);

// Remembers the current folder as the data folder chosen last.
void RememberDataFolder(const ProfileFile& profile);

// The desktop's way to start: the folder chosen last while it still holds the
// publisher file; otherwise the chooser, and the folder picked there is
// remembered. The folder becomes the current folder. False when the user
// cancelled the chooser: then nothing has been written.
bool OpenLastOrChosenFolder(const ProfileFile& profile);

}  // namespace varnok
