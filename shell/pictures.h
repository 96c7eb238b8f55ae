#pragma once
// The shell's pictures (logo, book, padlock, key), drawn rather than shipped
// as files so that the program folder holds only the database.
#include <QPixmap>

namespace shell {

QPixmap logoPicture(int width, int height);
QPixmap bookPicture(int size);
QPixmap padlockPicture(int size);

} // namespace shell
