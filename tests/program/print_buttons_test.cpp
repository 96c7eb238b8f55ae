// Every window the program knows: a print button shows the printer, never the
// floppy disk that says "save" (the program saves nothing to a file from a
// button).
#include "common/drawn_pictures.h"
#include "platform/forms/window.h"
#include "window_states.h"

#include <QAbstractButton>
#include <QApplication>
#include <QStyle>
#include <gtest/gtest.h>

static void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

bool looksLike(const QIcon& icon, const QIcon& picture)
{
    const QSize size(22, 22);
    return !icon.isNull() && icon.pixmap(size).toImage() == picture.pixmap(size).toImage();
}

class PrintButtons : public qvtest::EveryWindowTest {};

TEST_P(PrintButtons, ShowThePrinterNotTheFloppyDisk)
{
    qv::Window* w = qv::Windows::get(GetParam());
    ASSERT_TRUE(w);
    const QIcon save = QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton);
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        EXPECT_FALSE(looksLike(b->icon(), save))
            << GetParam().toStdString() << "/" << b->objectName().toStdString() << " (\""
            << b->toolTip().toStdString() << "\") shows the floppy disk of saving";
    }
}

TEST(PrintPicture, IsNotTheFloppyDisk)
{
    EXPECT_FALSE(printIcon().isNull());
    EXPECT_FALSE(looksLike(printIcon(), QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton)));
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, PrintButtons, ::testing::ValuesIn(qv::Windows::kinds()),
                         [](const ::testing::TestParamInfo<QString>& info) { return info.param.toStdString(); });

} // namespace
