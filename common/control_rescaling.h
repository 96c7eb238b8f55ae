#pragma once
// Rescaling a window's controls so that a window drawn for a screen of
// 800 x 600 pixels fills a larger or smaller one, and the screen figures the
// self-rescaling windows share. A self-rescaling window keeps a
// SelfRescaling of its own and calls it from its formLoad, formActivate and
// (when it follows the user's resizing) formResize.
#include <QSize>
#include <QtGlobal>
#include <functional>

class QWidget;

// Shared by every self-rescaling window; zero until the first one loads.
// Flags are -1 for true and 0 for false.
extern qint16 screenTwipsX;        // twips per screen pixel, horizontally
extern qint16 screenTwipsY;        // and vertically
extern qint16 screenWidthPx;       // the screen's width in pixels
extern qint16 screenHeightPx;      // and height
extern qint16 resizeFormToo;       // resizeControls moves and sizes the window itself too
extern qint16 resizeOnFormResize;  // a resize of the window rescales its controls

// Moves and sizes every control of the form by the factors (left and width
// by sx, top and height by sy; a combo box's height follows its font
// instead) and multiplies each control's font size by their mean (a rich-text
// box shows the sizes written in its text as much larger, and still stores
// them as written); a grid's columns widen by the horizontal factor with the
// grid. The factors multiply the ratio the window's controls stand at, and
// each control is placed from its design (its place at the ratio 1, or where
// its window last put it) times that ratio, so whole-pixel rounding never
// adds up over many rescalings. Controls
// inside containers are scaled in their container's coordinates; the inner
// parts of composite controls (a grid's scroll bars, a calendar's buttons)
// are left to their control. With resizeFormToo set the window itself is
// moved and sized by the same factors. Never reports an error.
void resizeControls(float sx, float sy, QWidget* form);

// Measures the screen into the four screen figures.
void measureScreen(QSize screenPixels);
// The primary screen's size in pixels (800 x 600 when there is no screen).
QSize primaryScreenPixels();

// What one self-rescaling window keeps, and the three moments it rescales.
class SelfRescaling {
public:
    // Where the window reads the screen's size; the primary screen unless set.
    std::function<QSize()> screenPixels = primaryScreenPixels;

    // Load: from the 800 x 600 design to the screen, the window too.
    void formLoad(QWidget* window);
    // Activation: from the screen measured last to the screen now, the
    // window too; on the same screen nothing moves.
    void formActivate(QWidget* window);
    // Resize: the one the window's own rescaling at load or activation
    // caused is let pass; every other size is followed, the controls (not
    // the window) placed for it as they always are for that size.
    void formResize(QWidget* window);

    int referenceWidth() const { return m_referenceWidth; }
    int referenceHeight() const { return m_referenceHeight; }
    int lastWidth() const { return m_lastWidth; }     // outer size in twips
    int lastHeight() const { return m_lastHeight; }

private:
    void rescale(QWidget* window, bool loading);
    // With newBase, the ratio the controls stand at now belongs to this size.
    void rememberSize(QWidget* window, bool newBase);

    qint16 m_referenceWidth = 800;
    qint16 m_referenceHeight = 600;
    qint32 m_lastWidth = 0;
    qint32 m_lastHeight = 0;
    // A size (twips) and the ratio the controls had at it.
    qint32 m_baseWidth = 0;
    qint32 m_baseHeight = 0;
    double m_baseRatioX = 1.0;
    double m_baseRatioY = 1.0;
};
