#include "common/control_rescaling.h"

#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/print/rich_text_box.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <cmath>
#include <limits>

qint16 screenTwipsX = 0;
qint16 screenTwipsY = 0;
qint16 screenWidthPx = 0;
qint16 screenHeightPx = 0;
qint16 resizeFormToo = 0;
qint16 resizeOnFormResize = 0;

namespace {

constexpr qint16 kTrue = -1;
constexpr qint16 kFalse = 0;
constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 600;

// A value times a factor, as a control stores it. False when the result is
// no coordinate at all (the statement fails and the control keeps its value).
bool scaled(int value, float factor, int& result)
{
    const double product = double(value) * double(factor);
    if (!std::isfinite(product) || std::abs(product) > QWIDGETSIZE_MAX)
        return false;
    result = int(std::lround(product));
    return true;
}

// Controls whose inner parts are laid out by the control itself; their
// children are not the window's controls.
bool placesItsOwnChildren(const QWidget* w)
{
    return w->layout() || qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QLineEdit*>(w)
        || qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSlider*>(w)
        || qobject_cast<const QTabBar*>(w) || qobject_cast<const QTabWidget*>(w) || qobject_cast<const QSplitter*>(w)
        || qobject_cast<const QMenuBar*>(w);
}

// The window's controls, containers before what they contain.
void collectControls(const QWidget* container, QList<QWidget*>& controls)
{
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow())
            continue;   // timers, actions, other windows: nothing to scale
        controls << w;
        if (!placesItsOwnChildren(w))
            collectControls(w, controls);
    }
}

bool scaledFont(const QFont& font, float r, QFont& result)
{
    result = font;
    if (font.pointSizeF() > 0) {
        const double size = font.pointSizeF() * double(r);
        if (!std::isfinite(size) || size <= 0)
            return false;
        result.setPointSizeF(size);
    } else {
        const double size = font.pixelSize() * double(r);
        if (!std::isfinite(size) || std::lround(size) <= 0)
            return false;
        result.setPixelSize(int(std::lround(size)));
    }
    return result != font;
}

qint16 roundedToEven(double value)
{
    const double r = std::nearbyint(value);   // the default rounding takes halves to even
    if (!std::isfinite(r))
        return 0;
    return qint16(qBound(double(std::numeric_limits<qint16>::min()), r, double(std::numeric_limits<qint16>::max())));
}

} // namespace

void resizeControls(float sx, float sy, QWidget* form)
{
    if (!form)
        return;
    const float r = (sx + sy) / 2;

    QList<QWidget*> controls;
    collectControls(form, controls);
    // Fonts are read before any is set: a control that takes its font from
    // its container must be scaled once, not once more with the container.
    QList<QFont> fonts;
    fonts.reserve(controls.size());
    for (const QWidget* c : std::as_const(controls))
        fonts << c->font();

    for (int i = 0; i < controls.size(); ++i) {
        QWidget* c = controls.at(i);
        const QRect g = c->geometry();
        if (auto* combo = qobject_cast<QComboBox*>(c)) {
            // Left, top and width one by one; the height is the font's.
            int v = 0;
            if (scaled(g.x(), sx, v))
                combo->move(v, combo->y());
            if (scaled(g.y(), sy, v))
                combo->move(combo->x(), v);
            if (scaled(g.width(), sx, v))
                combo->resize(v, combo->height());
        } else {
            int left = 0, top = 0, width = 0, height = 0;
            if (scaled(g.x(), sx, left) && scaled(g.y(), sy, top) && scaled(g.width(), sx, width)
                && scaled(g.height(), sy, height))
                c->setGeometry(left, top, width, height);
        }
        // A grid's columns are part of its own layout: they widen with it.
        if (auto* grid = qobject_cast<qv::DataGrid*>(c))
            grid->scaleColumns(sx);
        QFont font;
        if (scaledFont(fonts.at(i), r, font)) {
            c->setFont(font);
            // Sizes written in a rich text grow with the box's font on the
            // screen only; the text keeps them as written.
            if (auto* box = qobject_cast<qv::RichTextBox*>(c))
                box->setDisplayScale(box->displayScale() * r);
            if (auto* combo = qobject_cast<QComboBox*>(c))
                combo->resize(combo->width(), combo->sizeHint().height());
        }
    }

    if (resizeFormToo != kFalse) {
        // The window's place and size both scale.
        const QPoint at = form->pos();
        const QSize size = form->size();
        int left = 0, top = 0, width = 0, height = 0;
        if (scaled(at.x(), sx, left) && scaled(at.y(), sy, top) && scaled(size.width(), sx, width)
            && scaled(size.height(), sy, height)) {
            form->move(left, top);
            form->resize(width, height);
        }
    }
}

void measureScreen(QSize screenPixels)
{
    // Windows are placed at a fixed number of twips to the pixel; the
    // windowing system takes care of screens that are finer than that.
    screenTwipsX = qint16(qv::kTwipsPerPixel);
    screenTwipsY = qint16(qv::kTwipsPerPixel);
    const double widthTwips = double(screenPixels.width()) * qv::kTwipsPerPixel;
    const double heightTwips = double(screenPixels.height()) * qv::kTwipsPerPixel;
    screenHeightPx = roundedToEven(heightTwips / screenTwipsY);
    screenWidthPx = roundedToEven(widthTwips / screenTwipsX);
}

QSize primaryScreenPixels()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(kDesignWidth, kDesignHeight);
}

void SelfRescaling::formLoad(QWidget* window)
{
    m_referenceWidth = kDesignWidth;
    m_referenceHeight = kDesignHeight;
    rescale(window);
}

void SelfRescaling::formActivate(QWidget* window)
{
    m_referenceWidth = screenWidthPx;
    m_referenceHeight = screenHeightPx;
    rescale(window);
}

void SelfRescaling::rescale(QWidget* window)
{
    resizeFormToo = kTrue;
    resizeOnFormResize = kFalse;
    measureScreen(screenPixels ? screenPixels() : primaryScreenPixels());
    // A screen never measured (or measured as nothing) scales nothing.
    if (m_referenceWidth <= 0 || m_referenceHeight <= 0 || screenWidthPx <= 0 || screenHeightPx <= 0) {
        rememberSize(window);
        return;
    }
    const float sx = float(screenWidthPx) / float(m_referenceWidth);
    const float sy = float(screenHeightPx) / float(m_referenceHeight);
    resizeControls(sx, sy, window);
    rememberSize(window);
}

void SelfRescaling::formResize(QWidget* window)
{
    // A minimized window has no size to follow; scaling the controls down to
    // nothing would lose the layout for good.
    if (!window || window->isMinimized())
        return;
    if (resizeOnFormResize == kFalse) {
        resizeOnFormResize = kTrue;
        return;
    }
    resizeFormToo = kFalse;
    const int width = qv::twips(window->width());
    const int height = qv::twips(window->height());
    if (m_lastWidth <= 0 || m_lastHeight <= 0 || width <= 0 || height <= 0) {
        rememberSize(window);
        return;
    }
    const float sx = float(width) / float(m_lastWidth);
    const float sy = float(height) / float(m_lastHeight);
    resizeControls(sx, sy, window);
    rememberSize(window);
}

void SelfRescaling::rememberSize(QWidget* window)
{
    if (!window)
        return;
    // The size the controls were scaled for: the window's inside, which is
    // known before the window is first shown (its frame is not).
    m_lastHeight = qv::twips(window->height());
    m_lastWidth = qv::twips(window->width());
}
