// A box that follows an input box or a login comes up above the window whose
// button raised it, even when no window is active: on a real desktop the
// window manager activates the window under a closed box only some time
// later, and a box with no owner went under the windows kept on top.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/salon_db.h"
#include "support/user_hands.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class BoxesAboveTheirWindow : public qvtest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        db.seed();
        // As on the desktop: once a box is answered, no window is active
        // until the window manager has picked one.
        ui.script.afterAnswer = [] { QApplication::setActiveWindow(nullptr); };
        // The front desk works with the appointment book open behind.
        qv::Windows::show(QStringLiteral("Form3"));
    }
    qv::Window* open(const char* name)
    {
        qv::Window* w = qv::Windows::show(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        if (w) {
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        }
        ui.script.clear();
        return w;
    }
    static QPushButton* button(QWidget* window, const char* name)
    {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    // The message boxes shown since the last clear, in order; every message
    // and input box among them stood over `window` and was kept on top.
    QStringList boxesOver(QWidget* window, const char* what)
    {
        for (const qv::UiEvent& e : ui.script.events) {
            if (e.kind != qv::UiEvent::Message && e.kind != qv::UiEvent::Input)
                continue;
            EXPECT_EQ(e.owner.data(), window)
                << what << ": \"" << e.text.toStdString() << "\" came up over "
                << qvtest::describe(e.owner).toStdString();
            EXPECT_TRUE(e.onTop) << what << ": \"" << e.text.toStdString() << "\" may go under a window kept on top";
        }
        QStringList texts = ui.script.messages();
        ui.script.clear();
        return texts;
    }
};

TEST_F(BoxesAboveTheirWindow, NotFoundAfterAFindStandsOverTheWindowSearched)
{
    qv::Window* customers = open("frmCustomers");
    ui.script.inputAnswers = {QStringLiteral("Zed")};
    qvtest::clickAt(button(customers, "bttnFind"));
    EXPECT_EQ(boxesOver(customers, "customers"), QStringList{"Could not find the Customer Name. Zed"});

    qv::Window* manager = open("frmServicemenu3");
    ui.script.inputAnswers = {QStringLiteral("Zed")};
    qvtest::clickAt(button(manager, "Command1"));
    EXPECT_EQ(boxesOver(manager, "appointment manager"), QStringList{"Could not find your client. Zed"});

    qv::Window* products = open("FormProductsA");
    ui.script.inputAnswers = {QStringLiteral("9999")};
    qvtest::clickAt(button(products, "Command8"));
    EXPECT_EQ(boxesOver(products, "Products Menu"), QStringList{"Could not find your Product by Stock#. 9999"});

    qv::Window* inventory = open("Form6a");
    ui.script.inputAnswers = {QStringLiteral("Wax")};
    qvtest::clickAt(button(inventory, "Command4"));
    EXPECT_EQ(boxesOver(inventory, "inventory master"), QStringList{"Could not find your category. Wax"});
}

TEST_F(BoxesAboveTheirWindow, AFailedTestLoginIsToldOverTheUserList)
{
    qv::Window* users = open("frmUsers");
    qvtest::clickAt(button(users, "Command1"));   // "Test Login "
    qv::Window* login = qv::Windows::loaded(QStringLiteral("frmLogin"));
    ASSERT_TRUE(login && login->isVisible());
    qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtUserName")), QStringLiteral("admin"));
    qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), QStringLiteral("wrong"));
    ui.script.clear();
    qvtest::clickAt(button(login, "Command1"));
    // The login has closed itself; the list the user came from holds the box.
    EXPECT_EQ(boxesOver(users, "test login"), QStringList{"Invalid user name/password."});
}

TEST_F(BoxesAboveTheirWindow, DeleteQuestionsAndTheLastRecordStandOverTheirWindow)
{
    qv::Window* vendors = open("Frmdatabase");
    ui.script.msgAnswers = {qv::MsgResult::No};
    qvtest::clickAt(button(vendors, "cmdDelete"));
    EXPECT_EQ(boxesOver(vendors, "vendor book, first Delete"), QStringList{"Delete the Current Record"});
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    qvtest::clickAt(button(vendors, "cmdDelete"));
    EXPECT_EQ(boxesOver(vendors, "vendor book, second Delete"), QStringList{"Delete the Current Record"});
    EXPECT_EQ(db.count("Suppliers"), 1);

    // Every ticket deleted in the manager, the last one with its own word.
    qv::Window* manager = open("frmServicemenu3");
    QStringList said;
    for (int left = db.count("Servicemenu"); left > 0; --left) {
        qvtest::clickAt(button(manager, "cmdDelete"));
        said = boxesOver(manager, "appointment manager, Delete");
    }
    EXPECT_EQ(db.count("Servicemenu"), 0);
    EXPECT_EQ(said.value(1), QStringLiteral("You have deleted the last record in the database."));
}

} // namespace

TEST_F(BoxesAboveTheirWindow, BothRefusalsOfEnterStandOverTheCustomerWindow)
{
    // The book only shows a saved ticket: Enter refuses with two messages,
    // the second raised after the first was answered and no window is active.
    qv::Window* customers = open("frmCustomers");
    ASSERT_TRUE(customers);
    qvtest::clickAt(button(customers, "Command9"));
    EXPECT_EQ(boxesOver(customers, "Enter on a saved ticket").size(), 2);
}
