#include "shell/calculator.h"

#include "common/window_helpers.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

QV_REGISTER_WINDOW(Calculator);

namespace {

const QString kNums = QStringLiteral("NUMS");
const QString kNeg = QStringLiteral("NEG");
const QString kOps = QStringLiteral("OPS");
const QString kPercentInput = QStringLiteral("Ops");
const QString kCancelEntry = QStringLiteral("CE");
const QString kNone = QStringLiteral("NONE");

const QString kTitle = QStringLiteral("Calculator");

// The value of a readout text. A text that is no number at all (the lone
// minus that starts a negative entry) counts as 0; a typed number too large
// for a double is an infinity, which the computations report as overflow.
double numberOf(const QString& text)
{
    QString plain = text.trimmed();
    plain.replace(Calculator::decimalSeparator(), QStringLiteral("."));
    const QByteArray bytes = plain.toLatin1();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec == std::errc::result_out_of_range) {
        // Too large when a digit other than 0 stands before the point, else too small.
        const qsizetype point = plain.indexOf(u'.');
        const QString whole = point < 0 ? plain : plain.left(point);
        const bool negative = plain.startsWith(u'-');
        for (QChar c : whole)
            if (c >= u'1' && c <= u'9')
                return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        return negative ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != end)
        return 0;
    return value;
}

// A computed number as the readout shows it: up to 15 significant digits,
// no separator at the end, exponent form for very large or small values.
QString textOf(double value)
{
    QString text = qv::plainText(value);
    text.replace(QStringLiteral("."), Calculator::decimalSeparator());
    return text;
}

} // namespace

QString Calculator::decimalSeparator()
{
    return QLocale().decimalPoint();
}

Calculator::Calculator()
{
    setWindowTitle(kTitle);
    setTwipsSize(3480, 3360);
    setFixedSize(size());

    readout = new QLabel(this);
    readout->setObjectName(QStringLiteral("Readout"));
    readout->setTextFormat(Qt::PlainText);
    readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    readout->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    readout->setAutoFillBackground(true);
    QPalette pal = readout->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    readout->setPalette(pal);
    QFont readoutFont = readout->font();
    readoutFont.setBold(true);
    readoutFont.setPointSizeF(readoutFont.pointSizeF() * 1.2);
    readout->setFont(readoutFont);
    m_readoutPoints = readoutFont.pointSizeF();
    readout->setContentsMargins(0, 0, 4, 0);
    qv::place(readout, 240, 120, 3000, 375);

    const auto button = [this](const QString& name, const QString& caption, int left, int top, int width = 480) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        qv::place(b, left, top, width, 480);
        return b;
    };

    // Digits by their place on the pad: row tops, column lefts.
    const int rows[] = {840, 1440, 2040, 2640};
    const int cols[] = {240, 840, 1440, 2160, 2760};
    struct Place { int row, col; };
    const Place digitPlace[10] = {{3, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 0}, {1, 1}, {1, 2}, {0, 0}, {0, 1}, {0, 2}};
    for (int d = 0; d < 10; ++d) {
        const Place p = digitPlace[d];
        digitButtons << button(qv::arrayMemberName("Number", d), QString::number(d), cols[p.col], rows[p.row],
                               d == 0 ? 1080 : 480);
    }
    const QString opCaptions[5] = {QStringLiteral("/"), QStringLiteral("+"), QStringLiteral("X"),
                                   QStringLiteral("-"), QStringLiteral("=")};
    const Place opPlace[5] = {{2, 4}, {1, 3}, {2, 3}, {1, 4}, {3, 3}};
    for (int i = 0; i < 5; ++i)
        operatorButtons << button(qv::arrayMemberName("Operator", i), opCaptions[i], cols[opPlace[i].col],
                                  rows[opPlace[i].row]);
    clearButton = button(QStringLiteral("Cancel"), QStringLiteral("C"), cols[3], rows[0]);
    clearEntryButton = button(QStringLiteral("CancelEntry"), QStringLiteral("CE"), cols[4], rows[0]);
    decimalPointButton = button(QStringLiteral("Decimal"), QStringLiteral("."), cols[2], rows[3]);
    percentButton = button(QStringLiteral("Percent"), QStringLiteral("%"), cols[4], rows[3]);

    for (int d = 0; d < 10; ++d)
        onClick(digitButtons[d], [this, d] { typeDigit(d); });
    for (int i = 0; i < 5; ++i)
        onClick(operatorButtons[i], [this, i] { pressOperator(i); });
    onClick(clearButton, [this] { clearAll(); });
    onClick(clearEntryButton, [this] { clearEntry(); });
    onClick(decimalPointButton, [this] { typeDecimalPoint(); });
    onClick(percentButton, [this] { takePercent(); });
}

void Calculator::formLoad()
{
    startOver();
}

void Calculator::startOver()
{
    makeTopMost(this);
    m_point = false;
    m_operands = 0;
    m_lastInput = kNone;
    m_pending = QStringLiteral(" ");
    setReadout(QStringLiteral("0") + decimalSeparator());
}

void Calculator::setReadout(const QString& text)
{
    // A long result ("9.99999800000019E+159") is shown whole in smaller type
    // rather than losing its first digits at the left edge; the type stays
    // readable, so only an entry typed longer than any result is cut.
    constexpr double smallestPoints = 8;
    QFont font = readout->font();
    font.setPointSizeF(m_readoutPoints);
    // A framed label keeps half an "x" of its type clear of the frame.
    const auto need = [&text](const QFont& f) {
        const QFontMetrics fm(f);
        return fm.horizontalAdvance(text) + fm.horizontalAdvance(QLatin1Char('x')) / 2 + 1;
    };
    const int room = readout->contentsRect().width();
    while (font.pointSizeF() > smallestPoints && need(font) > room)
        font.setPointSizeF(qMax(smallestPoints, font.pointSizeF() - 0.5));
    if (font != readout->font())
        readout->setFont(font);
    readout->setText(text);
}

QString Calculator::shown(const Operand& operand) const
{
    return operand.isText ? operand.text : textOf(operand.number);
}

void Calculator::reportOverflow() const
{
    qv::ui().msgBox(QStringLiteral("Overflow"), qv::MsgStyle::Exclamation, kTitle);
}

void Calculator::clearAll()
{
    setReadout(QStringLiteral("0") + decimalSeparator());
    m_first = Operand{};
    m_second = QStringLiteral("0");
    startOver();
}

void Calculator::clearEntry()
{
    setReadout(QStringLiteral("0") + decimalSeparator());
    m_point = false;
    m_lastInput = kCancelEntry;
}

void Calculator::typeDigit(int index)
{
    const QString sep = decimalSeparator();
    const QString digit = digitButtons.at(index)->text();
    if (m_lastInput != kNums) {
        setReadout(sep);
        m_point = false;
    }
    QString text = readout->text();
    if (m_point) {
        text += digit;
    } else {
        // Digits go in front of the separator that ends an entry without a fraction.
        const qsizetype at = text.indexOf(sep);
        text = (at < 0 ? text : text.left(at)) + digit + sep;
    }
    if (m_lastInput == kNeg)
        text.prepend(u'-');
    setReadout(text);
    m_lastInput = kNums;
}

void Calculator::typeDecimalPoint()
{
    const QString sep = decimalSeparator();
    if (m_lastInput == kNeg)
        setReadout(QStringLiteral("-0") + sep);
    else if (m_lastInput != kNums)
        setReadout(QStringLiteral("0") + sep);
    m_point = true;
    m_lastInput = kNums;
}

void Calculator::pressOperator(int index)
{
    const QString key = operatorButtons.at(index)->text();
    m_readoutCopy = readout->text();
    if (m_lastInput == kNums)
        ++m_operands;

    switch (m_operands) {
    case 0:
        // No number yet: a minus starts a negative one.
        if (key == QStringLiteral("-") && m_lastInput != kNeg) {
            setReadout(QStringLiteral("-") + readout->text());
            m_lastInput = kNeg;
        }
        break;
    case 1:
        m_first = Operand{true, readout->text(), 0};
        // A minus right after an operator (not after "=") starts a negative second number.
        if (key == QStringLiteral("-") && m_lastInput != kNums && m_pending != QStringLiteral("=")) {
            setReadout(QStringLiteral("-"));
            m_lastInput = kNeg;
        }
        break;
    case 2: {
        m_second = m_readoutCopy;
        const double a = m_first.isText ? numberOf(m_first.text) : m_first.number;
        const double b = numberOf(m_second);
        std::optional<double> result;
        if (m_pending == QStringLiteral("+")) {
            result = a + b;
        } else if (m_pending == QStringLiteral("-")) {
            result = a - b;
        } else if (m_pending == QStringLiteral("X") || m_pending == QStringLiteral("%")) {
            result = a * b;
        } else if (m_pending == QStringLiteral("/")) {
            if (b == 0)
                qv::ui().msgBox(QStringLiteral("Can't divide by zero"), qv::MsgStyle::Exclamation, kTitle);
            else
                result = a / b;
        } else if (m_pending == QStringLiteral("=")) {
            result = b;
        }
        // An operand or outcome beyond a double leaves the left operand as it was.
        const bool leftUsed = m_pending != QStringLiteral("=");
        if (result) {
            if (std::isfinite(b) && (!leftUsed || std::isfinite(a)) && std::isfinite(*result))
                m_first = Operand{false, QString(), *result};
            else
                reportOverflow();
        }
        setReadout(shown(m_first));
        m_operands = 1;
        break;
    }
    default:
        break;
    }

    if (m_lastInput != kNeg) {
        m_lastInput = kOps;
        m_pending = key;
    }
}

void Calculator::takePercent()
{
    const double value = numberOf(readout->text()) / 100;
    if (!std::isfinite(value)) {
        reportOverflow();
        return;
    }
    setReadout(textOf(value));
    m_lastInput = kPercentInput;
    m_pending = QStringLiteral("%");
    m_point = true;
    ++m_operands;
}
