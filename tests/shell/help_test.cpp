// Help: the checks of the help access, the help commands as the help window
// serves them, printing the help text and dragging the window by its title.
#include "support/user_hands.h"
#include "shell_fixture.h"

#include "common/help_access.h"
#include "platform/print/print_devices.h"
#include "platform/print/printer.h"
#include "platform/print/rich_text_box.h"
#include "shell/help_window.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

using namespace shelltest;

// Readable texts in failure messages.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class HelpTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        setHelpFile(QString());
    }
    void TearDown() override
    {
        ShellTest::TearDown();
        setHelpFile(QString());
    }

    // Index.rtf in the program folder, one paragraph per line.
    void writeHelpText(const QStringList& lines, int halfPoints = 20)
    {
        QFile file(db->folder() + "/Index.rtf");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs" + QByteArray::number(halfPoints) + " ";
        rtf += lines.join("\\par\n").toUtf8();
        rtf += "\\par}";
        file.write(rtf);
    }

    HelpWindow* helpWindow() const { return qobject_cast<HelpWindow*>(qv::Windows::loaded(QStringLiteral("Frmhelp"))); }

    static void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
};

} // namespace

TEST_F(HelpTest, ABlankSettingAndUnknownCommandsAreRefusedWithoutTheViewer)
{
    writeHelpText({"Contents"});
    struct Case {
        QString setting;
        int command;
        const char* message;
    };
    const QString file = db->folder() + "\\HelpFile.hlp";
    const Case cases[] = {
        {"", HelpCommand::Contents, "No Help File Available"},
        {"   ", HelpCommand::Contents, "No Help File Available"},
        {" \t ", HelpCommand::PartialKey, "No Help File Available"},
        {"", 1, "No Help File Available"},   // the setting is looked at first
        {file, 1, "Invalid Help Command Value"},
        {file, 0, "Invalid Help Command Value"},
        {file, 5, "Invalid Help Command Value"},
        {file, 260, "Invalid Help Command Value"},
        {file, -3, "Invalid Help Command Value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting.toStdString() + " / " + std::to_string(c.command));
        ui.script.clear();
        setHelpFile(c.setting);
        showHelp(nullptr, c.command, QStringLiteral("gift"));
        ASSERT_EQ(ui.script.events.size(), 1u);
        EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Message);
        EXPECT_EQ(ui.script.events[0].text, c.message);
        EXPECT_EQ(ui.script.events[0].style, 0);
        EXPECT_EQ(ui.script.events[0].title, "");
        EXPECT_FALSE(isLoaded(QStringLiteral("Frmhelp")));
    }
}

TEST_F(HelpTest, TheViewerServesContentsHelpOnHelpSearchAndQuit)
{
    QStringList lines;
    for (int i = 1; i <= 80; ++i)
        lines << QString("Topic %1").arg(i);
    lines << "Selling a Gift Certificate";
    writeHelpText(lines);
    setHelpFile(db->folder() + "\\HelpFile.hlp");

    showHelp(nullptr, HelpCommand::Contents);
    HelpWindow* w = helpWindow();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Help File");
    EXPECT_TRUE(w->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->text().startsWith("Topic 1\n"));
    EXPECT_EQ(w->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->textCursor().position(), 0);

    // A search finds the word whatever its case, below the first screen.
    showHelp(nullptr, HelpCommand::PartialKey, QStringLiteral("gift"));
    EXPECT_EQ(w->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->textCursor().selectedText(), "Gift");
    EXPECT_EQ(helpWindow(), w);   // still the one window

    showHelp(nullptr, HelpCommand::HelpOnHelp);
    EXPECT_EQ(w->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->textCursor().position(), 0);
    EXPECT_TRUE(w->isVisible());

    showHelp(nullptr, HelpCommand::Quit);
    settle();
    EXPECT_FALSE(isLoaded(QStringLiteral("Frmhelp")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();

    // Quitting with no viewer open is nothing; the X button closes it.
    showHelp(nullptr, HelpCommand::Quit);
    showHelp(nullptr, HelpCommand::Contents);
    ASSERT_TRUE(helpWindow());
    qvtest::clickAt(helpWindow()->findChild<QPushButton*>(QStringLiteral("Command2")));
    settle();
    EXPECT_FALSE(isLoaded(QStringLiteral("Frmhelp")));
}

TEST_F(HelpTest, CtrlVWithNothingCopiedLeavesTheTextAsItIs)
{
    writeHelpText({"Opening the salon", "Closing the day"});
    setHelpFile(db->folder() + "\\HelpFile.hlp");
    showHelp(nullptr, HelpCommand::Contents);
    ASSERT_TRUE(helpWindow());
    auto* text = helpWindow()->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"));
    const QString shown = text->text();
    ASSERT_TRUE(shown.startsWith("Opening the salon\nClosing the day"));
    ASSERT_TRUE(qvtest::clickAt(text));
    // An X clipboard that nobody owns offers an object with no format in it.
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    qvtest::press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text->text(), shown);
    // What was copied still comes in.
    QGuiApplication::clipboard()->setText(QStringLiteral("Note: "));
    qvtest::press(Qt::Key_Home, Qt::ControlModifier);
    qvtest::press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(text->text().startsWith("Note: Opening the salon")) << text->text().toStdString();
}

TEST_F(HelpTest, WithoutTheHelpTextTheWindowOpensEmptyAndSaysSo)
{
    HelpWindow* w = open<HelpWindow>(QStringLiteral("Frmhelp"));
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->text(), "");
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(ui.script.messages().first().contains("Index.rtf")) << ui.script.messages().first().toStdString();
}

TEST_F(HelpTest, PrintPutsTheTextOnPagesInsideTheMargins)
{
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QString("Line %1").arg(i);
    writeHelpText(lines, 24);
    HelpWindow* w = open<HelpWindow>(QStringLiteral("Frmhelp"));
    ASSERT_TRUE(w);

    // A device with an unprintable strip: margins count from the sheet's edge.
    auto device = std::make_unique<qv::RecordingPrintDevice>(QSizeF(12240, 15840), QPointF(300, 200));
    qv::RecordingPrintDevice* rec = device.get();
    qv::printer().setDevice(std::move(device));
    qv::printer().setPrintQuality(qv::PrintQuality::Draft);

    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::PrinterDialog);
    ASSERT_EQ(rec->jobs().size(), 1);
    EXPECT_EQ(rec->jobs()[0].printQuality, qv::PrintQuality::High);
    const QList<qv::PrintedPage> pages = rec->pages();
    ASSERT_EQ(pages.size(), 3);
    QStringList printed;
    for (const qv::PrintedPage& page : pages) {
        QList<qv::PrintedText> items;
        for (const qv::PrintedText& t : page.texts)
            if (t.text.startsWith("Line "))
                items << t;
        ASSERT_GE(items.size(), 2);
        EXPECT_NEAR(items.first().y, 1000 - 200, 0.5);
        const double line = items[1].y - items[0].y;
        for (const qv::PrintedText& t : items) {
            EXPECT_NEAR(t.x, 1000 - 300, 0.5);
            EXPECT_LE(t.y + line, 15840 - 2 * 200 + 0.5);
            printed << t.text;
        }
    }
    EXPECT_EQ(printed, lines);

    // A cancelled dialog prints nothing; a missing printer is passed over in silence.
    rec->clear();
    ui.script.clear();
    ui.script.printerAnswers.push_back(false);
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_TRUE(rec->jobs().isEmpty());
    EXPECT_FALSE(qv::printer().jobOpen());

    rec->setFailing(true);
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_TRUE(rec->jobs().isEmpty());
    EXPECT_FALSE(qv::printer().jobOpen());
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_TRUE(w->isVisible());

    qv::printer().useSystemPrinter();
}

TEST_F(HelpTest, DraggingTheTitleMovesTheWindowUntilReleased)
{
    writeHelpText({"Contents"});
    HelpWindow* w = open<HelpWindow>(QStringLiteral("Frmhelp"));
    ASSERT_TRUE(w);
    w->move(100, 80);
    QCoreApplication::processEvents();
    const QPoint start = w->pos();

    // 20 pixels are 300 twips.
    mouse(w->findChild<QLabel*>(QStringLiteral("Label1")), QEvent::MouseButtonPress, {30, 8}, Qt::LeftButton, Qt::LeftButton);
    mouse(w->findChild<QLabel*>(QStringLiteral("Label1")), QEvent::MouseMove, {50, 8}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w->pos(), start + QPoint(20, 0));
    mouse(w->findChild<QLabel*>(QStringLiteral("Label1")), QEvent::MouseMove, {20, 18}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w->pos(), start + QPoint(10, 10));
    mouse(w->findChild<QLabel*>(QStringLiteral("Label1")), QEvent::MouseButtonRelease, {20, 18}, Qt::LeftButton, Qt::NoButton);
    mouse(w->findChild<QLabel*>(QStringLiteral("Label1")), QEvent::MouseMove, {80, 30}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w->pos(), start + QPoint(10, 10));

    // Any button starts a drag.
    mouse(w->findChild<QLabel*>(QStringLiteral("Label1")), QEvent::MouseButtonPress, {30, 8}, Qt::RightButton, Qt::RightButton);
    mouse(w->findChild<QLabel*>(QStringLiteral("Label1")), QEvent::MouseMove, {25, 8}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(w->pos(), start + QPoint(5, 10));
    mouse(w->findChild<QLabel*>(QStringLiteral("Label1")), QEvent::MouseButtonRelease, {25, 8}, Qt::RightButton, Qt::NoButton);
}
