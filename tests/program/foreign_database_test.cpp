// A "KVD.mdb" that is no salon database (another program's file, or one
// damaged) is said once when the appointment book opens, not once for every
// attempt to read the artists' list.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/salon_db.h"
#include "support/user_hands.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void replaceFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

class ForeignDatabase : public qvtest::WindowFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(ForeignDatabase, TheBookSaysItOnce)
{
    const QString kind = QString::fromLatin1(GetParam());
    if (kind == QLatin1String("text"))
        replaceFile(db.file(), QByteArray("This is somebody's letter, not a database.\n").repeated(200));
    else if (kind == QLatin1String("damaged")) {
        db.seed();
        QFile file(db.file());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        // The header and the first pages overwritten, as a broken copy leaves them.
        for (qsizetype i = 0; i < qMin<qsizetype>(bytes.size(), 8192); ++i)
            bytes[i] = char(0x5A);
        file.seek(0);
        file.write(bytes);
    }
    // "empty": another program's database, with none of the salon's tables.
    else
        replaceFile(db.file(), QByteArray());

    qv::Window* splash = qv::Windows::show(QStringLiteral("frmSplash"));
    ASSERT_NE(splash, nullptr);
    splash->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
    ui.script.clear();
    qvtest::press(Qt::Key_A);   // any key opens the appointment book
    QCoreApplication::processEvents();

    const QStringList said = ui.script.messages();
    EXPECT_EQ(said.size(), 1) << said.join(" | ").toStdString();
    QStringList distinct = said;
    distinct.removeDuplicates();
    EXPECT_EQ(distinct.size(), said.size()) << "told again: " << said.join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, ForeignDatabase, ::testing::Values("text", "damaged", "empty"));

} // namespace
