#pragma once
// The business assets window opened offscreen on a seeded salon, with
// scripted dialogs and a recording printer; the windows its bar opens are
// the real ones.
#include "assets/business_assets.h"
#include "platform/forms/window.h"
#include "platform/forms/controls.h"
#include "support/window_fixture.h"

class AssetsTest : public qvtest::WindowFixture {
protected:
    using enum BusinessAssets::Box;

    void SetUp() override;

    BusinessAssets& open();
    BusinessAssets& win() { return *m_window; }
    qv::TextBox* box(BusinessAssets::Box role) { return m_window->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", role)); }

    // A field of the item with that name, as stored.
    QVariant stored(const QString& itemName, const QString& field);
    // A money field of that item as a number.
    double storedMoney(const QString& itemName, const QString& field);
    bool pictureShown() const;

private:
    BusinessAssets* m_window = nullptr;
};
