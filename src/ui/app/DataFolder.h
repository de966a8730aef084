#pragma once
// The data folder, which is always the current folder: the one the command
// line names, the one chosen last, or one picked with the desktop's folder
// chooser. A folder is held as the system's own bytes from where it is named
// to where it is entered, so a name that is not valid UTF-8 (Latin-1 bytes
// from an old USB stick) opens too; it becomes text only to be shown.
// Only a folder that holds the companion's publisher file is a data folder:
// any other is refused before anything is read from it or written into it.

#include <QString>
#include <string>

class QWidget;

namespace varnok {

class ProfileFile;

// Makes `folder` the current folder; false when it is no folder that can be entered.
bool EnterDataFolder(const std::string& folder);
// The current folder, in the system's bytes.
std::string CurrentDataFolder();

// True when `folder` is a folder (links followed).
bool FolderExists(const std::string& folder);
// True when `folder` holds the publisher file (tdat9.bin).
bool IsDataFolder(const std::string& folder);
// What the user is told of a folder that is not a data folder: the folder
// and the file it lacks.
QString NotADataFolderText(const std::string& folder);

// A folder's name as the user reads it: UTF-8 as it is, other bytes as Latin-1.
QString FolderForDisplay(const std::string& folder);
// The system's bytes of a folder named as Qt decodes names (a byte that is
// not UTF-8 became U+FFFD): the one folder on disk whose name decodes so.
std::string FolderBytes(const QString& folder);

// The desktop's folder chooser, opened at `start` (the home folder when that
// is gone). "" when the user cancels.
std::string AskDataFolder(QWidget* parent, const std::string& start);
// The chooser until the user picks a data folder or cancels: a folder without
// the publisher file is told and the chooser comes again, opened there.
std::string ChooseDataFolder(QWidget* parent, const std::string& start);

// Remembers the current folder as the data folder chosen last.
void RememberDataFolder(const ProfileFile& profile);

// The desktop's way to start: the folder chosen last while it still holds the
// publisher file; otherwise the chooser, and the folder picked there is
// remembered. The folder becomes the current folder. False when the user
// cancelled the chooser: then nothing has been written.
bool OpenLastOrChosenFolder(const ProfileFile& profile);

}  // namespace varnok
