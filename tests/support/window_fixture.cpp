#include "support/user_hands.h"
#include "support/window_fixture.h"

#include "platform/data/recordset.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>

namespace qvtest {

void WindowFixture::SetUp()
{
    qv::Windows::setOnLastClosed([] {});
}

void WindowFixture::TearDown()
{
    qvtest::unloadEveryWindow();
    settle();
    qv::Windows::setOnLastClosed(nullptr);
}

void WindowFixture::settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void WindowFixture::type(QWidget* box, const QString& text)
{
    qvtest::typeInto(box, text);
}

void WindowFixture::click(QAbstractButton* button)
{
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    qvtest::clickAt(button);
}

QString WindowFixture::pictureFile(const QString& name, const QColor& colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = QDir(db.folder()).filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

QVariant WindowFixture::storedIn(const QString& table, const QString& keyField, const QString& key,
                                 const QString& field)
{
    auto rs = db.query(QStringLiteral("SELECT [%1] FROM %2 WHERE %3 = '%4'")
                           .arg(field, table, keyField, QString(key).replace("'", "''")));
    if (rs->eof())
        return QVariant();
    return rs->value(0);
}

} // namespace qvtest
