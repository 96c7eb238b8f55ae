#pragma once
// The way from a Help button to the help text. The caller names the help file
// in the program's help-file setting, then asks for one of the help commands.
//
// The help viewer of this system is the help window ("Frmhelp"), which shows
// the rich-text help of the program folder ("Index.rtf"). A help file in the
// old compiled format ("HelpFile.hlp") cannot be shown here, so the viewer
// serves its commands with that text: the contents, help on using help and a
// keyword search all open the help window (the search puts the first place
// the word appears in view); quitting help closes it.
#include <QString>

class QWidget;

// The help commands the viewer understands, numbered as they always were.
namespace HelpCommand {
constexpr int Quit = 2;          // close the viewer
constexpr int Contents = 3;      // the contents
constexpr int HelpOnHelp = 4;    // how to use help
constexpr int PartialKey = 261;  // search by (part of) a key word
}

// The program's help-file setting: empty until a caller sets it.
QString helpFile();
void setHelpFile(const QString& path);

// Refuses a help-file setting that is blank ("No Help File Available") and any
// command but the four above ("Invalid Help Command Value"); otherwise hands
// the setting, the command and, for the search only, the key word to the
// viewer. Nothing is returned.
void showHelp(QWidget* owner, int command, const QString& keyword = QString());

// What the Help buttons do: the help-file setting becomes the program folder's
// "HelpFile.hlp", then the contents are asked for.
void openHelpContents(QWidget* owner);

// The viewer itself, as showHelp calls it: the file, the command and the data
// of the command (the key word, or empty).
void openHelpViewer(QWidget* owner, const QString& file, int command, const QString& data);
