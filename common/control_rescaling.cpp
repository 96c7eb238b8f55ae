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
bool toPixels(double value, int& result)
{
    if (!std::isfinite(value) || std::abs(value) > QWIDGETSIZE_MAX)
        return false;
    result = int(std::lround(value));
    return true;
}

bool scaled(int value, float factor, int& result)
{
    return toPixels(double(value) * double(factor), result);
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

qint16 roundedToEven(double value)
{
    const double r = std::nearbyint(value);   // the default rounding takes halves to even
    if (!std::isfinite(r))
        return 0;
    return qint16(qBound(double(std::numeric_limits<qint16>::min()), r, double(std::numeric_limits<qint16>::max())));
}

} // namespace

namespace {

// What a control looked like at the ratio 1 (its design), and what it was
// last given: a control found otherwise has been placed by its window since
// (a picture scrolled, a bar docked), and that becomes its design.
constexpr const char* kDesignRect = "qvDesignRect";
constexpr const char* kPlacedRect = "qvPlacedRect";
constexpr const char* kDesignFontSize = "qvDesignFontSize";
constexpr const char* kPlacedFontSize = "qvPlacedFontSize";
constexpr const char* kDesignTextScale = "qvDesignTextScale";
constexpr const char* kPlacedTextScale = "qvPlacedTextScale";
// How much taller a list was drawn than its type asks for.
constexpr const char* kDesignListMargin = "qvDesignListMargin";
// The ratio a window's controls are placed at now.
constexpr const char* kRatioX = "qvRatioX";
constexpr const char* kRatioY = "qvRatioY";

double ratioOf(const QWidget* form, const char* name)
{
    const QVariant v = form->property(name);
    return v.isValid() ? v.toDouble() : 1.0;
}

bool usableRatio(double ratio)
{
    return std::isfinite(ratio) && ratio > 0;
}

// The size a font is given in: points where it has them, else pixels.
double fontSize(const QFont& font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : double(font.pixelSize());
}

bool sizedFont(const QFont& font, double size, QFont& result)
{
    result = font;
    if (!std::isfinite(size) || size <= 0)
        return false;
    if (font.pointSizeF() > 0) {
        result.setPointSizeF(size);
    } else {
        if (std::lround(size) <= 0)
            return false;
        result.setPixelSize(int(std::lround(size)));
    }
    return result != font;
}

// The control's design rectangle. What its window has changed since the last
// rescaling (a bar docked at the foot keeps its height and changes its top)
// is taken anew from where it stands; the rest stays as designed.
QRectF designRect(QWidget* c, double oldX, double oldY)
{
    const QRect g = c->geometry();
    const QRectF now(g.x() / oldX, g.y() / oldY, g.width() / oldX, g.height() / oldY);
    const QVariant design = c->property(kDesignRect);
    if (!design.isValid()) {
        c->setProperty(kDesignRect, now);
        return now;
    }
    const QRect placed = c->property(kPlacedRect).toRect();
    QRectF d = design.toRectF();
    if (placed.x() != g.x())
        d.moveLeft(now.x());
    if (placed.y() != g.y())
        d.moveTop(now.y());
    if (placed.width() != g.width())
        d.setWidth(now.width());
    if (placed.height() != g.height())
        d.setHeight(now.height());
    c->setProperty(kDesignRect, d);
    return d;
}

double designValue(QWidget* c, const char* designName, const char* placedName, double now, double oldRatio)
{
    const QVariant design = c->property(designName);
    if (design.isValid() && c->property(placedName).toDouble() == now)
        return design.toDouble();
    const double d = now / oldRatio;
    c->setProperty(designName, d);
    return d;
}

// Places every control at its design times the ratios; fonts take the mean.
void placeControls(double rx, double ry, QWidget* form)
{
    const double oldX = ratioOf(form, kRatioX), oldY = ratioOf(form, kRatioY);
    // A ratio that is no number fails the statements that need it; the
    // others still run.
    const bool xOk = usableRatio(rx) && usableRatio(oldX), yOk = usableRatio(ry) && usableRatio(oldY);
    if (!xOk && !yOk)
        return;
    const double oldR = (oldX + oldY) / 2;
    const double r = (rx + ry) / 2;

    QList<QWidget*> controls;
    collectControls(form, controls);
    // Designs are read before anything moves: a control that takes its font
    // from its container must not see the container's new font as its own.
    QList<QRectF> rects;
    QList<double> fontSizes;
    rects.reserve(controls.size());
    fontSizes.reserve(controls.size());
    for (QWidget* c : std::as_const(controls)) {
        rects << designRect(c, oldX, oldY);
        fontSizes << designValue(c, kDesignFontSize, kPlacedFontSize, fontSize(c->font()), oldR);
        // A list's height follows its type, from the height it was drawn
        // with: back at its design type it is as high as it was drawn.
        if (auto* combo = qobject_cast<QComboBox*>(c);
            combo && (!combo->property(kDesignListMargin).isValid()
                      || c->property(kPlacedRect).toRect().height() != c->height()))
            combo->setProperty(kDesignListMargin, combo->height() - combo->sizeHint().height());
    }

    for (int i = 0; i < controls.size(); ++i) {
        QWidget* c = controls.at(i);
        const QRectF& d = rects.at(i);
        int left = 0, top = 0, width = 0, height = 0;
        if (auto* combo = qobject_cast<QComboBox*>(c)) {
            // Left, top and width one by one; the height is the font's.
            if (xOk && toPixels(d.x() * rx, left))
                combo->move(left, combo->y());
            if (yOk && toPixels(d.y() * ry, top))
                combo->move(combo->x(), top);
            if (xOk && toPixels(d.width() * rx, width))
                combo->resize(width, combo->height());
        } else if (xOk && yOk && toPixels(d.x() * rx, left) && toPixels(d.y() * ry, top) && toPixels(d.width() * rx, width)
                   && toPixels(d.height() * ry, height)) {
            c->setGeometry(left, top, width, height);
        }
        // A grid's columns are part of its own layout: they widen with it.
        if (auto* grid = qobject_cast<qv::DataGrid*>(c); grid && xOk)
            grid->scaleColumns(rx / grid->columnScale());
        QFont font;
        if (sizedFont(c->font(), fontSizes.at(i) * r, font)) {
            c->setFont(font);
            if (auto* combo = qobject_cast<QComboBox*>(c))
                combo->resize(combo->width(),
                              combo->sizeHint().height() + combo->property(kDesignListMargin).toInt());
        }
        c->setProperty(kPlacedFontSize, fontSize(c->font()));
        // Sizes written in a rich text grow with the box's font on the
        // screen only; the text keeps them as written.
        if (auto* box = qobject_cast<qv::RichTextBox*>(c); box && xOk && yOk) {
            const double design = designValue(c, kDesignTextScale, kPlacedTextScale, box->displayScale(), oldR);
            box->setDisplayScale(design * r);
            c->setProperty(kPlacedTextScale, box->displayScale());
        }
        c->setProperty(kPlacedRect, c->geometry());
    }
    if (xOk)
        form->setProperty(kRatioX, rx);
    if (yOk)
        form->setProperty(kRatioY, ry);
}

} // namespace

void resizeControls(float sx, float sy, QWidget* form)
{
    if (!form)
        return;
    // Every control is placed from its design at the window's ratio, never
    // from where the last rescaling left it: rounding to whole pixels then
    // never adds up, and a size always gives the same layout.
    placeControls(ratioOf(form, kRatioX) * double(sx), ratioOf(form, kRatioY) * double(sy), form);

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
    rescale(window, true);
}

void SelfRescaling::formActivate(QWidget* window)
{
    m_referenceWidth = screenWidthPx;
    m_referenceHeight = screenHeightPx;
    rescale(window, false);
}

void SelfRescaling::rescale(QWidget* window, bool loading)
{
    resizeFormToo = kTrue;
    resizeOnFormResize = kFalse;
    measureScreen(screenPixels ? screenPixels() : primaryScreenPixels());
    // A screen never measured (or measured as nothing) scales nothing.
    if (m_referenceWidth <= 0 || m_referenceHeight <= 0 || screenWidthPx <= 0 || screenHeightPx <= 0) {
        rememberSize(window, loading);
        return;
    }
    const float sx = float(screenWidthPx) / float(m_referenceWidth);
    const float sy = float(screenHeightPx) / float(m_referenceHeight);
    // On the same screen nothing moves, and the user's sizes keep their layout.
    const bool moves = sx != 1.0f || sy != 1.0f;
    if (moves && window)
        resizeControls(sx, sy, window);
    rememberSize(window, loading || moves);
}

void SelfRescaling::formResize(QWidget* window)
{
    // A minimized window has no size to follow; scaling the controls down to
    // nothing would lose the layout for good.
    if (!window || window->isMinimized())
        return;
    resizeOnFormResize = kTrue;
    resizeFormToo = kFalse;
    const int width = qv::twips(window->width());
    const int height = qv::twips(window->height());
    // The window's own rescaling at load or activation has already placed
    // the controls for this size. Any other size is followed, also the first
    // after an activation: the window manager activates the window at the
    // end of every drag, and a maximize right after it must not be lost.
    if (width == m_lastWidth && height == m_lastHeight)
        return;
    if (m_baseWidth <= 0 || m_baseHeight <= 0 || width <= 0 || height <= 0) {
        rememberSize(window, true);
        return;
    }
    // The ratio for this size, from the size the window had at its last own
    // rescaling: the same size always gives the same ratio.
    placeControls(m_baseRatioX * width / m_baseWidth, m_baseRatioY * height / m_baseHeight, window);
    rememberSize(window, false);
}

void SelfRescaling::rememberSize(QWidget* window, bool newBase)
{
    if (!window)
        return;
    // The size the controls were scaled for: the window's inside, which is
    // known before the window is first shown (its frame is not).
    m_lastHeight = qv::twips(window->height());
    m_lastWidth = qv::twips(window->width());
    if (newBase) {
        m_baseWidth = m_lastWidth;
        m_baseHeight = m_lastHeight;
        m_baseRatioX = ratioOf(window, kRatioX);
        m_baseRatioY = ratioOf(window, kRatioY);
    }
}
