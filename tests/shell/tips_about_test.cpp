// The tip-of-the-day windows over real tip files in the program folder and a
// private settings store, the static help notes and the about box.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "shell_fixture.h"

#include "shell/about_box.h"
#include "shell/calculator.h"
#include "shell/quick_tips.h"
#include "shell/tip_of_day.h"
#include "shell/version.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace shelltest;

namespace {

struct TipKind {
    const char* window;
    const char* file;
    const char* heading;
    const char* box;
    bool topMost;
};

const TipKind kTipKinds[] = {
    {"frmTip", "TIPOFDAY.TXT", "Did you know...", "chkLoadTipsAtStartup", true},
    {"frmTip1", "TIPOFDAY1.TXT", "Quick tips for appointment screen...", "chkLoadTipsAtStartup1", false},
};

class TipsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        // The user's own settings stay untouched.
        ASSERT_TRUE(settingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }

    void writeTips(const QString& name, const QByteArray& bytes)
    {
        QFile f(QDir(db->folder()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QVariant stored()
    {
        return QSettings("Quorvel", "Quorvel").value("Options/Show Tips at Startup");
    }
    static void store(const QString& value) { QSettings("Quorvel", "Quorvel").setValue("Options/Show Tips at Startup", value); }

    TipOfDay* openTips(const TipKind& kind) { return open<TipOfDay>(QString::fromLatin1(kind.window)); }
    static QCheckBox* boxOf(TipOfDay* w, const TipKind& kind) { return w->findChild<QCheckBox*>(kind.box); }

    // The tip shown at load, then after each press of "Next Tip".
    static QStringList shownTips(TipOfDay* w, int presses)
    {
        QStringList shown{w->findChild<QLabel*>(QStringLiteral("lblTipText"))->text()};
        for (int i = 0; i < presses; ++i) {
            qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNextTip")));
            shown << w->findChild<QLabel*>(QStringLiteral("lblTipText"))->text();
        }
        return shown;
    }

    QTemporaryDir settingsDir;
};

} // namespace

TEST_F(TipsTest, EachWindowShowsItsOwnFileInOrderAndRoundAgain)
{
    writeTips("TIPOFDAY.TXT", "Book early.\r\nSmile.\r\nSweep up.\r\n");
    writeTips("TIPOFDAY1.TXT", "Pick a time.\r\nPick an artist.\r\nSave the ticket.\r\n");
    const QStringList expected[] = {{"Book early.", "Smile.", "Sweep up.", "Book early.", "Smile."},
                                    {"Pick a time.", "Pick an artist.", "Save the ticket.", "Pick a time.",
                                     "Pick an artist."}};
    for (int i = 0; i < 2; ++i) {
        const TipKind& kind = kTipKinds[i];
        TipOfDay* w = openTips(kind);
        ASSERT_TRUE(w) << kind.window;
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label1"))->text(), kind.heading);
        EXPECT_EQ(bool(w->windowFlags() & Qt::WindowStaysOnTopHint), kind.topMost) << kind.window;
        EXPECT_EQ(shownTips(w, 4), expected[i]) << kind.window;
        qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdOK")));
        settle();
        EXPECT_FALSE(isLoaded(kind.window)) << kind.window;
    }
    // Opened anew, a window starts from the first tip again.
    TipOfDay* again = openTips(kTipKinds[0]);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->findChild<QLabel*>(QStringLiteral("lblTipText"))->text(), "Book early.");
    EXPECT_EQ(again->tips().size(), 3);
}

TEST_F(TipsTest, EveryLineIsATipBlankOnesToo)
{
    const struct {
        QByteArray bytes;
        QStringList shown;
    } files[] = {
        // A blank line is a tip of its own; the last line needs no line end.
        {"First\r\n\r\nThird", {"First", "", "Third", "First"}},
        // Lines ended the way other systems end them.
        {"One\nTwo\n", {"One", "Two", "One", "Two"}},
        // 8-bit text as Notepad writes it, and UTF-8.
        {"Caf\xe9 au lait\r\n", {QString::fromUtf8("Café au lait"), QString::fromUtf8("Café au lait")}},
        {"Caf\xc3\xa9\r\n", {QString::fromUtf8("Café"), QString::fromUtf8("Café")}},
    };
    for (const auto& f : files) {
        writeTips("TIPOFDAY1.TXT", f.bytes);
        TipOfDay* w = openTips(kTipKinds[1]);
        ASSERT_TRUE(w);
        EXPECT_EQ(shownTips(w, f.shown.size() - 1), f.shown) << f.bytes.toStdString();
        w->unload();
        settle();
    }
}

TEST_F(TipsTest, AnEmptyFileLeavesTheLabelEmpty)
{
    writeTips("TIPOFDAY.TXT", "");
    TipOfDay* w = openTips(kTipKinds[0]);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->tips().isEmpty());
    EXPECT_EQ(shownTips(w, 2), QStringList({"", "", ""}));
}

TEST_F(TipsTest, AMissingFileSaysHowToMakeOne)
{
    for (const TipKind& kind : kTipKinds) {
        TipOfDay* w = openTips(kind);
        ASSERT_TRUE(w) << kind.window;
        const QString file = QString::fromLatin1(kind.file);
        const QString text = "That the " + file + " file was not found? \r\n\r\nCreate a text file named " + file
            + " using NotePad with 1 tip per line. Then place it in the same directory as the application. ";
        // "Next Tip" still works and leaves the text as it is.
        EXPECT_EQ(shownTips(w, 2), QStringList({text, text, text})) << kind.window;
        EXPECT_TRUE(ui.script.messages().isEmpty());
    }
    // A folder of that name is no tips file either.
    TipOfDay* w = openTips(kTipKinds[0]);
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->loadTips(QString()));
    EXPECT_FALSE(w->loadTips(db->folder()));
    EXPECT_FALSE(w->loadTips(QDir(db->folder()).filePath("NOSUCH.TXT")));
}

TEST_F(TipsTest, UntickingTheBoxKeepsBothWindowsAwayFromThenOn)
{
    writeTips("TIPOFDAY.TXT", "A tip\r\n");
    writeTips("TIPOFDAY1.TXT", "A quick tip\r\n");
    // No setting yet: both open with the box ticked, and opening stores nothing.
    EXPECT_FALSE(stored().isValid());
    for (const TipKind& kind : kTipKinds) {
        TipOfDay* w = openTips(kind);
        ASSERT_TRUE(w) << kind.window;
        EXPECT_TRUE(boxOf(w, kind)->isChecked()) << kind.window;
    }
    EXPECT_FALSE(stored().isValid());

    // The click stores the tick at once, both ways.
    TipOfDay* quick = qobject_cast<TipOfDay*>(qv::Windows::loaded("frmTip1"));
    QCheckBox* box = boxOf(quick, kTipKinds[1]);
    qvtest::clickAt(box);
    EXPECT_EQ(stored().toString(), "0");
    qvtest::clickAt(box);
    EXPECT_EQ(stored().toString(), "1");
    qvtest::clickAt(box);
    EXPECT_EQ(stored().toString(), "0");
    unloadAll();

    // From now on neither window appears, and neither sets the value back.
    for (const TipKind& kind : kTipKinds) {
        EXPECT_EQ(qv::Windows::show(kind.window), nullptr) << kind.window;
        settle();
        EXPECT_FALSE(isLoaded(kind.window)) << kind.window;
    }
    EXPECT_EQ(stored().toString(), "0");

    // Only a stored 0 hides them: a damaged value counts as the default.
    store("yes");
    TipOfDay* w = openTips(kTipKinds[0]);
    ASSERT_TRUE(w);
    EXPECT_TRUE(boxOf(w, kTipKinds[0])->isChecked());
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblTipText"))->text(), "A tip");
}

TEST_F(TipsTest, HelpNotesShowTheirWholeTextAboveOtherWindows)
{
    const struct {
        const char* window;
        const char* title;
        const char* starts;
        const char* inside;   // the double blanks are the text's own
    } notes[] = {
        {"frmquicktips", "Tips", "Enter the dates for the range", "Click on the  Employee records"},
        {"frmquicktips4", "Quick Tips", "To enter commissions into this form:", "drop down boxes , or type"},
        {"Form5", "Help", "The Appointment form is disabled", "from the  manage appointment form"},
        {"frmquicktips1", "QuickTips", "If you have made an error", "back in inventory.  Remember: You are"},
    };
    for (const auto& n : notes) {
        auto* w = open<QuickTipNote>(n.window);
        ASSERT_TRUE(w) << n.window;
        EXPECT_EQ(w->windowTitle(), n.title);
        EXPECT_TRUE(w->findChild<QLabel*>(QStringLiteral("Label1"))->text().startsWith(n.starts)) << n.window;
        EXPECT_TRUE(w->findChild<QLabel*>(QStringLiteral("Label1"))->text().contains(n.inside)) << n.window;
        EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint) << n.window;
        EXPECT_TRUE(w->findChildren<QPushButton*>().isEmpty()) << n.window;
        // The whole text fits in the window.
        EXPECT_TRUE(w->rect().contains(w->findChild<QLabel*>(QStringLiteral("Label1"))->geometry())) << n.window;
        EXPECT_GE(w->findChild<QLabel*>(QStringLiteral("Label1"))->height(), w->findChild<QLabel*>(QStringLiteral("Label1"))->heightForWidth(w->findChild<QLabel*>(QStringLiteral("Label1"))->width())) << n.window;
        // The title bar's Close is the way out.
        w->close();
        settle();
        EXPECT_FALSE(isLoaded(n.window)) << n.window;
    }
}

TEST_F(TipsTest, AboutBoxNamesTheProgramAndItsVersion)
{
    auto* about = open<AboutBox>("frmAbout");
    ASSERT_TRUE(about);
    EXPECT_EQ(about->windowTitle(), "About Quorvel");
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), "Quorvel");
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version %1.%2.%3")
                                             .arg(shell::kVersionMajor)
                                             .arg(shell::kVersionMinor)
                                             .arg(shell::kVersionRevision));
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("Label2"))->text(), "This program is best viewed at 800 x 600");
    EXPECT_TRUE(about->windowFlags() & Qt::WindowStaysOnTopHint);
    qvtest::clickAt(about->findChild<QPushButton*>(QStringLiteral("cmdOK")));
    settle();
    EXPECT_FALSE(isLoaded("frmAbout"));
}

// Pictures for a person to look at: set QV_SHOT_DIR to a folder.
TEST_F(TipsTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    QDir().mkpath(folder);
    writeTips("TIPOFDAY.TXT",
              "You can find a ticket by the client's phone number with Find By Phone#.\r\nSecond tip.\r\n");
    for (const char* name : {"frmTip", "frmTip1", "frmAbout", "Calculator", "frmquicktips", "frmquicktips1",
                             "frmquicktips4", "Form5"}) {
        qv::Window* w = qv::Windows::show(name);
        ASSERT_TRUE(w) << name;
        if (auto* calc = qobject_cast<Calculator*>(w))
            for (QPushButton* b : {calc->findChild<QPushButton*>(qv::arrayMemberName("Number", 1)), calc->findChild<QPushButton*>(qv::arrayMemberName("Number", 2)), calc->findChild<QPushButton*>(QStringLiteral("Decimal")),
                                   calc->findChild<QPushButton*>(qv::arrayMemberName("Number", 5))})
                qvtest::clickAt(b);
        QTest::qWait(50);
        EXPECT_TRUE(w->grab().save(folder + "/" + name + ".png")) << name;
    }
}

TEST_F(TipsTest, TheShippedTipsFilesShowTheirFirstTipOneTipALine)
{
    // The files the build writes beside the program, as an installation brings them.
    const QString built = QCoreApplication::applicationDirPath();
    for (const TipKind& kind : kTipKinds) {
        const QString name = QString::fromLatin1(kind.file);
        QFile shipped(built + "/" + name);
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly)) << shipped.fileName().toStdString();
        const QByteArray bytes = shipped.readAll();
        ASSERT_TRUE(bytes.endsWith("\r\n")) << kind.file;
        const QList<QByteArray> lines = bytes.chopped(2).split('\n');
        ASSERT_GE(lines.size(), 5) << kind.file;
        for (const QByteArray& line : lines) {
            // CR LF ends every line, and no tip is blank.
            EXPECT_TRUE(line.endsWith('\r') || &line == &lines.last()) << kind.file << ": " << line.toStdString();
            EXPECT_FALSE(line.trimmed().isEmpty()) << kind.file;
        }
        writeTips(name, bytes);

        TipOfDay* w = openTips(kind);
        ASSERT_TRUE(w) << kind.window;
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblTipText"))->text(), QString::fromLatin1(lines.first().chopped(1))) << kind.window;
        EXPECT_EQ(w->tips().size(), lines.size()) << kind.window;
        qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNextTip")));
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblTipText"))->text(), QString::fromLatin1(lines.at(1).chopped(1))) << kind.window;
        qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdOK")));
        settle();
    }
}
