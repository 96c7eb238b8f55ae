#include "shell/quick_tips.h"

#include "common/window_helpers.h"

#include <QLabel>

QV_REGISTER_WINDOW_AS(CommissionsQuickTips, "frmquicktips");
QV_REGISTER_WINDOW_AS(RetailProductsQuickTips, "frmquicktips1");
QV_REGISTER_WINDOW_AS(CommissionPaymentsQuickTips, "frmquicktips4");
QV_REGISTER_WINDOW_AS(AppointmentManagerQuickTips, "Form5");

QuickTipNote::QuickTipNote(const QString& title, const QString& text, int widthTwips)
{
    setWindowTitle(title);

    noteText = new QLabel(text, this);
    noteText->setObjectName(QStringLiteral("Label1"));
    noteText->setTextFormat(Qt::PlainText);
    noteText->setWordWrap(true);
    noteText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The window is as tall as its text needs at the given width.
    const int margin = qv::px(180);
    const int labelWidth = qv::px(widthTwips) - 2 * margin;
    const int labelHeight = noteText->heightForWidth(labelWidth);
    noteText->setGeometry(margin, margin, labelWidth, labelHeight);
    setFixedSize(qv::px(widthTwips), labelHeight + 2 * margin);
}

void QuickTipNote::formLoad()
{
    makeTopMost(this);
}

CommissionsQuickTips::CommissionsQuickTips()
    : QuickTipNote(QStringLiteral("Tips"),
                   QStringLiteral("Enter the dates for the range you would like to search. If you are searching the "
                                  "same day enter the same date for both fields. Click on the  Employee records "
                                  "buttons to find the amounts for the days you have entered. Enter a percentage if "
                                  "you wish to figure the commission for that period."),
                   4800)
{
}

RetailProductsQuickTips::RetailProductsQuickTips()
    : QuickTipNote(
          QStringLiteral("QuickTips"),
          QStringLiteral(
              "If you have made an error and need to delete a product(s) from the appointment form do the following: "
              "First , make sure that you are on the correct record on the appointment screen. Open the Retail "
              "products form. Management click on mgr edit and enter your password. New buttons will appear that "
              "will allow you to delete and edit the products menu. On the Retail products screen scroll through the "
              "records until you find the product that matches the product you need to edit on the appointment "
              "screen. Enter the total quantity that is on the appointment screen in the products box into the "
              "returned to stock textbox. You essentially will be voiding the entire transaction. Click on edit then "
              "update on the retail products form. Now click on the X button that corresponds to the box containing "
              "the products you want to delete. The product should now be deleted from the appointment screen and "
              "the product should be back in inventory.  Remember: You are voiding the transaction as if it never "
              "happened, so if your client purchased 5 bottles of shampoo and wants to return one, you will have to "
              "void the entire transaction and re-enter it with the amount she/he now wishes to purchase."),
          7200)
{
}

CommissionPaymentsQuickTips::CommissionPaymentsQuickTips()
    : QuickTipNote(QStringLiteral("Quick Tips"),
                   QStringLiteral("To enter commissions into this form: Click Add button on the bottom. Find your "
                                  "employee name in the drop down boxes , or type in the name. Enter the information "
                                  "from the commissions form. Click update to save the information to the database. "
                                  "You can also find paid commissions by clicking on the find button and entering the "
                                  "employee name."),
                   4800)
{
}

AppointmentManagerQuickTips::AppointmentManagerQuickTips()
    : QuickTipNote(QStringLiteral("Help"),
                   QStringLiteral("The Appointment form is disabled if you delete the last entry from the database. "
                                  "This is done to ensure the integrity of the database. Please enter at least one "
                                  "entry into the database from the  manage appointment form, before trying to enter "
                                  "the Appointment form."),
                   4800)
{
}
