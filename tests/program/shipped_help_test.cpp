// The help text the installation brings ("Index.rtf", written by the build
// from installation/help.md), in the real help window: it opens from the
// appointment book's Help button, its search finds the windows by the names
// in their title bars, and it names every window a salon works with and the
// management password the program really asks for.
#include "support/user_hands.h"
#include "appointments/appointment_book.h"
#include "common/help_access.h"
#include "platform/forms/window.h"
#include "platform/print/rich_text_box.h"
#include "platform/print/rtf.h"
#include "platform/services/services.h"
#include "shell/help_window.h"
#include "shell/password_dialog.h"
#include "support/window_fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QString shippedHelp()
{
    return QCoreApplication::applicationDirPath() + "/Index.rtf";
}

class ShippedHelp : public qvtest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(QFile::copy(shippedHelp(), db.folder() + "/Index.rtf")) << shippedHelp().toStdString();
    }
    void TearDown() override
    {
        WindowFixture::TearDown();
        setHelpFile(QString());
    }
};

} // namespace

TEST_F(ShippedHelp, TheBooksHelpButtonShowsItAndItsSearchFindsAWindow)
{
    AppointmentBook& book = showWindow<AppointmentBook>();
    qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("Command19")));
    auto* help = qobject_cast<HelpWindow*>(qv::Windows::loaded("Frmhelp"));
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
    const QString text = help->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->toPlainText();
    EXPECT_TRUE(text.startsWith("Quorvel Help")) << text.left(80).toStdString();
    EXPECT_EQ(help->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->textCursor().position(), 0);

    // The search by key word puts the first place the name appears in view.
    for (const char* name : {"Vendor Address Book", "Restoring your data from KVD.tmp", "Employee and Salon Schedule"}) {
        showHelp(&book, HelpCommand::PartialKey, QString::fromLatin1(name));
        const QTextCursor found = help->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->textCursor();
        EXPECT_EQ(found.selectedText(), QString::fromLatin1(name));
        EXPECT_GT(found.position(), 1000) << name;
    }
    EXPECT_EQ(qv::Windows::loaded("Frmhelp"), help);   // one window, searched again
}

TEST_F(ShippedHelp, NamesEveryWindowASalonUsesAndTheManagementPassword)
{
    QTextDocument document;
    QFile file(shippedHelp());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    qv::readRtf(QString::fromLatin1(file.readAll()), &document);
    const QString text = document.toPlainText();

    // Every window is found by the title its title bar shows.
    const char* const windows[] = {
        "frmRepair", "FrmMain", "frmLogin", "frmLogin1", "frmLogin2", "frmLogin3", "frmLogin4", "frmLogin5",
        "frmUsers", "Form3", "frmServicemenu3", "Form7", "FRMGETR", "frmCustomers", "Form4", "frmServiceMenu1",
        "FormProductsA", "Form10", "Form6a", "Frmdatabase", "Form1", "frmEmployee", "Frmcommissions", "frmtest1",
        "frmCalendar", "frmServicemenu", "chart2", "SalonStats", "Form2", "Calculator", "ViewerForm", "frmTip",
        "frmTip1", "frmAbout", "Frmhelp", "frmquicktips", "frmquicktips1", "frmquicktips3", "frmquicktips4", "Form5"};
    for (const char* name : windows) {
        qv::Window* w = qv::Windows::get(QString::fromLatin1(name));
        ASSERT_TRUE(w) << name;
        const QString title = w->windowTitle().trimmed();
        ASSERT_FALSE(title.isEmpty()) << name;
        EXPECT_TRUE(text.contains(title, Qt::CaseInsensitive)) << name << " \"" << title.toStdString() << '"';
        w->unload();
    }
    EXPECT_TRUE(text.contains("The management password is " + PasswordDialog::kPassword + " "));
    // Steps keep their numbers, and a step that starts in bold its own.
    const qsizetype restore = text.indexOf("Restoring your data from KVD.tmp\n");
    ASSERT_GT(restore, 0);
    qsizetype at = restore;
    for (int step = 1; step <= 6; ++step) {
        at = text.indexOf(QString("\n%1. ").arg(step), at);
        EXPECT_GT(at, restore) << "step " << step;
    }
    EXPECT_TRUE(text.contains("\n2. Do not start Quorvel again before you have restored:"));
    // Each of the first steps has its own section.
    for (const char* section : {"Where your data is kept", "The start-up backup (Backup KVD Database)",
                                "The splash window", "The Main Screen", "The management password",
                                "Restoring your data from KVD.tmp"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(section) + "\n")) << section;
}
