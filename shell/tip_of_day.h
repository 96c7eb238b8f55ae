#pragma once
// The tip-of-the-day windows: tips read from a text file in the program
// folder, one a line, shown one at a time in file order and round again.
// ProgramTips (opened from the business-assets window) and AppointmentBookTips
// (the appointment screen's quick tips) differ only in their file, texts and
// whether they stay on top. Both obey one per-user setting, "Show Tips at
// Startup": once it is "0", neither appears when opened.
#include "platform/forms/window.h"

#include <QStringList>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

class TipOfDay : public qv::Window {
    Q_OBJECT
public:
    const QStringList& tips() const { return m_tips; }
    // True when the file was read (an empty file too); false for an empty
    // path, a path where no file is, and a file that cannot be read.
    bool loadTips(const QString& path);

protected:
    // The tips file, the heading, the startup box's objectName and caption,
    // and whether the window stays above others.
    TipOfDay(const QString& fileName, const QString& heading, const QString& boxName, const QString& boxCaption,
             bool topMost);
    void formLoad() override;

private:
    // Next Tip, OK and the startup box.
    void showNextTip();
    void dismiss();
    // Stores the box's tick as the setting at once.
    void storeStartupChoice();

    void advanceTip();
    void displayCurrentTip();

    // Controls; tests and other windows find them by their objectName.
    QFrame* tipPanel = nullptr;
    QLabel* bulb = nullptr;
    QLabel* headingLabel = nullptr;
    QLabel* tipText = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* nextTipButton = nullptr;
    QCheckBox* m_startupBox = nullptr;   // named by each tips window

    QString m_fileName;
    bool m_topMost;
    QStringList m_tips;
    int m_currentTip = 0;   // the tip shown, counted from 1
};

// Tips of the program as a whole, from "TIPOFDAY.TXT"; kept above other windows.
class ProgramTips : public TipOfDay {
    Q_OBJECT
public:
    ProgramTips();
};

// Quick tips for the appointment screen, from "TIPOFDAY1.TXT".
class AppointmentBookTips : public TipOfDay {
    Q_OBJECT
public:
    AppointmentBookTips();
};
