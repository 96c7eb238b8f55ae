// The customer window as a receptionist reads it: the grid of clients with
// whole names, numbers and headers, "Required! *" read with the Phone box,
// and the comments shown and typed on several lines.
#include "customers_fixture.h"
#include "platform/forms/window.h"

#include "platform/forms/many_line_box.h"
#include "support/layout_check.h"
#include "support/line_hands.h"
#include "support/layout_extras.h"
#include "support/user_hands.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

using qvtest::clickAt;
using qvtest::press;

TEST_F(CustomersTest, TheGridPanelShowsNamesPhonesAndHeadersWhole)
{
    CustomerWindow& w = open();
    clickAt(w.findChild<QPushButton*>(QStringLiteral("Command6")));
    ASSERT_TRUE(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->isVisible());
    // The panel lies over the fields by design; what lies on the panel must read whole.
    QStringList onThePanel;
    for (const QString& fault : qvtest::layoutFaults(&w, QStringLiteral("frmCustomers")))
        if (fault.contains(QStringLiteral(": frmCustomers/Picture1/")))
            onThePanel << fault;
    EXPECT_TRUE(onThePanel.isEmpty()) << onThePanel.join("\n").toStdString();
    // Four columns and the scroll bar of a long list fit the grid side by side.
    int columns = 0;
    for (int c = 0; c < w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->columnCount(); ++c)
        columns += w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->columnWidth(c);
    EXPECT_LE(columns + w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->verticalHeader()->width() + w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->verticalScrollBar()->sizeHint().width(),
              w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->width() - 2 * w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->frameWidth());
    clickAt(w.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture1"))->isVisible());
}

TEST_F(CustomersTest, RequiredIsReadWithThePhoneBoxAndLiesOnNoOtherCaption)
{
    CustomerWindow& w = open();
    QLabel* required = w.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 14));
    QLabel* caption = w.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 8));
    qv::TextBox* phone = box(8);
    EXPECT_EQ(required->text(), "Required! *");
    EXPECT_EQ(caption->text(), "Phone:");
    for (QWidget* control : {(QWidget*)required, (QWidget*)caption, (QWidget*)w.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 10))}) {
        const QStringList overlaps = qvtest::overlapsOf(control);
        EXPECT_TRUE(overlaps.isEmpty()) << overlaps.join("\n").toStdString();
    }
    // On the Phone row, after the caption's text and before the box.
    const int captionTextEnds = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text());
    const int requiredTextEnds = required->x() + required->fontMetrics().horizontalAdvance(required->text());
    EXPECT_GT(required->x(), captionTextEnds);
    EXPECT_LE(requiredTextEnds, phone->x());
    EXPECT_LE(qAbs(required->geometry().center().y() - phone->geometry().center().y()), 3);
}

TEST_F(CustomersTest, CommentsShowTheirLinesAndTakeNewOnes)
{
    db.seed();
    db.execRaw("UPDATE Customers SET Comments = 'Colour at 6' || char(13) || char(10) || 'Allergic to ammonia' "
               "WHERE CustomerName = 'Ann Lee'");
    seed = false;
    CustomerWindow& w = open();
    qv::ManyLineBox* comments = w.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_12_lines"));
    ASSERT_TRUE(comments);
    EXPECT_TRUE(comments->isVisible());
    EXPECT_EQ(comments->blockCount(), 2);
    EXPECT_EQ(comments->document()->findBlockByNumber(1).text(), "Allergic to ammonia");
    EXPECT_GE(comments->height(), 2 * comments->fontMetrics().lineSpacing());

    // Keys that move along the lines stay with the box: the window stays on its client.
    clickAt(comments);
    ASSERT_EQ(qvtest::focused(), comments);
    press(Qt::Key_Home, Qt::ControlModifier);
    press(Qt::Key_Down);
    EXPECT_EQ(comments->textCursor().blockNumber(), 1);
    press(Qt::Key_End);
    press(Qt::Key_Up);
    press(Qt::Key_PageDown);
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(box(0)->text(), "Ann Lee");

    // Showing the client wrote nothing back.
    clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(stored("Ann Lee", "Comments").toString(), "Colour at 6\r\nAllergic to ammonia");

    // Enter starts a new line; Update keeps all three.
    clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::addLineAtEnd(comments, "Prefers mornings");
    EXPECT_EQ(comments->blockCount(), 3);
    clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
    EXPECT_EQ(stored("Ann Lee", "Comments").toString().remove('\r'), "Colour at 6\nAllergic to ammonia\nPrefers mornings");

    // Tab goes on from the comments to the salon artist.
    clickAt(comments);
    press(Qt::Key_Tab);
    EXPECT_EQ(qvtest::focused(), box(1));
}
