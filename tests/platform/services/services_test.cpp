// The message, input and wait services: the scripted ones tests rely on, and
// the Qt ones people see, driven through their real dialogs.
#include "platform/services/qt_ui.h"
#include "platform/services/services.h"
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

using namespace qv;

TEST(ScriptedUi, UnqueuedMessageBoxesAnswerTheirFirstButton)
{
    ScriptedUi ui;
    EXPECT_EQ(ui.msgBox("a", MsgStyle::OkOnly, ""), MsgResult::Ok);
    EXPECT_EQ(ui.msgBox("b", MsgStyle::OkCancel | MsgStyle::Question | MsgStyle::DefaultButton3, ""), MsgResult::Ok);
    EXPECT_EQ(ui.msgBox("c", MsgStyle::AbortRetryIgnore, ""), MsgResult::Abort);
    EXPECT_EQ(ui.msgBox("d", MsgStyle::YesNoCancel, ""), MsgResult::Yes);
    EXPECT_EQ(ui.msgBox("e", MsgStyle::YesNo | MsgStyle::Question, ""), MsgResult::Yes);
    EXPECT_EQ(ui.msgBox("f", MsgStyle::RetryCancel | MsgStyle::Critical, ""), MsgResult::Retry);
    // Queued answers are taken in order, whatever the style.
    ui.msgAnswers = {MsgResult::No, MsgResult::Cancel};
    EXPECT_EQ(ui.msgBox("g", MsgStyle::YesNo, "Delete Record"), MsgResult::No);
    EXPECT_EQ(ui.msgBox("h", MsgStyle::OkCancel, ""), MsgResult::Cancel);
    EXPECT_EQ(ui.msgBox("i", MsgStyle::YesNo, ""), MsgResult::Yes);

    EXPECT_EQ(ui.messages(), QStringList({"a", "b", "c", "d", "e", "f", "g", "h", "i"}));
    EXPECT_EQ(ui.events[1].style, 545);
    EXPECT_EQ(ui.events[6].title, "Delete Record");
}

TEST(ScriptedUi, LogsInputsBeepsPausesAndLaunches)
{
    ScriptedUi ui;
    ui.inputAnswers = {"smith"};
    EXPECT_EQ(ui.inputBox("Name?", "", ""), "smith");
    EXPECT_EQ(ui.inputBox("Again?", "", ""), "");   // nothing queued: Cancel
    ui.beep();
    ui.beep();
    ui.pause(1000);
    EXPECT_TRUE(ui.printerDialog(nullptr));
    ui.printerAnswers = {false};
    EXPECT_FALSE(ui.printerDialog(nullptr));
    ui.launchSucceeds = false;
    EXPECT_FALSE(ui.launch("dialer.exe", {"555-1234"}));
    EXPECT_EQ(ui.openFileDialog("Open", "Pictures|*.jpg", "/tmp"), "");

    EXPECT_EQ(ui.beeps(), 2);
    EXPECT_TRUE(ui.messages().isEmpty());
    ASSERT_EQ(ui.events.size(), 9u);
    EXPECT_EQ(ui.events[0].kind, UiEvent::Input);
    EXPECT_EQ(ui.events[0].text, "Name?");
    EXPECT_EQ(ui.events[4].kind, UiEvent::Pause);
    EXPECT_EQ(ui.events[4].milliseconds, 1000);
    EXPECT_EQ(ui.events[5].text, "Print");
    EXPECT_EQ(ui.events[7].arguments, QStringList({"555-1234"}));
    ui.clear();
    EXPECT_TRUE(ui.events.empty());
}

TEST(ScriptedUi, ScopedInstallsAndRestores)
{
    UiServices* before = &ui();
    {
        ScopedScriptedUi scripted;
        EXPECT_EQ(&ui(), &scripted.script);
        ui().msgBox("hello");
        EXPECT_EQ(scripted.script.messages(), QStringList({"hello"}));
    }
    EXPECT_EQ(&ui(), before);
}

TEST(MessageBoxStyles, ButtonsAndDefaults)
{
    using namespace MsgResult;
    EXPECT_EQ(msgBoxButtons(36), QList<int>({Yes, No}));
    EXPECT_EQ(msgBoxDefaultButton(36), Yes);
    EXPECT_EQ(msgBoxButtons(545), QList<int>({Ok, Cancel}));
    // A default third button that the box does not have falls on its last:
    // the delete questions default to Cancel.
    EXPECT_EQ(msgBoxDefaultButton(545), Cancel);
    EXPECT_EQ(msgBoxDefaultButton(MsgStyle::YesNo | MsgStyle::DefaultButton3), No);
    EXPECT_EQ(msgBoxDefaultButton(MsgStyle::OkOnly | MsgStyle::DefaultButton2), Ok);
    EXPECT_EQ(msgBoxDefaultButton(MsgStyle::YesNoCancel | MsgStyle::DefaultButton3), Cancel);
    EXPECT_EQ(msgBoxDefaultButton(MsgStyle::YesNo | MsgStyle::DefaultButton2), No);
    EXPECT_EQ(msgBoxButtons(MsgStyle::RetryCancel | MsgStyle::Critical), QList<int>({Retry, Cancel}));
}

TEST(FileFilters, OldFiltersBecomeQtFilters)
{
    EXPECT_EQ(qtFileFilter("Pictures (*.bmp;*.jpg)|*.bmp;*.jpg|All Files|*.*"),
              "Pictures (*.bmp *.jpg);;All Files (*.*)");
    // Words in brackets that are no patterns stay.
    EXPECT_EQ(qtFileFilter("Notes (old)|*.txt"), "Notes (old) (*.txt)");
    EXPECT_EQ(qtFileFilter("Images (*.png)"), "Images (*.png)");
}

namespace {
// Runs `inspect` on the modal dialog once it is up.
void whenModalShown(std::function<void(QWidget*)> inspect)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            inspect(modal);
        }
    });
    timer->start();
}
} // namespace

TEST(QtUi, MessageBoxShowsTextAsWrittenUnderTheProgramTitle)
{
    QtUi qt;
    QString title, text, icon;
    QStringList buttons;
    QString defaultButton;
    whenModalShown([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        for (QAbstractButton* b : box->buttons())
            buttons << b->text().remove('&');
        defaultButton = box->defaultButton() ? box->defaultButton()->text().remove('&') : QString();
        icon = box->icon() == QMessageBox::Question ? "question" : "other";
        box->button(QMessageBox::No)->click();
    });
    const int answer = qt.msgBox(" Save & close? ", MsgStyle::YesNo | MsgStyle::Question | MsgStyle::DefaultButton2, "");
    EXPECT_EQ(answer, MsgResult::No);
    EXPECT_EQ(title, "Quorvel");
    EXPECT_EQ(text, " Save & close? ");
    EXPECT_EQ(icon, "question");
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"No", "Yes"}));
    EXPECT_EQ(defaultButton, "No");
}

TEST(QtUi, EveryStyleTheProgramUsesShowsItsButtonsIconAndDefault)
{
    const struct {
        int style;
        QStringList buttons;   // sorted
        QMessageBox::Icon icon;
        QString defaultButton;
        int answer;            // of the default button
    } styles[] = {
        {0, {"OK"}, QMessageBox::NoIcon, "OK", MsgResult::Ok},
        {5, {"Cancel", "Retry"}, QMessageBox::NoIcon, "Retry", MsgResult::Retry},
        {16, {"OK"}, QMessageBox::Critical, "OK", MsgResult::Ok},
        {36, {"No", "Yes"}, QMessageBox::Question, "Yes", MsgResult::Yes},
        {48, {"OK"}, QMessageBox::Warning, "OK", MsgResult::Ok},
        {545, {"Cancel", "OK"}, QMessageBox::Question, "Cancel", MsgResult::Cancel},
    };
    QtUi qt;
    for (const auto& s : styles) {
        SCOPED_TRACE(s.style);
        QStringList buttons;
        QString defaultButton, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModalShown([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* b : box->buttons())
                buttons << b->text().remove('&');
            icon = box->icon();
            title = box->windowTitle();
            QPushButton* byDefault = box->defaultButton();
            ASSERT_NE(byDefault, nullptr);
            defaultButton = byDefault->text().remove('&');
            byDefault->click();
        });
        EXPECT_EQ(qt.msgBox("text", s.style, s.style == 36 ? "Delete Record" : ""), s.answer);
        buttons.sort();
        EXPECT_EQ(buttons, s.buttons);
        EXPECT_EQ(icon, s.icon);
        EXPECT_EQ(defaultButton, s.defaultButton);
        EXPECT_EQ(title, s.style == 36 ? "Delete Record" : "Quorvel");
    }
}

TEST(QtUi, MessageBoxEscapeAnswersCancelOrOkAndYesNoWaitsForAButton)
{
    QtUi qt;
    whenModalShown([](QWidget* w) { qobject_cast<QMessageBox*>(w)->reject(); });
    EXPECT_EQ(qt.msgBox("Sure?", MsgStyle::OkCancel | MsgStyle::Question, "Delete Record"), MsgResult::Cancel);
    whenModalShown([](QWidget* w) { qobject_cast<QMessageBox*>(w)->reject(); });
    EXPECT_EQ(qt.msgBox("Done", MsgStyle::OkOnly, ""), MsgResult::Ok);

    // Yes and No offer no way back: Esc and the close button answer nothing,
    // the box waits for one of its buttons.
    bool stillShown = false;
    whenModalShown([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        stillShown = box->isVisible();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(qt.msgBox("Post them now?", MsgStyle::YesNo | MsgStyle::Question, "Post amounts"), MsgResult::Yes);
    EXPECT_TRUE(stillShown);
}

TEST(QtUi, InputBoxAnswersTypedTextOrEmptyOnCancel)
{
    QtUi qt;
    QString title;
    whenModalShown([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        dialog->findChild<QLineEdit*>()->setText("O'Neil");
        dialog->accept();
    });
    EXPECT_EQ(qt.inputBox("Enter a customers First &  Last Name", "", ""), "O'Neil");
    EXPECT_EQ(title, "Quorvel");

    whenModalShown([](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        dialog->findChild<QLineEdit*>()->setText("typed, then cancelled");
        dialog->reject();
    });
    EXPECT_EQ(qt.inputBox("Prompt", "Title", "default"), "");
}

TEST(QtUi, PauseWaitsWhileWindowEventsGoOn)
{
    QtUi qt;
    bool fired = false;
    QTimer::singleShot(30, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    qt.pause(150);
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_TRUE(fired);
}
