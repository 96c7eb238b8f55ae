// The service price list with its password dialog, as the program links
// them: the manager's password shows the edit buttons the dialog names, and
// the list is then added to, edited and deleted from.
#include "support/user_hands.h"
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
        for (qv::Window* w : qv::Windows::all())
            w->unload();
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
        const QList<QListWidgetItem*> items = menu->serviceList->findItems(service, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << service.toStdString();
        const QRect r = menu->serviceList->visualItemRect(items[0]);
        qvtest::clickAt(menu->serviceList->viewport(), r.center());
    }
    void unlockList()
    {
        click(menu->unlockButton);
        auto* login = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin4")));
        ASSERT_TRUE(login);
        qvtest::typeInto(login->passwordBox, PasswordDialog::kPassword);
        click(login->okButton);
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
        if (menu->cancelChangeButton->isVisible())
            click(menu->cancelChangeButton);
    }
    QVariant price(const QString& service)
    {
        const QVariant v = db.scalar("SELECT Price FROM ServiceMenu1 WHERE Service='" + service + "'");
        return v.canConvert<qv::Money>() ? QVariant(v.value<qv::Money>().toDouble()) : v;
    }
    QStringList listed()
    {
        QStringList all;
        for (int i = 0; i < menu->serviceList->count(); ++i)
            all << menu->serviceList->item(i)->text();
        return all;
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    ServicePriceList* menu = nullptr;
};

TEST_F(ServiceMenuEditing, ThePasswordOpensTheListForEditing)
{
    openMenu();
    click(menu->unlockButton);
    auto* login = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin4")));
    ASSERT_TRUE(login);
    qvtest::typeInto(login->passwordBox, PasswordDialog::kPassword);
    qvtest::press(Qt::Key_Return);
    for (QWidget* w : std::initializer_list<QWidget*>{menu->addRecordButton, menu->editRecordButton,
                                                      menu->deleteRecordButton, menu->refreshRecordsButton,
                                                      menu->closeRecordWindowButton,
                       menu->unlockButton, menu->lockButton})
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(menu->fieldBoxes[4]->isEnabled());
    EXPECT_FALSE(menu->commentsView->isReadOnly());

    // Added before any pick: only the Service box is bound, so only it is saved.
    click(menu->addRecordButton);
    qvtest::typeInto(menu->fieldBoxes[0], "Pedicure");
    qvtest::typeInto(menu->fieldBoxes[1], "30");
    click(menu->updateRecordButton);
    EXPECT_EQ(db.count("ServiceMenu1"), 5);
    EXPECT_TRUE(db.scalar("SELECT Price FROM ServiceMenu1 WHERE Service='Pedicure'").isNull());
    EXPECT_EQ(listed().last(), "Pedicure");

    // Comments take several lines.
    pick("Perm");
    click(menu->editRecordButton);
    qvtest::typeInto(menu->commentsView, "Curl");
    qvtest::press(Qt::Key_Return);
    qvtest::typeKeys("Set");
    click(menu->updateRecordButton);
    EXPECT_EQ(db.scalar("SELECT Discount FROM ServiceMenu1 WHERE Service='Perm'").toString(), "Curl\nSet");

    // Delete asks; Cancel keeps the row, OK takes it out of the list too.
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Cancel, qv::MsgResult::Ok};
    click(menu->deleteRecordButton);
    EXPECT_EQ(db.count("ServiceMenu1"), 5);
    click(menu->deleteRecordButton);
    EXPECT_EQ(ui.script.messages(), QStringList(2, "Do you really want to delete this record?"));
    EXPECT_EQ(db.count("ServiceMenu1"), 4);
    EXPECT_FALSE(listed().contains("Perm"));

    // The lock while adding leaves only Close; navigation stays off.
    click(menu->addRecordButton);
    click(menu->lockButton);
    EXPECT_FALSE(menu->updateRecordButton->isVisible());
    EXPECT_FALSE(menu->cancelChangeButton->isVisible());
    EXPECT_FALSE(menu->addRecordButton->isVisible());
    EXPECT_TRUE(menu->closeRecordWindowButton->isVisible());
    EXPECT_FALSE(menu->nextRecordButton->isEnabled());
    EXPECT_FALSE(menu->fieldBoxes[4]->isEnabled());
    EXPECT_TRUE(menu->commentsView->isReadOnly());
    EXPECT_TRUE(menu->unlockButton->isVisible());
    EXPECT_FALSE(menu->lockButton->isVisible());
}

TEST_F(ServiceMenuEditing, AddMakesANewServiceAndLeavesTheFirstOneAlone)
{
    openMenu();
    activate();
    unlockList();
    toBrowsing();

    // Add hides itself and the focus runs on to the list: that is no pick,
    // and the new row stays the one being typed.
    click(menu->addRecordButton);
    EXPECT_EQ(menu->recordStatusLabel->text(), "Add record");
    qvtest::typeInto(menu->fieldBoxes[0], "Pedicure");
    click(menu->updateRecordButton);
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
    click(menu->nextRecordButton);
    click(menu->nextRecordButton);
    ASSERT_EQ(menu->fieldBoxes[0]->text(), "Perm");
    click(menu->editRecordButton);
    EXPECT_EQ(menu->recordStatusLabel->text(), "Edit record");
    EXPECT_EQ(menu->fieldBoxes[0]->text(), "Perm");
    qvtest::typeInto(menu->fieldBoxes[0], "Perm Wave");
    click(menu->updateRecordButton);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ServiceMenu1 WHERE Service='Perm Wave'").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ServiceMenu1 WHERE Service='Haircut'").toInt(), 1);

    // A click in the list and the arrow keys after it are picks.
    pick("Color");
    EXPECT_EQ(menu->fieldBoxes[1]->text(), "$45.50");
    qvtest::press(Qt::Key_Down);
    EXPECT_EQ(menu->fieldBoxes[0]->text(), "Perm Wave");
    EXPECT_EQ(menu->fieldBoxes[1]->text(), "$60.00");
    click(menu->editRecordButton);
    qvtest::typeInto(menu->fieldBoxes[1], "65");
    click(menu->updateRecordButton);
    EXPECT_EQ(price("Perm Wave").toDouble(), 65);
    EXPECT_EQ(price("Color").toDouble(), 45.5);
}

TEST_F(ServiceMenuEditing, ALockedListTakesNoTypedNameOrPrice)
{
    openMenu();
    activate();
    pick("Color");
    for (int index : {0, 1}) {
        qvtest::typeInto(menu->fieldBoxes[index], "9");
        EXPECT_TRUE(menu->fieldBoxes[index]->isReadOnly()) << index;
    }
    EXPECT_EQ(menu->fieldBoxes[0]->text(), "Color");
    EXPECT_EQ(menu->fieldBoxes[1]->text(), "$45.50");
    // The quantity is the front desk's to type.
    qvtest::typeInto(menu->fieldBoxes[3], "2");
    EXPECT_EQ(menu->fieldBoxes[3]->text(), "2");
    click(menu->nextRecordButton);   // leaving the row would save a retyped name or price
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ServiceMenu1 WHERE Service='Color'").toInt(), 1);
    EXPECT_EQ(price("Color").toDouble(), 45.5);

    // The password opens both boxes to the manager; the lock shuts them again.
    unlockList();
    pick("Color");
    qvtest::typeInto(menu->fieldBoxes[1], "47");
    EXPECT_EQ(menu->fieldBoxes[1]->text(), "47");
    click(menu->lockButton);
    EXPECT_TRUE(menu->fieldBoxes[0]->isReadOnly());
    EXPECT_TRUE(menu->fieldBoxes[1]->isReadOnly());
    pick("Perm");   // leaving Color saves the manager's price
    EXPECT_EQ(price("Color").toDouble(), 47);
    EXPECT_EQ(menu->fieldBoxes[1]->text(), "$60.00");
}

} // namespace
