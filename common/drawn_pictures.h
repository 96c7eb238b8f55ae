#pragma once
// Pictures the windows draw rather than ship as files: the printer every
// print button shows (a floppy disk would say "save") and the lamp of the
// quick tips.
#include <QIcon>
#include <QPixmap>
#include <functional>

class QPainter;

// A square picture of `size` pixels on a clear ground, drawn on a grid of 24
// units (`unit` pixels each) with smooth edges.
QPixmap drawnPicture(int size, const std::function<void(QPainter& p, double unit)>& draw);

QIcon printIcon();
QPixmap lampPicture(int size);
