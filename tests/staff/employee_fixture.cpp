#include "employee_fixture.h"

#include "common/picture_viewport.h"
#include "platform/data/recordset.h"
#include "platform/forms/window.h"

#include <QApplication>
#include <QDir>
#include <QImage>

void EmployeeTest::SetUp()
{
    qv::Windows::setOnLastClosed([] {});
}

void EmployeeTest::TearDown()
{
    for (qv::Window* w : qv::Windows::all())
        w->unload();
    settle();
    qv::Windows::setOnLastClosed(nullptr);
}

void EmployeeTest::settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

frmEmployee& EmployeeTest::open()
{
    if (seed)
        db.seed();
    m_window = &qv::Windows::show<frmEmployee>();
    m_window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_window));
    ui.script.clear();
    return *m_window;
}

void EmployeeTest::type(QWidget* box, const QString& text)
{
    box->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

void EmployeeTest::click(QAbstractButton* button)
{
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

QString EmployeeTest::pictureFile(const QString& name, const QColor& colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = QDir(db.folder()).filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

QVariant EmployeeTest::stored(const QString& lastName, const QString& field)
{
    auto rs = db.query(QStringLiteral("SELECT [%1] FROM Employees WHERE LastName = '%2'")
                           .arg(field, QString(lastName).replace("'", "''")));
    if (rs->eof())
        return QVariant();
    return rs->value(0);
}

QColor EmployeeTest::photoColour()
{
    const QImage image = m_window->picture->PicDest->pixmap().toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}
