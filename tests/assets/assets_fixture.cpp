#include "assets_fixture.h"

#include "common/picture_viewport.h"
#include "platform/forms/window.h"
#include "platform/values/money.h"

void AssetsTest::SetUp()
{
    WindowFixture::SetUp();
}

BusinessAssets& AssetsTest::open()
{
    m_window = &showWindow<BusinessAssets>();
    return *m_window;
}

QVariant AssetsTest::stored(const QString& itemName, const QString& field)
{
    return storedIn(QStringLiteral("Business"), QStringLiteral("ItemName"), itemName, field);
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
    return !m_window->findChild<PictureViewport*>()->picture().isNull();
}
