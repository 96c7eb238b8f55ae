#include "shell_fixture.h"
#include "support/user_hands.h"

#include "common/connections.h"
#include "common/record_form.h"
#include "shell/management_menu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace shelltest {

StandIn::StandIn(const QStringList& buttons, const QStringList& boxes)
{
    int left = 0;
    for (const QString& name : buttons) {
        auto* button = new QPushButton(name, this);
        button->setObjectName(name);
        button->setGeometry(left, 0, 80, 24);
        button->hide();
        left += 84;
    }
    left = 0;
    for (const QString& name : boxes) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setGeometry(left, 30, 80, 24);
        box->setEnabled(false);
        box->setReadOnly(true);
        left += 84;
    }
}

namespace {

// The service price list is a record form; its stand-in is one too, so the
// unlocking steps meet the record form's own buttons and boxes, locked as
// the price list keeps them until the password is given.
class PriceListStandIn : public RecordForm {
public:
    PriceListStandIn()
    {
        for (const char* name : {"Command10", "Command9"}) {
            auto* button = new QPushButton(QString::fromLatin1(name), this);
            button->setObjectName(QString::fromLatin1(name));
        }
        addField(2, QStringLiteral("Discount"));
        addField(4, QStringLiteral("Taxpercent"));
    }

protected:
    QString connectionString() const override { return recordWindowConnectionString(); }
    QString recordSource() const override { return QStringLiteral("SELECT * FROM ServiceMenu1"); }
    void formLoad() override
    {
        RecordForm::formLoad();
        for (QWidget* w : std::initializer_list<QWidget*>{addRecordButton, editRecordButton, updateRecordButton,
                                                          cancelChangeButton, deleteRecordButton, refreshRecordsButton,
                                                          closeRecordWindowButton, findChild<QWidget*>("Command10"),
                                                          findChild<QWidget*>("Command9")})
            w->hide();
        fieldBoxes.value(4)->setEnabled(false);
        fieldBoxes.value(2)->setReadOnly(true);
    }
};

} // namespace

QHash<QString, qv::Windows::Factory>& standInFactories()
{
    static QHash<QString, qv::Windows::Factory> factories;
    return factories;
}

void registerStandIns()
{
    static const bool done = [] {
        const auto reg = [](const QString& name, QStringList buttons, QStringList boxes) {
            standInFactories().insert(name, [buttons, boxes] { return new StandIn(buttons, boxes); });
            qv::Windows::registerFactory(name, standInFactories().value(name));
        };
        reg(QStringLiteral("Form3"), {}, {});
        // The menu lives beside the dialogs that open it, which open it by
        // its class: the real one stands in for itself.
        standInFactories().insert(QStringLiteral("frmmangement"), [] { return new ManagementMenu; });
        qv::Windows::registerFactory(QStringLiteral("frmmangement"), standInFactories().value("frmmangement"));
        reg(QStringLiteral("FormProductsA"),
            {"Command5", "Command6", "Command2", "Command13", "Command12", "Command9", "Command4"},
            {"txtfields_9", "txtfields_5", "txtfields_4"});
        reg(QStringLiteral("Form10"), {"Command9", "Command6"}, {"txtfields_5", "txtfields_9"});
        standInFactories().insert(QStringLiteral("frmServiceMenu1"), [] { return new PriceListStandIn; });
        qv::Windows::registerFactory(QStringLiteral("frmServiceMenu1"), standInFactories().value("frmServiceMenu1"));
        reg(QStringLiteral("frmCalendar"),
            {"Command9", "cmdUpdate", "cmdCancel", "cmdRefresh", "cmdClose", "cmdAdd", "cmdEdit"}, {});
        return true;
    }();
    (void)done;
}

WithoutWindow::WithoutWindow(const QString& name)
    : m_name(name)
{
    registerStandIns();
    qv::Windows::unload(name);
    qv::Windows::registerFactory(name, [] { return nullptr; });
}

WithoutWindow::~WithoutWindow()
{
    qv::Windows::registerFactory(m_name, standInFactories().value(m_name));
}

WithRealWindow::WithRealWindow(const QString& name, qv::Windows::Factory real)
    : m_name(name)
{
    registerStandIns();
    qv::Windows::unload(name);
    qv::Windows::registerFactory(name, std::move(real));
}

WithRealWindow::~WithRealWindow()
{
    qv::Windows::unload(m_name);
    qv::Windows::registerFactory(m_name, standInFactories().value(m_name));
}

void unloadAll()
{
    for (int round = 0; round < 5 && !qv::Windows::all().isEmpty(); ++round)
        qvtest::unloadEveryWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void ShellTest::settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

bool ShellTest::waitFor(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void ShellTest::SetUp()
{
    registerStandIns();
    unloadAll();
    db = std::make_unique<qvtest::SalonDb>();
    qv::Windows::setOnLastClosed([this] { ++programEnds; });
}

void ShellTest::TearDown()
{
    unloadAll();
    qv::Windows::setOnLastClosed(nullptr);
    db.reset();
}

} // namespace shelltest
