// Windows: one of each kind, loaded on first use, destroyed on unload; the
// end of the program; key preview; the outer guard; the title bar's Close.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "platform/values/error.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Counts {
    int loads = 0, unloads = 0, activates = 0, gotFocus = 0;
    bool refuseUnload = false;
    QList<QPair<int, int>> keyDowns;   // code, shift
    QList<int> keyPresses;
    QStringList keyReceivers;          // the control each key went to, as formKeyDown saw it
    int swallowCode = -1;              // formKeyDown sets this key to 0
    int upperCase = false;             // formKeyPress turns letters upper case
};
Counts g_counts;

class ProbeWindow : public qv::Window {
    Q_OBJECT
public:
    ProbeWindow()
    {
        box = new QLineEdit(this);
        box->setObjectName("box");
        button = new QPushButton("&Close", this);
        onClick(button, [this] { unload(); });
    }
    QLineEdit* box;
    QPushButton* button;
    QWidget* keyReceiverNow() const { return keyReceiver(); }

protected:
    void formLoad() override { ++g_counts.loads; }
    void formUnload(bool& cancel) override
    {
        ++g_counts.unloads;
        cancel = g_counts.refuseUnload;
    }
    void formActivate() override { ++g_counts.activates; }
    void formGotFocus() override { ++g_counts.gotFocus; }
    void formKeyDown(int& keyCode, int shift) override
    {
        g_counts.keyDowns << qMakePair(keyCode, shift);
        g_counts.keyReceivers << (keyReceiver() ? keyReceiver()->objectName() : QString("(none)"));
        if (keyCode == g_counts.swallowCode)
            keyCode = 0;
    }
    void formKeyPress(int& keyAscii) override
    {
        g_counts.keyPresses << keyAscii;
        if (g_counts.upperCase && keyAscii >= 'a' && keyAscii <= 'z')
            keyAscii -= 32;
    }
};
QV_REGISTER_WINDOW(ProbeWindow);

// A window with nothing that can take the focus, like a progress window.
class LabelWindow : public qv::Window {
    Q_OBJECT
public:
    LabelWindow() { new QLabel("Opening Database", this); }

protected:
    void formGotFocus() override { ++g_counts.gotFocus; }
};
QV_REGISTER_WINDOW(LabelWindow);

// A window whose class says what it is, known to the others by its old name.
class GiftCertificateProbe : public qv::Window {
    Q_OBJECT
};
QV_REGISTER_WINDOW_AS(GiftCertificateProbe, "Form99");

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_counts = Counts();
        qv::Windows::setOnLastClosed([this] { ++ends; });
    }
    void TearDown() override
    {
        g_counts.refuseUnload = false;
        for (qv::Window* w : qv::Windows::all())
            w->unload();
        settle();
        qv::Windows::setOnLastClosed(nullptr);
    }
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    int ends = 0;
};

TEST_F(WindowTest, AClassRegisteredUnderAnOldNameIsOpenedByThatNameAndCarriesIt)
{
    EXPECT_EQ(qv::Windows::get("GiftCertificateProbe"), nullptr);
    GiftCertificateProbe& byClass = *qv::Windows::show<GiftCertificateProbe>();
    EXPECT_EQ(qv::Windows::loaded("Form99"), &byClass);
    EXPECT_EQ(qv::Windows::show("Form99"), &byClass);
    EXPECT_EQ(byClass.windowName(), "Form99");
    EXPECT_EQ(byClass.objectName(), "Form99");
    EXPECT_EQ(qv::Windows::loaded<GiftCertificateProbe>(), &byClass);
}

TEST_F(WindowTest, EachKindIsLoadedOnceAndAfreshAfterUnload)
{
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), nullptr);
    EXPECT_EQ(g_counts.loads, 0);   // asking does not load

    qv::Window* first = qv::Windows::get("ProbeWindow");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(g_counts.loads, 1);
    EXPECT_FALSE(first->isVisible());   // loaded, not shown
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), first);
    EXPECT_EQ(first->windowName(), "ProbeWindow");

    EXPECT_EQ(qv::Windows::show("ProbeWindow"), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(g_counts.loads, 1);
    EXPECT_EQ(qv::Windows::get<ProbeWindow>(), first);

    QPointer<qv::Window> gone(first);
    first->unload();
    EXPECT_EQ(g_counts.unloads, 1);
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), nullptr);   // at once, not after deletion
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    settle();
    EXPECT_TRUE(gone.isNull());

    qv::Window* second = qv::Windows::show("ProbeWindow");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(g_counts.loads, 2);

    EXPECT_EQ(qv::Windows::show("NoSuchWindow"), nullptr);
    EXPECT_EQ(qv::Windows::get("NoSuchWindow"), nullptr);
}

TEST_F(WindowTest, UnloadCanBeRefused)
{
    qv::Window* w = qv::Windows::show("ProbeWindow");
    g_counts.refuseUnload = true;
    w->unload();
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), w);
    EXPECT_FALSE(w->isUnloading());
    settle();
    EXPECT_EQ(ends, 0);
    g_counts.refuseUnload = false;
    qv::Windows::unload("ProbeWindow");
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), nullptr);
}

TEST_F(WindowTest, ProgramEndsWhenNoWindowIsLoaded)
{
    qv::Windows::show("ProbeWindow");
    qv::Windows::get("LabelWindow");   // loaded, hidden
    qv::Windows::unload("ProbeWindow");
    settle();
    EXPECT_EQ(ends, 0);   // the hidden window still counts
    qv::Windows::unload("LabelWindow");
    settle();
    EXPECT_EQ(ends, 1);
}

TEST_F(WindowTest, UnloadingThenShowingTheNextWindowDoesNotEndTheProgram)
{
    qv::Window* w = qv::Windows::show("ProbeWindow");
    w->unload();
    qv::Windows::show("LabelWindow");   // in the same handler, after the unload
    settle();
    EXPECT_EQ(ends, 0);
}

TEST_F(WindowTest, UserClosingTheLastVisibleWindowEndsTheProgram)
{
    qv::Window* shown = qv::Windows::show("ProbeWindow");
    qv::Windows::get("LabelWindow");   // hidden: must not keep an invisible program alive
    shown->close();                    // the title bar's close
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), nullptr);
    EXPECT_EQ(g_counts.unloads, 1);
    settle();
    EXPECT_EQ(ends, 1);
}

TEST_F(WindowTest, AWindowHidingItselfEndsTheProgramOnlyWhenNothingIsLeftOnScreen)
{
    qv::Window* probe = qv::Windows::show("ProbeWindow");
    qv::Window* label = qv::Windows::show("LabelWindow");
    label->hide();   // a dialog's Cancel: hidden, still loaded
    settle();
    EXPECT_EQ(ends, 0);

    // Hiding one and showing the other in the same handler keeps it going.
    probe->hide();
    label->show();
    settle();
    EXPECT_EQ(ends, 0);

    label->hide();
    settle();
    EXPECT_EQ(qv::Windows::all().size(), 2);
    EXPECT_EQ(ends, 1);

    // Changing a shown window's flags hides and shows it again: no end.
    ends = 0;
    probe->show();
    settle();
    probe->setTopMost(true);
    settle();
    EXPECT_EQ(ends, 0);
}

TEST_F(WindowTest, WithoutCloseCommandOnlyItsOwnButtonsUnloadIt)
{
    auto* w = qobject_cast<ProbeWindow*>(qv::Windows::show("ProbeWindow"));
    w->setCloseCommandRemoved(true);
    EXPECT_TRUE(w->closeCommandRemoved());
    EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(w->isVisible());   // changing the flags keeps it on screen

    EXPECT_FALSE(w->close());
    QTest::keyClick(w->box, Qt::Key_F4, Qt::AltModifier);
    settle();
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(g_counts.unloads, 0);
    EXPECT_EQ(ends, 0);

    QTest::mouseClick(w->button, Qt::LeftButton);
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), nullptr);
    settle();
    EXPECT_EQ(ends, 1);
}

TEST_F(WindowTest, TopMostKeepsTheWindowShown)
{
    qv::Window* w = qv::Windows::show("ProbeWindow");
    w->setTopMost(true);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(WindowTest, KeyPreviewSeesKeysBeforeTheControls)
{
    auto* w = qobject_cast<ProbeWindow*>(qv::Windows::show("ProbeWindow"));
    QTest::keyClick(w->box, Qt::Key_A);
    EXPECT_TRUE(g_counts.keyDowns.isEmpty());   // no preview: the box's keys are its own
    EXPECT_EQ(w->box->text(), "a");

    w->setKeyPreview(true);
    QTest::keyClick(w->box, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(w->box, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(w->box, Qt::Key_F1);
    // Escape is not taken by a line edit and travels up to the window: still one key.
    QTest::keyClick(w->box, Qt::Key_Escape);
    // The modifier keys arrive as keys of their own (16 Shift, 17 Ctrl), as they did.
    EXPECT_EQ(g_counts.keyDowns.mid(0, 2), (QList<QPair<int, int>>{{16, 1}, {17, 3}}));
    g_counts.keyDowns.removeIf([](const QPair<int, int>& k) { return k.first >= 16 && k.first <= 18; });
    ASSERT_EQ(g_counts.keyDowns.size(), 4);
    EXPECT_EQ(g_counts.keyDowns[0], qMakePair(qv::Key::Down, 3));   // Ctrl+Shift is not Ctrl
    EXPECT_EQ(g_counts.keyDowns[1], qMakePair(qv::Key::Up, qv::ShiftState::Ctrl));
    EXPECT_EQ(g_counts.keyDowns[2], qMakePair(112, 0));
    EXPECT_EQ(g_counts.keyDowns[3], qMakePair(qv::Key::Escape, 0));
    EXPECT_EQ(g_counts.keyPresses, QList<int>({27}));
    // The window knows which control each key is on its way to, and only while it looks at the key.
    EXPECT_EQ(g_counts.keyReceivers.count("box"), g_counts.keyReceivers.size());
    w->setObjectName("probe");
    QTest::keyClick(w, Qt::Key_Home);
    EXPECT_EQ(g_counts.keyReceivers.last(), "probe");
    EXPECT_EQ(g_counts.keyDowns.last(), qMakePair(qv::Key::Home, 0));
    EXPECT_EQ(w->keyReceiverNow(), nullptr);
    // Delete, as the X server reports it (with the character 127), is a key
    // down only.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(127)));
    QApplication::sendEvent(w->box, &del);
    EXPECT_EQ(g_counts.keyDowns.last(), qMakePair(qv::Key::Delete, 0));
    EXPECT_EQ(g_counts.keyPresses, QList<int>({27}));

    // A key set to 0 never reaches the box; a changed character arrives changed.
    g_counts.swallowCode = 'X';
    g_counts.upperCase = true;
    w->box->clear();
    QTest::keyClicks(w->box, "axb");
    EXPECT_EQ(w->box->text(), "AB");
}

TEST_F(WindowTest, GotFocusOnlyForWindowsWithoutFocusableControls)
{
    qv::Window* labels = qv::Windows::show("LabelWindow");
    QApplication::setActiveWindow(labels);
    settle();
    EXPECT_GE(g_counts.gotFocus, 1);

    const int before = g_counts.gotFocus;
    qv::Window* probe = qv::Windows::show("ProbeWindow");
    QApplication::setActiveWindow(probe);
    settle();
    EXPECT_EQ(g_counts.gotFocus, before);
    EXPECT_GE(g_counts.activates, 1);
}

TEST_F(WindowTest, GuardShowsTheUnhandledErrorAndGoesOn)
{
    qv::ScopedScriptedUi ui;
    qv::Window::guard([] { throw qv::Error("Either BOF or EOF is True."); });
    qv::Window::guard([] { throw std::runtime_error("disk full"); });
    bool ran = false;
    qv::Window::guard([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(ui.script.messages(), QStringList({"Either BOF or EOF is True.", "disk full"}));
    EXPECT_EQ(ui.script.events[0].style, 0);
    EXPECT_EQ(ui.script.events[0].title, "");

    // A click handler that fails leaves the window loaded and shown.
    auto* w = qobject_cast<ProbeWindow*>(qv::Windows::show("ProbeWindow"));
    QPushButton failing("Fail", w);
    qv::Window::onClick(&failing, [] { throw qv::Error("Operation is not allowed in this context."); });
    failing.click();
    EXPECT_EQ(ui.script.messages().last(), "Operation is not allowed in this context.");
    EXPECT_EQ(qv::Windows::loaded("ProbeWindow"), w);
}

TEST(Twips, FifteenToAPixel)
{
    QWidget parent;
    QWidget child(&parent);
    qv::place(&child, 1500, 300, 1095, 450);
    EXPECT_EQ(child.geometry(), QRect(100, 20, 73, 30));
    EXPECT_EQ(qv::px(345), 23);
    EXPECT_EQ(qv::twips(23), 345);
}

TEST(KeyCodes, AsTheOldHandlersCompareThem)
{
    auto code = [](Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        return qv::keyCodeOf(&e);
    };
    EXPECT_EQ(code(Qt::Key_PageUp), 33);
    EXPECT_EQ(code(Qt::Key_End), 35);
    EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(code(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(code(Qt::Key_5), 53);
    EXPECT_EQ(code(Qt::Key_Q), 81);
    EXPECT_EQ(code(Qt::Key_Period), 190);
    EXPECT_EQ(code(Qt::Key_Period, Qt::KeypadModifier), 110);
    EXPECT_EQ(qv::shiftOf(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(qv::shiftOf(Qt::ControlModifier | Qt::KeypadModifier), 2);
}

} // namespace

#include "window_test.moc"
