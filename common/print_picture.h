#pragma once
// The picture every print button shows: a printer with a sheet coming out,
// drawn rather than shipped as a file (a floppy disk would say "save").
#include <QIcon>

QIcon printIcon();
