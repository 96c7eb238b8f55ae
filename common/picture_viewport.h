#pragma once
// A record's picture kept by path: the record stores only the full path of an
// image file, in a text field bound to a box of the window; the picture is
// shown at its natural size inside a frame that clips it, shifted by two
// scroll bars. Record windows with a picture (clients, employees, assets)
// create one, place its controls and call it after every change of record.
#include <QImage>
#include <QObject>
#include <QString>

class QScrollBar;
class QWidget;

namespace qv {
class PictureBox;
class Recordset;
class TextBox;
}

class PictureViewport : public QObject {
    Q_OBJECT
public:
    // Creates the frame "PicArea" with the picture "PicDest" inside it and the
    // scroll bars "HslPicdest" and "VslPicdest" on `window`; `pathBox` is the
    // bound box that holds the path.
    PictureViewport(QWidget* window, qv::TextBox* pathBox);

    QWidget* pictureFrame = nullptr;
    qv::PictureBox* pictureBox = nullptr;
    QScrollBar* horizontalScrollBar = nullptr;
    QScrollBar* verticalScrollBar = nullptr;

    // Places the frame and the scroll bars (twips, in the window): the frame,
    // the horizontal bar under it and the vertical bar beside it.
    void place(int left, int top, int width, int height, int hBarTop, int vBarLeft, int barThickness);

    // Shows the picture named by the path box; an empty path shows none. A
    // path that names no loadable picture empties the picture and raises
    // qv::Error; callers that report nothing pass over it.
    void showPicture();
    // Empties the picture (the path box is left alone).
    void clearPicture();
    // The open-file dialog; the chosen picture is shown and its path written
    // into the path box as a pending change of the record. False when the
    // user cancelled (nothing changes then).
    bool insertPicture();
    // Empties the picture and the path box, then saves every pending change
    // of `recordset` and shows the current record's picture again. Failures
    // are passed over: the path box is empty either way.
    void deletePicture(qv::Recordset* recordset);

    // The picture shown now (null when none), whole, read at the size the
    // cards print it.
    QImage picture() const;

    // The open-file dialog's filter, the one for every record's picture.
    static QString fileFilter();

private:
    void scrollTo();
    qv::TextBox* m_pathBox;
};
