#include "platform/print/rtf.h"
#include <QColor>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <cmath>
#include <memory>

namespace qv {

bool isRtf(const QString& value)
{
    return value.startsWith(QLatin1String("{\\rtf"));
}

void setDocumentValue(QTextDocument* document, const QString& value)
{
    if (isRtf(value))
        readRtf(value, document);
    else
        document->setPlainText(value);
}

namespace {

// Twips in a pixel of the text layout (which counts 96 to the inch).
constexpr double kTwipsPerLayoutPixel = 15.0;
// RTF's size when none is given: 12 points.
constexpr int kDefaultHalfPoints = 24;

// ------------------------------------------------------------------ reading

struct CharState {
    int font = -1;          // -1: the default font
    int halfPoints = kDefaultHalfPoints;
    bool bold = false, italic = false, underline = false, strike = false;
    int foreground = 0;     // colour table index; 0 is automatic
    int background = 0;
    int vertical = 0;       // 1 raised, 2 lowered
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0;   // twips
};

enum class Destination { Text, FontTable, ColorTable };

struct GroupState {
    CharState ch;
    ParaState para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

struct FontEntry {
    QString name;
    int charset = 0;
};

// Destinations that hold nothing to show.
const QSet<QString>& skippedDestinations()
{
    static const QSet<QString> names = {
        QStringLiteral("stylesheet"), QStringLiteral("info"), QStringLiteral("pict"),
        QStringLiteral("object"), QStringLiteral("header"), QStringLiteral("headerl"),
        QStringLiteral("headerr"), QStringLiteral("headerf"), QStringLiteral("footer"),
        QStringLiteral("footerl"), QStringLiteral("footerr"), QStringLiteral("footerf"),
        QStringLiteral("footnote"), QStringLiteral("fldinst"), QStringLiteral("listtable"),
        QStringLiteral("listoverridetable"), QStringLiteral("revtbl"), QStringLiteral("rsidtbl"),
        QStringLiteral("xe"), QStringLiteral("tc"), QStringLiteral("txe"), QStringLiteral("template"),
        QStringLiteral("shp"), QStringLiteral("shpgrp"), QStringLiteral("shpinst"),
        QStringLiteral("nonshppict"), QStringLiteral("do"), QStringLiteral("pn"),
        QStringLiteral("annotation"), QStringLiteral("atnid"), QStringLiteral("atnauthor"),
        QStringLiteral("private"), QStringLiteral("themedata"), QStringLiteral("colorschememapping"),
        QStringLiteral("latentstyles"), QStringLiteral("datastore"), QStringLiteral("xmlnstbl"),
        QStringLiteral("mmathPr"), QStringLiteral("pgdsctbl"), QStringLiteral("generator"),
        QStringLiteral("bkmkstart"), QStringLiteral("bkmkend"), QStringLiteral("falt"),
        QStringLiteral("panose"), QStringLiteral("filetbl"), QStringLiteral("author"),
        QStringLiteral("operator"), QStringLiteral("title"), QStringLiteral("subject"),
        QStringLiteral("keywords"), QStringLiteral("comment"), QStringLiteral("doccomm"),
    };
    return names;
}

// Code page of a font's character set (0: the document's).
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 2: return 28591;   // symbol fonts: the byte is the glyph
    default: return 0;
    }
}

class Reader {
public:
    Reader(const QString& rtf, QTextDocument* doc)
        : m_s(rtf), m_doc(doc), m_cursor(doc)
    {
    }

    void run()
    {
        m_doc->clear();
        m_cursor = QTextCursor(m_doc);
        m_cursor.beginEditBlock();
        const int n = m_s.size();
        while (m_pos < n) {
            const QChar c = m_s[m_pos];
            if (c == QLatin1Char('{')) {
                ++m_pos;
                m_skip = 0;
                m_stack.append(m_state);
            } else if (c == QLatin1Char('}')) {
                ++m_pos;
                m_skip = 0;
                endGroup();
            } else if (c == QLatin1Char('\\')) {
                ++m_pos;
                control();
            } else {
                ++m_pos;
                if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                    continue;
                if (c == QLatin1Char('\t'))
                    character(QLatin1Char('\t'));
                else if (c.unicode() >= 0x80 && c.unicode() <= 0xFF)
                    byte(uchar(c.unicode()));
                else
                    character(c);
            }
        }
        finish();
        m_cursor.endEditBlock();
    }

private:
    void endGroup()
    {
        if (m_state.destination == Destination::FontTable)
            finishFont();
        if (m_stack.isEmpty())
            return;
        m_state = m_stack.takeLast();
    }

    // Consumes the rest of the current group, its closing brace included.
    void skipGroup()
    {
        int depth = 1;
        const int n = m_s.size();
        while (m_pos < n && depth > 0) {
            const QChar c = m_s[m_pos++];
            if (c == QLatin1Char('\\')) {
                if (m_pos >= n)
                    break;
                if (m_s[m_pos].isLetter()) {
                    // Binary data may hold braces: it is passed over whole.
                    const ControlWord w = readWord();
                    if (w.word == QLatin1String("bin") && w.param > 0)
                        m_pos = std::min(n, m_pos + w.param);
                } else {
                    ++m_pos;   // an escaped brace or backslash counts for nothing
                }
            } else if (c == QLatin1Char('{')) {
                ++depth;
            } else if (c == QLatin1Char('}')) {
                --depth;
            }
        }
        if (!m_stack.isEmpty())
            m_state = m_stack.takeLast();
    }

    void control()
    {
        const int n = m_s.size();
        if (m_pos >= n)
            return;
        const QChar c = m_s[m_pos];
        if (!c.isLetter()) {
            ++m_pos;
            symbol(c);
            return;
        }
        const ControlWord w = readWord();
        keyword(w.word, w.hasParam, w.param);
    }

    struct ControlWord {
        QString word;
        bool hasParam = false;
        int param = 0;
    };

    // Reads the control word that starts at m_pos, its number and the one
    // blank that may end it.
    ControlWord readWord()
    {
        const int n = m_s.size();
        ControlWord w;
        const int start = m_pos;
        while (m_pos < n && m_s[m_pos].isLetter())
            ++m_pos;
        w.word = m_s.mid(start, m_pos - start);
        const int numStart = m_pos;
        if (m_pos < n && m_s[m_pos] == QLatin1Char('-'))
            ++m_pos;
        while (m_pos < n && m_s[m_pos].isDigit())
            ++m_pos;
        if (m_pos > numStart) {
            bool ok = false;
            w.param = m_s.mid(numStart, m_pos - numStart).toInt(&ok);
            w.hasParam = ok;
            if (!ok)
                m_pos = numStart;
        }
        if (m_pos < n && m_s[m_pos] == QLatin1Char(' '))
            ++m_pos;
        return w;
    }

    void symbol(QChar c)
    {
        switch (c.unicode()) {
        case '\\':
        case '{':
        case '}':
            character(c);
            break;
        case '~':
            character(QChar(0x00A0));
            break;
        case '_':
            character(QChar(0x2011));
            break;
        case '*':
            skipGroup();   // a destination this reader need not know
            break;
        case '\'': {
            const int n = m_s.size();
            bool ok = false;
            const int value = m_pos + 2 <= n ? m_s.mid(m_pos, 2).toInt(&ok, 16) : 0;
            if (ok) {
                m_pos += 2;
                byte(uchar(value));
            }
            break;
        }
        case '\r':
        case '\n':
            paragraph();
            break;
        default:   // \- optional hyphen, \: \| and the like show nothing
            if (m_skip > 0)
                --m_skip;
            break;
        }
    }

    void keyword(const QString& w, bool hasParam, int param)
    {
        const bool on = !hasParam || param != 0;
        if (skippedDestinations().contains(w)) {
            skipGroup();
            return;
        }
        if (w == QLatin1String("bin")) {
            m_pos = std::min<int>(m_s.size(), m_pos + std::max(0, param));
            return;
        }
        if (m_state.destination == Destination::FontTable) {
            if (w == QLatin1String("f")) {
                finishFont();
                m_fontIndex = param;
                m_fontOpen = true;
            } else if (w == QLatin1String("fcharset")) {
                m_fontCharset = param;
            }
            return;
        }
        if (m_state.destination == Destination::ColorTable) {
            if (w == QLatin1String("red"))
                m_red = param, m_colorGiven = true;
            else if (w == QLatin1String("green"))
                m_green = param, m_colorGiven = true;
            else if (w == QLatin1String("blue"))
                m_blue = param, m_colorGiven = true;
            return;
        }

        // A control word counts as one of the characters that stand in for \u.
        if (m_skip > 0 && w != QLatin1String("u")) {
            --m_skip;
            return;
        }

        CharState& ch = m_state.ch;
        ParaState& para = m_state.para;
        if (w == QLatin1String("fonttbl")) {
            m_state.destination = Destination::FontTable;
            m_fontOpen = false;
            m_fontName.clear();
            m_fontCharset = 0;
        } else if (w == QLatin1String("colortbl")) {
            m_state.destination = Destination::ColorTable;
            m_colors.clear();
            m_red = m_green = m_blue = 0;
            m_colorGiven = false;
        } else if (w == QLatin1String("par") || w == QLatin1String("sect") || w == QLatin1String("page")
                   || w == QLatin1String("row")) {
            paragraph();
        } else if (w == QLatin1String("line")) {
            character(QChar::LineSeparator);
        } else if (w == QLatin1String("tab") || w == QLatin1String("cell") || w == QLatin1String("nestcell")) {
            character(QLatin1Char('\t'));
        } else if (w == QLatin1String("u")) {
            m_skip = 0;
            character(QChar(ushort(param < 0 ? param + 65536 : param)));
            m_skip = std::max(0, m_state.unicodeSkip);
        } else if (w == QLatin1String("uc")) {
            m_state.unicodeSkip = param;
        } else if (w == QLatin1String("emdash")) {
            character(QChar(0x2014));
        } else if (w == QLatin1String("endash")) {
            character(QChar(0x2013));
        } else if (w == QLatin1String("emspace")) {
            character(QChar(0x2003));
        } else if (w == QLatin1String("enspace")) {
            character(QChar(0x2002));
        } else if (w == QLatin1String("bullet")) {
            character(QChar(0x2022));
        } else if (w == QLatin1String("lquote")) {
            character(QChar(0x2018));
        } else if (w == QLatin1String("rquote")) {
            character(QChar(0x2019));
        } else if (w == QLatin1String("ldblquote")) {
            character(QChar(0x201C));
        } else if (w == QLatin1String("rdblquote")) {
            character(QChar(0x201D));
        } else if (w == QLatin1String("ansicpg")) {
            m_codePage = param;
        } else if (w == QLatin1String("deff")) {
            m_defaultFont = param;
        } else if (w == QLatin1String("plain")) {
            ch = CharState();
        } else if (w == QLatin1String("pard")) {
            para = ParaState();
        } else if (w == QLatin1String("b")) {
            ch.bold = on;
        } else if (w == QLatin1String("i")) {
            ch.italic = on;
        } else if (w == QLatin1String("ulnone")) {
            ch.underline = false;
        } else if (w.startsWith(QLatin1String("ul")) && w != QLatin1String("ulc")) {
            ch.underline = on;
        } else if (w == QLatin1String("strike") || w == QLatin1String("striked")) {
            ch.strike = on;
        } else if (w == QLatin1String("f")) {
            ch.font = param;
        } else if (w == QLatin1String("fs")) {
            if (param > 0)
                ch.halfPoints = param;
        } else if (w == QLatin1String("cf")) {
            ch.foreground = param;
        } else if (w == QLatin1String("highlight") || w == QLatin1String("cb")) {
            ch.background = param;
        } else if (w == QLatin1String("super")) {
            ch.vertical = on ? 1 : 0;
        } else if (w == QLatin1String("sub")) {
            ch.vertical = on ? 2 : 0;
        } else if (w == QLatin1String("nosupersub")) {
            ch.vertical = 0;
        } else if (w == QLatin1String("ql")) {
            para.alignment = Qt::AlignLeft;
        } else if (w == QLatin1String("qc")) {
            para.alignment = Qt::AlignHCenter;
        } else if (w == QLatin1String("qr")) {
            para.alignment = Qt::AlignRight;
        } else if (w == QLatin1String("qj")) {
            para.alignment = Qt::AlignJustify;
        } else if (w == QLatin1String("li") || w == QLatin1String("lin")) {
            para.left = param;
        } else if (w == QLatin1String("ri") || w == QLatin1String("rin")) {
            para.right = param;
        } else if (w == QLatin1String("fi")) {
            para.first = param;
        } else if (w == QLatin1String("sb")) {
            para.before = param;
        } else if (w == QLatin1String("sa")) {
            para.after = param;
        }
        // Every other word changes nothing that is shown.
    }

    // A byte of the text in the current font's code page.
    void byte(uchar b)
    {
        if (b < 0x80) {
            character(QChar(b));
            return;
        }
        if (m_state.destination == Destination::Text && m_skip > 0) {
            --m_skip;
            return;
        }
        int page = 0;
        if (m_state.destination == Destination::FontTable) {
            page = codePageOfCharset(m_fontCharset);
        } else {
            const int font = m_state.ch.font >= 0 ? m_state.ch.font : m_defaultFont;
            page = codePageOfCharset(m_fonts.value(font).charset);
        }
        if (page == 0)
            page = m_codePage;
        character(decode(page, b));
    }

    QChar decode(int page, uchar b)
    {
        if (page == 28591)
            return QChar(b);
        auto it = m_decoders.find(page);
        if (it == m_decoders.end()) {
            const QByteArray name = page == 10000 ? QByteArray("macintosh") : "windows-" + QByteArray::number(page);
            auto decoder = std::make_shared<QStringDecoder>(name.constData());
            if (!decoder->isValid())
                decoder = std::make_shared<QStringDecoder>("windows-1252");
            it = m_decoders.insert(page, decoder);
        }
        QStringDecoder& d = *it.value();
        const QString s = d.isValid() ? d.decode(QByteArray(1, char(b))) : QString(QChar(b));
        return s.isEmpty() ? QChar(b) : s.front();
    }

    void character(QChar c)
    {
        switch (m_state.destination) {
        case Destination::FontTable:
            if (c == QLatin1Char(';'))
                finishFont();
            else if (m_fontOpen)
                m_fontName += c;
            return;
        case Destination::ColorTable:
            if (c == QLatin1Char(';')) {
                m_colors.append(m_colorGiven ? QColor(m_red, m_green, m_blue) : QColor());
                m_red = m_green = m_blue = 0;
                m_colorGiven = false;
            }
            return;
        case Destination::Text:
            break;
        }
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (m_pendingParagraph) {
            flush();
            m_cursor.insertBlock(QTextBlockFormat(), charFormat(m_state.ch));
            m_pendingParagraph = false;
        }
        if (!m_buffer.isEmpty() && !(m_bufferState == m_state.ch))
            flush();
        if (m_buffer.isEmpty())
            m_bufferState = m_state.ch;
        m_buffer += c;
        m_lastTextPara = m_state.para;
    }

    void flush()
    {
        if (m_buffer.isEmpty())
            return;
        m_cursor.insertText(m_buffer, charFormat(m_bufferState));
        m_buffer.clear();
    }

    void paragraph()
    {
        if (m_state.destination != Destination::Text)
            return;
        flush();
        if (m_pendingParagraph)
            m_cursor.insertBlock(QTextBlockFormat(), charFormat(m_state.ch));
        if (m_cursor.block().length() <= 1)
            m_cursor.setBlockCharFormat(charFormat(m_state.ch));
        m_cursor.setBlockFormat(blockFormat(m_state.para));
        m_pendingParagraph = true;
    }

    void finish()
    {
        flush();
        if (!m_pendingParagraph)
            m_cursor.setBlockFormat(blockFormat(m_lastTextPara));
    }

    void finishFont()
    {
        if (!m_fontOpen)
            return;
        FontEntry f;
        f.name = m_fontName.trimmed();
        f.charset = m_fontCharset;
        m_fonts.insert(m_fontIndex, f);
        m_fontOpen = false;
        m_fontName.clear();
        m_fontCharset = 0;
    }

    QColor color(int index) const
    {
        return index > 0 && index < m_colors.size() ? m_colors[index] : QColor();
    }

    QTextCharFormat charFormat(const CharState& ch) const
    {
        QTextCharFormat f;
        const int font = ch.font >= 0 ? ch.font : m_defaultFont;
        const QString name = m_fonts.value(font).name;
        if (!name.isEmpty())
            f.setFontFamilies(QStringList{name});
        f.setFontPointSize(ch.halfPoints / 2.0);
        f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(ch.italic);
        f.setFontUnderline(ch.underline);
        f.setFontStrikeOut(ch.strike);
        if (const QColor c = color(ch.foreground); c.isValid())
            f.setForeground(c);
        if (const QColor c = color(ch.background); c.isValid())
            f.setBackground(c);
        if (ch.vertical == 1)
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (ch.vertical == 2)
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        return f;
    }

    static QTextBlockFormat blockFormat(const ParaState& p)
    {
        QTextBlockFormat f;
        f.setAlignment(p.alignment);
        f.setLeftMargin(p.left / kTwipsPerLayoutPixel);
        f.setRightMargin(p.right / kTwipsPerLayoutPixel);
        f.setTextIndent(p.first / kTwipsPerLayoutPixel);
        f.setTopMargin(p.before / kTwipsPerLayoutPixel);
        f.setBottomMargin(p.after / kTwipsPerLayoutPixel);
        return f;
    }

    const QString& m_s;
    int m_pos = 0;
    QTextDocument* m_doc;
    QTextCursor m_cursor;
    GroupState m_state;
    QList<GroupState> m_stack;
    int m_skip = 0;

    QMap<int, FontEntry> m_fonts;
    int m_defaultFont = 0;
    bool m_fontOpen = false;
    int m_fontIndex = 0;
    QString m_fontName;
    int m_fontCharset = 0;

    QList<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorGiven = false;

    int m_codePage = 1252;
    QHash<int, std::shared_ptr<QStringDecoder>> m_decoders;

    QString m_buffer;
    CharState m_bufferState;
    ParaState m_lastTextPara;
    bool m_pendingParagraph = false;
};

// ------------------------------------------------------------------ writing

void escapeInto(QString& out, const QString& text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u == '\t') {
            out += QLatin1String("\\tab ");
        } else if (c == QChar::LineSeparator || u == '\n') {
            out += QLatin1String("\\line ");
        } else if (u == 0x00A0) {
            out += QLatin1String("\\~");
        } else if (u == 0x2011) {
            out += QLatin1String("\\_");
        } else if (u < 0x20 || u == 0xFFFC || c == QChar::ParagraphSeparator) {
            // control characters and embedded objects are not text
        } else if (u < 0x80) {
            out += c;
        } else {
            out += QLatin1String("\\u") + QString::number(int(short(u))) + QLatin1Char('?');
        }
    }
}

QString colorEntry(const QColor& c)
{
    return QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

void readRtf(const QString& rtf, QTextDocument* document)
{
    Reader(rtf, document).run();
}

QString writeRtf(const QTextDocument& document)
{
    const QFont base = document.defaultFont();
    QStringList fonts{base.family()};
    QList<QColor> colors;
    auto fontIndex = [&](const QString& family) {
        int i = fonts.indexOf(family);
        if (i < 0) {
            fonts.append(family);
            i = fonts.size() - 1;
        }
        return i;
    };
    auto colorIndex = [&](const QColor& c) {
        const QColor opaque = QColor(c.red(), c.green(), c.blue());
        int i = colors.indexOf(opaque);
        if (i < 0) {
            colors.append(opaque);
            i = colors.size() - 1;
        }
        return i + 1;   // entry 0 is the automatic colour
    };

    QString body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat bf = block.blockFormat();
        body += QLatin1String("\\pard");
        const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            body += QLatin1String("\\qc");
        else if (a & Qt::AlignRight)
            body += QLatin1String("\\qr");
        else if (a & Qt::AlignJustify)
            body += QLatin1String("\\qj");
        auto twips = [](double layoutPixels) { return int(std::lround(layoutPixels * kTwipsPerLayoutPixel)); };
        if (int v = twips(bf.leftMargin()))
            body += QStringLiteral("\\li%1").arg(v);
        if (int v = twips(bf.rightMargin()))
            body += QStringLiteral("\\ri%1").arg(v);
        if (int v = twips(bf.textIndent()))
            body += QStringLiteral("\\fi%1").arg(v);
        if (int v = twips(bf.topMargin()))
            body += QStringLiteral("\\sb%1").arg(v);
        if (int v = twips(bf.bottomMargin()))
            body += QStringLiteral("\\sa%1").arg(v);
        body += QLatin1Char(' ');
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat cf = fragment.charFormat();
            const QFont font = cf.font().resolve(base);
            double points = font.pointSizeF();
            if (points <= 0)
                points = base.pointSizeF() > 0 ? base.pointSizeF() : 12;
            body += QStringLiteral("{\\f%1\\fs%2").arg(fontIndex(font.family())).arg(std::lround(points * 2));
            if (font.bold())
                body += QLatin1String("\\b");
            if (font.italic())
                body += QLatin1String("\\i");
            if (font.underline())
                body += QLatin1String("\\ul");
            if (font.strikeOut())
                body += QLatin1String("\\strike");
            if (cf.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                body += QLatin1String("\\super");
            else if (cf.verticalAlignment() == QTextCharFormat::AlignSubScript)
                body += QLatin1String("\\sub");
            if (cf.foreground().style() != Qt::NoBrush)
                body += QStringLiteral("\\cf%1").arg(colorIndex(cf.foreground().color()));
            if (cf.background().style() != Qt::NoBrush)
                body += QStringLiteral("\\highlight%1").arg(colorIndex(cf.background().color()));
            body += QLatin1Char(' ');
            escapeInto(body, fragment.text());
            body += QLatin1Char('}');
        }
        body += QLatin1String("\\par\n");
    }

    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl");
    for (int i = 0; i < fonts.size(); ++i) {
        out += QStringLiteral("{\\f%1\\fnil\\fcharset0 ").arg(i);
        escapeInto(out, fonts[i]);
        out += QLatin1String(";}");
    }
    out += QLatin1String("}\n");
    if (!colors.isEmpty()) {
        out += QLatin1String("{\\colortbl;");
        for (const QColor& c : colors)
            out += colorEntry(c);
        out += QLatin1String("}\n");
    }
    out += body;
    out += QLatin1Char('}');
    return out;
}

} // namespace qv
