// The service price list with its password dialog, as the program links
// them: the manager's password shows the edit buttons the dialog names, and
// the list is then added to, edited and deleted from.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "customers/service_menu.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/money.h"
#include "shell/password_dialog.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ServiceMenuEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        db.seed();
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    void openMenu()
    {
        menu = qobject_cast<ServicePriceList*>(qv::Windows::show(QStringLiteral("frmServiceMenu1")));
        ASSERT_TRUE(menu);
    }
    void click(QAbstractButton* b)
    {
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << b->objectName().toStdString();
        qvtest::clickAt(b);
    }
    void pick(const QString& service)
    {
        const QList<QListWidgetItem*> items = menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->findItems(service, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << service.toStdString();
        const QRect r = menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->visualItemRect(items[0]);
        qvtest::clickAt(menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->viewport(), r.center());
    }
    void unlockList()
    {
        click(menu->findChild<QPushButton*>(QStringLiteral("Command9")));
        auto* login = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin4")));
        ASSERT_TRUE(login);
        qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), PasswordDialog::kPassword);
        click(login->findChild<QPushButton*>(QStringLiteral("cmdOK")));
        activate();
    }
    // The dialog gone, the window system gives the list back its activation.
    void activate()
    {
        menu->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(menu));
    }
    // The password shows Update and Cancel beside Add and Edit, and on
    // the record form's bar they lie on them (that bar's layout is mended
    // with the record form). Cancel, where it is shown, puts the bar into
    // browsing, so that Add and Edit can be clicked where they stand.
    void toBrowsing()
    {
        if (menu->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible())
            click(menu->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    }
    QVariant price(const QString& service)
    {
        const QVariant v = db.scalar("SELECT Price FROM ServiceMenu1 WHERE Service='" + service + "'");
        return v.canConvert<qv::Money>() ? QVariant(v.value<qv::Money>().toDouble()) : v;
    }
    QStringList listed()
    {
        QStringList all;
        for (int i = 0; i < menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->count(); ++i)
            all << menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->item(i)->text();
        return all;
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    ServicePriceList* menu = nullptr;
};

TEST_F(ServiceMenuEditing, ThePasswordOpensTheListForEditing)
{
    openMenu();
    click(menu->findChild<QPushButton*>(QStringLiteral("Command9")));
    auto* login = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin4")));
    ASSERT_TRUE(login);
    qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), PasswordDialog::kPassword);
    qvtest::press(Qt::Key_Return);
    for (QWidget* w : std::initializer_list<QWidget*>{menu->findChild<QPushButton*>(QStringLiteral("cmdAdd")), menu->findChild<QPushButton*>(QStringLiteral("cmdEdit")),
                                                      menu->findChild<QPushButton*>(QStringLiteral("cmdDelete")), menu->findChild<QPushButton*>(QStringLiteral("cmdRefresh")),
                                                      menu->findChild<QPushButton*>(QStringLiteral("cmdClose")),
                       menu->findChild<QPushButton*>(QStringLiteral("Command9")), menu->findChild<QPushButton*>(QStringLiteral("Command10"))})
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 4))->isEnabled());
    EXPECT_FALSE(menu->findChild<QPlainTextEdit*>(QStringLiteral("commentsView"))->isReadOnly());

    // Added before any pick: saved with its price.
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Pedicure");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "30");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(db.count("ServiceMenu1"), 5);
    EXPECT_EQ(price("Pedicure").toDouble(), 30);
    EXPECT_EQ(listed().last(), "Pedicure");

    // Comments take several lines.
    pick("Perm");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::typeInto(menu->findChild<QPlainTextEdit*>(QStringLiteral("commentsView")), "Curl");
    qvtest::press(Qt::Key_Return);
    qvtest::typeKeys("Set");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(db.scalar("SELECT Discount FROM ServiceMenu1 WHERE Service='Perm'").toString(), "Curl\nSet");

    // Delete asks; Cancel keeps the row, OK takes it out of the list too.
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Cancel, qv::MsgResult::Ok};
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("ServiceMenu1"), 5);
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(ui.script.messages(), QStringList(2, "Do you really want to delete this record?"));
    EXPECT_EQ(db.count("ServiceMenu1"), 4);
    EXPECT_FALSE(listed().contains("Perm"));

    // The lock while adding leaves only Close; navigation stays off.
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    click(menu->findChild<QPushButton*>(QStringLiteral("Command10")));
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("cmdClose"))->isVisible());
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    EXPECT_FALSE(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 4))->isEnabled());
    EXPECT_TRUE(menu->findChild<QPlainTextEdit*>(QStringLiteral("commentsView"))->isReadOnly());
    EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("Command9"))->isVisible());
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("Command10"))->isVisible());
}

TEST_F(ServiceMenuEditing, AddMakesANewServiceAndLeavesTheFirstOneAlone)
{
    openMenu();
    activate();
    unlockList();
    toBrowsing();

    // Add hides itself and the focus runs on to the list: that is no pick,
    // and the new row stays the one being typed.
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(menu->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Pedicure");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(db.count("ServiceMenu1"), 5);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ServiceMenu1 WHERE Service='Haircut'").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ServiceMenu1 WHERE Service IS NULL OR Service=''").toInt(), 0);
    EXPECT_EQ(listed(), QStringList({"Haircut", "Color", "Perm", "Manicure", "Pedicure"}));
}

TEST_F(ServiceMenuEditing, EditChangesTheServiceShownAndTheListStillPicks)
{
    openMenu();
    activate();
    unlockList();
    toBrowsing();

    // Moved to with the bar's arrows, Perm is the service Edit changes.
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    ASSERT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Perm");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_EQ(menu->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Edit record");
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Perm");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Perm Wave");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ServiceMenu1 WHERE Service='Perm Wave'").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ServiceMenu1 WHERE Service='Haircut'").toInt(), 1);

    // A click in the list and the arrow keys after it are picks.
    pick("Color");
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "$45.50");
    qvtest::press(Qt::Key_Down);
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Perm Wave");
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "$60.00");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "65");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(price("Perm Wave").toDouble(), 65);
    EXPECT_EQ(price("Color").toDouble(), 45.5);
}

TEST_F(ServiceMenuEditing, ALockedListTakesNoTypedNameOrPrice)
{
    openMenu();
    activate();
    pick("Color");
    for (int index : {0, 1}) {
        qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", index)), "9");
        EXPECT_TRUE(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", index))->isReadOnly()) << index;
    }
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Color");
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "$45.50");
    // The quantity is the front desk's to type.
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "2");
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3))->text(), "2");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdNext")));   // leaving the row would save a retyped name or price
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ServiceMenu1 WHERE Service='Color'").toInt(), 1);
    EXPECT_EQ(price("Color").toDouble(), 45.5);

    // The password opens both boxes to the manager; the lock shuts them again.
    unlockList();
    pick("Color");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "47");
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "47");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command10")));
    EXPECT_TRUE(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->isReadOnly());
    EXPECT_TRUE(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->isReadOnly());
    pick("Perm");   // leaving Color saves the manager's price
    EXPECT_EQ(price("Color").toDouble(), 47);
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "$60.00");
}

// A new salon's price list is empty: there is nothing to pick before the
// first service is added, and every box typed into is saved all the same.
TEST_F(ServiceMenuEditing, OnAnEmptyListAddAndEditSaveEveryBoxTyped)
{
    db.execRaw("DELETE FROM ServiceMenu1");
    openMenu();
    activate();
    unlockList();
    toBrowsing();
    ASSERT_TRUE(listed().isEmpty());

    click(menu->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Cut & Style");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "30");
    qvtest::typeInto(menu->findChild<QPlainTextEdit*>(QStringLiteral("commentsView")), "Wash included");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 4)), "8.25");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "2");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join("|").toStdString();
    EXPECT_EQ(price("Cut & Style").toDouble(), 30);
    EXPECT_EQ(db.scalar("SELECT Discount FROM ServiceMenu1 WHERE Service='Cut & Style'").toString(), "Wash included");
    EXPECT_DOUBLE_EQ(db.scalar("SELECT Taxpercent FROM ServiceMenu1 WHERE Service='Cut & Style'").toDouble(), 8.25);
    // The quantity is typed for posting only.
    EXPECT_TRUE(db.scalar("SELECT Quantity FROM ServiceMenu1 WHERE Service='Cut & Style'").isNull());
    EXPECT_EQ(listed(), QStringList{"Cut & Style"});

    // No name: refused with a message, nothing stored, the typing kept.
    ui.script.clear();
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "  ");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "20");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(ui.script.messages(), QStringList{ServicePriceList::kNoServiceName});
    EXPECT_EQ(db.count("ServiceMenu1"), 1);
    EXPECT_TRUE(menu->isAddingRecord());
    EXPECT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "20");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Blow-dry");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(price("Blow-dry").toDouble(), 20);
    EXPECT_EQ(db.count("ServiceMenu1"), 2);

    // Opened again, Edit before any pick changes the service shown, all of it.
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    openMenu();
    activate();
    unlockList();
    toBrowsing();
    ASSERT_EQ(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Cut & Style");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "32.50");
    qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 4)), "6");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(price("Cut & Style").toDouble(), 32.5);
    EXPECT_DOUBLE_EQ(db.scalar("SELECT Taxpercent FROM ServiceMenu1 WHERE Service='Cut & Style'").toDouble(), 6);
    EXPECT_EQ(price("Blow-dry").toDouble(), 20);
}

} // namespace
