#include "employee_fixture.h"

#include "common/picture_viewport.h"

#include <QImage>

EmployeeWindow& EmployeeTest::open()
{
    m_window = &showWindow<EmployeeWindow>();
    return *m_window;
}

QVariant EmployeeTest::stored(const QString& lastName, const QString& field)
{
    return storedIn(QStringLiteral("Employees"), QStringLiteral("LastName"), lastName, field);
}

QColor EmployeeTest::photoColour()
{
    const QImage image = m_window->findChild<PictureViewport*>()->pictureBox->pixmap().toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}
