#pragma once
// The business assets window opened offscreen on a seeded salon, with
// scripted dialogs, a recording printer and stand-ins for the windows its bar
// opens by name.
#include "assets/business_assets.h"
#include "platform/forms/controls.h"
#include "platform/print/print_devices.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QColor>
#include <QTest>
#include <gtest/gtest.h>

class AssetsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Form2& open();
    Form2& win() { return *m_window; }
    qv::TextBox* box(int index) { return m_window->txtfields.value(index); }

    void type(QWidget* box, const QString& text);
    void click(QAbstractButton* button);
    static void settle();

    // A picture file of one colour in the program folder.
    QString pictureFile(const QString& name, const QColor& colour, QSize size = QSize(300, 240));
    // A field of the item with that name, as stored.
    QVariant stored(const QString& itemName, const QString& field);
    // A money field of that item as a number.
    double storedMoney(const QString& itemName, const QString& field);
    bool pictureShown() const;

    QStringList messages() const { return ui.script.messages(); }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    qv::ScopedPrintRecording printing;
    bool seed = true;

private:
    Form2* m_window = nullptr;
};

// The names of the windows the assets window opens, registered as plain
// stand-ins in this test program.
const QStringList& standInNames();
