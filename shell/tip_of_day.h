#pragma once
// The tip-of-the-day windows: tips read from a text file in the program
// folder, one a line, shown one at a time in file order and round again.
// frmTip (opened from the business-assets window) and frmTip1 (the
// appointment screen's quick tips) differ only in their file, texts and
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
    QFrame* Picture1 = nullptr;
    QLabel* Image1 = nullptr;        // the light bulb
    QLabel* Label1 = nullptr;        // the heading
    QLabel* lblTipText = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdNextTip = nullptr;

    // True when the file was read (an empty file too); false for an empty
    // path, a path where no file is, and a file that cannot be read.
    bool LoadTips(const QString& path);
    void DoNextTip();
    void DisplayCurrentTip();

    void cmdNextTip_Click();
    void cmdOK_Click();
    // Stores the box's tick as the setting at once.
    void chkLoadTipsAtStartup_Click();

    const QStringList& tips() const { return m_tips; }
    int currentTip() const { return m_currentTip; }

protected:
    TipOfDay(const QString& fileName, const QString& heading, const QString& boxName, const QString& boxCaption,
             bool topMost);

    QCheckBox* startupBox() const { return m_startupBox; }
    void formLoad() override;

private:
    QString m_fileName;
    bool m_topMost;
    QCheckBox* m_startupBox = nullptr;
    QStringList m_tips;
    int m_currentTip = 0;
};

// Tips of the program as a whole, from "TIPOFDAY.TXT"; kept above other windows.
class frmTip : public TipOfDay {
    Q_OBJECT
public:
    frmTip();
    QCheckBox* const chkLoadTipsAtStartup = startupBox();
};

// Quick tips for the appointment screen, from "TIPOFDAY1.TXT".
class frmTip1 : public TipOfDay {
    Q_OBJECT
public:
    frmTip1();
    QCheckBox* const chkLoadTipsAtStartup1 = startupBox();
};
