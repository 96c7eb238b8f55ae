#pragma once
// The programs of the system that the assets window starts by the names it
// has always asked for ("Notepad.exe", "Pbrush.exe", "kodakimg.exe",
// "WangImg.exe"), and the programs that stand for them here.
#include <QString>
#include <QStringList>

// The programs that can stand for the named one, in order of preference;
// empty for a name we know nothing of.
QStringList systemProgramCandidates(const QString& name);

// The first candidate found on the search path; the first candidate when
// none is installed (starting it then fails and the caller says so); the
// name itself when there is no candidate.
QString systemProgramFor(const QString& name);

// The page the "Visit the web!" button opens, and the command that opens a
// web page in the user's browser.
QString makerWebPage();
QString webOpener();
