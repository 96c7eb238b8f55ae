// The gift certificate: opened from the customer window, printed as it
// appears without its Print button.
#include "support/user_hands.h"
#include "customers_fixture.h"

#include "customers/gift_certificate.h"
#include "platform/forms/window.h"
#include "platform/print/printer.h"

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

TEST_F(CustomersTest, TheCertificatePrintsWithoutItsButtonWhichComesBackAfterwards)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Command8")));
    auto* cert = qv::Windows::loaded<GiftCertificate>();
    ASSERT_TRUE(cert);
    EXPECT_TRUE(cert->isVisible());
    EXPECT_EQ(cert->windowTitle(), "Gift Certificates");
    EXPECT_TRUE(cert->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(cert->closeCommandRemoved());
    EXPECT_EQ(cert->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(), QSize(570, 273));
    EXPECT_TRUE(qv::Windows::loaded("frmCustomers"));   // the customers stay open

    ui.script.clear();
    qvtest::clickAt(cert->findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedPage& page = printing->jobs()[0].pages[0];
    ASSERT_EQ(page.pictures.size(), 1);
    // The window at screen size (15 twips a pixel), below one empty line.
    EXPECT_EQ(page.pictures[0].pixelSize, cert->size());
    EXPECT_NEAR(page.pictures[0].rect.width(), 10785, 15);
    EXPECT_GT(page.pictures[0].rect.top(), 0);
    EXPECT_EQ(printing->jobs()[0].printQuality, qv::PrintQuality::High);
    EXPECT_TRUE(cert->findChild<QPushButton*>(QStringLiteral("Command1"))->isVisible());

    // Cancelled: nothing printed, the button is there.
    ui.script.printerAnswers = {false};
    qvtest::clickAt(cert->findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(printing->jobs().size(), 1);
    EXPECT_TRUE(cert->findChild<QPushButton*>(QStringLiteral("Command1"))->isVisible());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(CustomersTest, ThePrintedCertificateShowsThePictureAndNotTheButton)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    open();
    GiftCertificate& cert = *qv::Windows::show<GiftCertificate>();
    const QString pdf = QDir(db.folder()).filePath("certificate.pdf");
    qv::printer().useSystemPdfFile(pdf);
    qvtest::clickAt(cert.findChild<QPushButton*>(QStringLiteral("Command1")));
    qv::printer().useRecording();
    ASSERT_TRUE(QFile::exists(pdf));

    QProcess render;
    const int dpi = 96;   // a pixel of the page is a pixel of the screen
    render.start(pdftoppm, {"-png", "-r", QString::number(dpi), "-singlefile", pdf, QDir(db.folder()).filePath("cert")});
    ASSERT_TRUE(render.waitForFinished(60000));
    const QImage page(QDir(db.folder()).filePath("cert.png"));
    ASSERT_FALSE(page.isNull());

    // The window's background is white: what is not white on the page is the
    // certificate, as large as on screen, and nothing beside it (no button).
    QRect inked;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 230)
                inked |= QRect(x, y, 1, 1);
    const QSize art = GiftCertificate::certificatePicture().size();
    // (The artwork's own margins are white.)
    EXPECT_LE(inked.width(), art.width());
    EXPECT_GE(inked.width(), art.width() - 20);
    EXPECT_LE(inked.height(), art.height());
    EXPECT_GE(inked.height(), art.height() - 20);
}