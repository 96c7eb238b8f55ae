#include "assets_fixture.h"

#include "common/picture_viewport.h"
#include "platform/data/recordset.h"
#include "platform/forms/window.h"
#include "platform/values/money.h"

#include <QApplication>
#include <QDir>
#include <QImage>

namespace {
class StandIn : public qv::Window {
public:
    StandIn() { setTwipsSize(3000, 2000); }
};
} // namespace

const QStringList& standInNames()
{
    static const QStringList names = {"frmEmployee", "Calculator", "frmCustomers", "Form3",   "Frmdatabase",
                                      "Form6a",      "frmmangement", "Frmhelp",    "ViewerForm", "frmTip"};
    return names;
}

void AssetsTest::SetUp()
{
    qv::Windows::setOnLastClosed([] {});
    for (const QString& name : standInNames())
        qv::Windows::registerFactory(name, [] { return new StandIn; });
}

void AssetsTest::TearDown()
{
    for (qv::Window* w : qv::Windows::all())
        w->unload();
    settle();
    qv::Windows::setOnLastClosed(nullptr);
}

void AssetsTest::settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

Form2& AssetsTest::open()
{
    if (seed)
        db.seed();
    m_window = &qv::Windows::show<Form2>();
    m_window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_window));
    ui.script.clear();
    return *m_window;
}

void AssetsTest::type(QWidget* box, const QString& text)
{
    box->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

void AssetsTest::click(QAbstractButton* button)
{
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

QString AssetsTest::pictureFile(const QString& name, const QColor& colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = QDir(db.folder()).filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

QVariant AssetsTest::stored(const QString& itemName, const QString& field)
{
    auto rs = db.query(QStringLiteral("SELECT [%1] FROM Business WHERE ItemName = '%2'")
                           .arg(field, QString(itemName).replace("'", "''")));
    if (rs->eof())
        return QVariant();
    return rs->value(0);
}

double AssetsTest::storedMoney(const QString& itemName, const QString& field)
{
    const QVariant v = stored(itemName, field);
    if (v.canConvert<qv::Money>() && v.metaType() == QMetaType::fromType<qv::Money>())
        return v.value<qv::Money>().toDouble();
    return v.toDouble();
}

bool AssetsTest::pictureShown() const
{
    return !m_window->picture->picture().isNull();
}
