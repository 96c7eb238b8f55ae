// Pictures of the inventory master and the vendor address book as a user
// sees them, written when QV_SHOTS names a folder (run under a real X
// server to look at them); without it there is nothing to do.
#include "record_window_hands.h"

#include "inventory/inventory_master.h"
#include "inventory/vendor_book.h"

#include <QDir>

namespace {

class InventoryShots : public invtest::RecordWindowTest<InventoryMaster> {
protected:
    void SetUp() override
    {
        RecordWindowTest::SetUp();
        m_folder = qEnvironmentVariable("QV_SHOTS");
        if (m_folder.isEmpty())
            GTEST_SKIP() << "QV_SHOTS not set";
        qv::Windows::registerFactory("Form6a", [] { return new InventoryMaster; });
        qv::Windows::registerFactory("Frmdatabase", [] { return new VendorBook; });
        db.seed();
    }
    void save(QWidget* window, const QString& name)
    {
        QApplication::processEvents();
        QTest::qWait(100);
        EXPECT_TRUE(window->grab().save(QDir(m_folder).filePath(name)));
    }
    QString m_folder;
};

TEST_F(InventoryShots, BothWindows)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    save(&w(), QStringLiteral("inventory_master.png"));
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    save(&w(), QStringLiteral("inventory_master_all.png"));
    click(w().findChild<QPushButton*>(QStringLiteral("Check2")));
    auto* book = qobject_cast<VendorBook*>(qv::Windows::loaded(QStringLiteral("Frmdatabase")));
    ASSERT_TRUE(book);
    save(book, QStringLiteral("vendor_book.png"));
}

} // namespace
