// RTF as word processors write it, and back: samples written by LibreOffice
// and hand-made pieces for the escapes and destinations.
#include "platform/print/rtf.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

// Readable texts in failure messages.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString sample(const QString& name)
{
    const QString path = QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath("data/" + name);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(f.readAll());
}

QString plain(const QString& rtf)
{
    QTextDocument doc;
    qv::readRtf(rtf, &doc);
    return doc.toPlainText();
}

// The format of the first character of `word`.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& word)
{
    const QTextCursor found = doc.find(word);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

// Runs of equal formatting and the paragraphs' alignment, in words.
QStringList describe(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        out << QString("para align=%1").arg(int(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QFont font = f.font().resolve(doc.defaultFont());
            out << QString("%1|%2%3%4%5|%6|%7|%8")
                       .arg(it.fragment().text())
                       .arg(font.bold() ? "b" : "-")
                       .arg(font.italic() ? "i" : "-")
                       .arg(font.underline() ? "u" : "-")
                       .arg(font.strikeOut() ? "s" : "-")
                       .arg(font.pointSizeF())
                       .arg(font.family())
                       .arg(f.foreground().style() == Qt::NoBrush ? QString("auto") : f.foreground().color().name());
        }
    }
    return out;
}

TEST(Rtf, LibreOfficeSampleReadsWithItsFormatting)
{
    const QString rtf = sample("libreoffice_formats.rtf");
    ASSERT_FALSE(rtf.isEmpty());
    ASSERT_TRUE(qv::isRtf(rtf));
    QTextDocument doc;
    qv::readRtf(rtf, &doc);

    EXPECT_EQ(doc.toPlainText(),
              QString::fromUtf8("Color Formulas\n"
                                "Plain, bold, italic, underlined, struck and red words.\n"
                                "Roots:\t6N + 20 vol\nEnds:\t7G + 10 vol\n"
                                "Café crème brûlée — 5 € «Привет» {braces} back\\slash\n"
                                "\n"
                                "Small print."));
    EXPECT_EQ(doc.blockCount(), 6);   // the line break stays inside its paragraph

    const QTextCharFormat title = formatOf(doc, "Color Formulas");
    EXPECT_TRUE(title.font().bold());
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 16);
    EXPECT_EQ(title.font().family(), "Liberation Sans");
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    const QTextCharFormat body = formatOf(doc, "Plain");
    EXPECT_FALSE(body.font().bold());
    EXPECT_DOUBLE_EQ(body.fontPointSize(), 11);
    EXPECT_EQ(body.font().family(), "Liberation Serif");
    EXPECT_EQ(body.foreground().style(), Qt::NoBrush);   // \cf0 is the automatic colour

    EXPECT_TRUE(formatOf(doc, "bold").font().bold());
    EXPECT_TRUE(formatOf(doc, "italic").font().italic());
    EXPECT_FALSE(formatOf(doc, "italic").font().bold());
    EXPECT_TRUE(formatOf(doc, "underlined").font().underline());
    EXPECT_TRUE(formatOf(doc, "struck").font().strikeOut());
    EXPECT_EQ(formatOf(doc, "red").foreground().color(), QColor("#c9211e"));
    EXPECT_FALSE(formatOf(doc, " words").font().underline());
    EXPECT_DOUBLE_EQ(formatOf(doc, "Small").fontPointSize(), 8);
}

TEST(Rtf, WrittenRtfReadsBackTheSame)
{
    for (const QString name : {"libreoffice_formats.rtf", "libreoffice_formulas.rtf"}) {
        SCOPED_TRACE(name.toStdString());
        QTextDocument first;
        qv::readRtf(sample(name), &first);
        ASSERT_GT(first.characterCount(), 10);
        const QString written = qv::writeRtf(first);
        EXPECT_TRUE(qv::isRtf(written));
        for (const QChar c : written)
            ASSERT_LT(c.unicode(), 128) << "RTF is 7-bit";
        QTextDocument second;
        qv::readRtf(written, &second);
        EXPECT_EQ(second.toPlainText(), first.toPlainText());
        EXPECT_EQ(describe(second), describe(first));
        // Writing is stable.
        EXPECT_EQ(qv::writeRtf(second), written);
    }
}

// What we store must open in an ordinary word processor: LibreOffice reads
// our RTF of its own sample (and of awkward characters) to the same text.
TEST(Rtf, WrittenRtfOpensInLibreOffice)
{
    const QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    QTextDocument doc;
    qv::readRtf(sample("libreoffice_formats.rtf"), &doc);
    QTextCursor end(&doc);
    end.movePosition(QTextCursor::End);
    end.insertBlock();
    end.insertText(QString::fromUtf8(R"({x} a\b \u1 € 😀 \'e9 \par)"));
    const QString rtfPath = dir.filePath("ours.rtf");
    QFile file(rtfPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(qv::writeRtf(doc).toLatin1());
    file.close();

    QProcess convert;
    // A profile of its own, so that another LibreOffice running here does not take the job.
    convert.start(office, {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless", "--convert-to",
                           "txt:Text (encoded):UTF8", "--outdir", dir.path(), rtfPath});
    ASSERT_TRUE(convert.waitForFinished(120000));
    QFile text(dir.filePath("ours.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << convert.readAllStandardError().toStdString();
    QString read = QString::fromUtf8(text.readAll());
    if (read.startsWith(QChar(0xFEFF)))
        read.remove(0, 1);
    read.replace("\r\n", "\n");
    while (read.endsWith('\n'))
        read.chop(1);
    // LibreOffice ends a line break's line as it ends a paragraph.
    EXPECT_EQ(read, doc.toPlainText().replace(QChar::LineSeparator, '\n'));
}

TEST(Rtf, AwkwardTextSurvivesARoundTrip)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat big;
    big.setFontPointSize(18);
    big.setFontFamilies({"Liberation Mono"});
    c.insertText(QString::fromUtf8("a{b}c\\d\te € ü 😀 Ω"));
    c.insertText(QString(QChar::LineSeparator) + "after break" + QChar(0x00A0) + "nbsp", big);
    c.insertBlock();
    c.insertBlock();
    c.insertText("third");

    QTextDocument back;
    qv::readRtf(qv::writeRtf(doc), &back);
    EXPECT_EQ(back.toRawText(), doc.toRawText());
    EXPECT_EQ(back.blockCount(), 3);
    EXPECT_DOUBLE_EQ(formatOf(back, "after").fontPointSize(), 18);
    EXPECT_EQ(formatOf(back, "after").font().family(), "Liberation Mono");

    QTextDocument empty, emptyBack;
    qv::readRtf(qv::writeRtf(empty), &emptyBack);
    EXPECT_TRUE(emptyBack.isEmpty());
    EXPECT_EQ(emptyBack.blockCount(), 1);
}

TEST(Rtf, CodePagesAndUnicodeEscapes)
{
    // As WordPad writes: \'hh in the document's code page.
    QTextDocument doc;
    qv::readRtf(R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fnil\fcharset0 Arial;}}\viewkind4\uc1\pard\f0\fs20 Caf\'e9 \'80 5\par})", &doc);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("Café € 5"));
    EXPECT_EQ(formatOf(doc, "Caf").font().family(), "Arial");
    EXPECT_DOUBLE_EQ(formatOf(doc, "Caf").fontPointSize(), 10);

    EXPECT_EQ(plain(R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0 Arial;}}\f0 \'cf\'f0\'e8})"), QString::fromUtf8("При"));
    // A font's character set outranks the document's code page.
    EXPECT_EQ(plain(R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset204 Arial;}{\f1 Arial;}}\f0 \'cf{\f1 \'cf}})"),
              QString::fromUtf8("ПÏ"));

    // \uN stands for one character; the next \uc characters are its stand-ins.
    EXPECT_EQ(plain(R"({\rtf1 \u8364?x})"), QString::fromUtf8("€x"));
    EXPECT_EQ(plain(R"({\rtf1 \u233\'e9t\'e9})"), QString::fromUtf8("été"));
    EXPECT_EQ(plain(R"({\rtf1\uc2 \u8364??x})"), QString::fromUtf8("€x"));
    EXPECT_EQ(plain(R"({\rtf1\uc0 \u8364 x})"), QString::fromUtf8("€x"));
    EXPECT_EQ(plain(R"({\rtf1 \u-10179?\u-8704?!})"), QString::fromUtf8("😀!"));
    // A stand-in count belongs to its group.
    EXPECT_EQ(plain(R"({\rtf1 {\uc3 a}\u8364?b})"), QString::fromUtf8("a€b"));
}

TEST(Rtf, DestinationsNotShownAreSkipped)
{
    EXPECT_EQ(plain(R"({\rtf1{\*\unknown stuff {nested \} brace}}{\stylesheet{\s0 Normal;}}{\info{\title Secret}}Shown})"),
              "Shown");
    // Binary picture data may hold braces.
    EXPECT_EQ(plain(R"({\rtf1 A{\pict\pngblip\bin3 }{}}B})"), "AB");
    EXPECT_EQ(plain(R"({\rtf1 {\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt Link}} end})"), "Link end");
    EXPECT_EQ(plain(R"({\rtf1 \{ \} \\ a\~b\-c\_d})"), QString::fromUtf8("{ } \\ a b" "c‑d"));
    EXPECT_EQ(plain(R"({\rtf1 \ldblquote x\rdblquote \emdash\bullet})"), QString::fromUtf8("“x”—•"));
}

TEST(Rtf, GroupsAndParagraphs)
{
    QTextDocument doc;
    qv::readRtf(R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\fs20 {\b bold {\i both} bold} plain \b on \b0 off\par\pard\qr right\par})", &doc);
    EXPECT_EQ(doc.toPlainText(), "bold both bold plain on off\nright");
    EXPECT_TRUE(formatOf(doc, "bold").font().bold());
    EXPECT_TRUE(formatOf(doc, "both").font().bold());
    EXPECT_TRUE(formatOf(doc, "both").font().italic());
    EXPECT_FALSE(formatOf(doc, " bold").font().italic());
    EXPECT_FALSE(formatOf(doc, "plain").font().bold());
    EXPECT_TRUE(formatOf(doc, "on").font().bold());
    EXPECT_FALSE(formatOf(doc, "off").font().bold());
    EXPECT_DOUBLE_EQ(formatOf(doc, "plain").fontPointSize(), 10);
    EXPECT_EQ(doc.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(doc.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    // Each \par ends a paragraph; text after the last one is a paragraph too.
    EXPECT_EQ(plain(R"({\rtf1 a\par})"), "a");
    EXPECT_EQ(plain(R"({\rtf1 a\par b})"), "a\nb");
    EXPECT_EQ(plain(R"({\rtf1 a\par\par b\par})"), "a\n\nb");
    EXPECT_EQ(plain(R"({\rtf1 a\line b})"), "a\nb");
    EXPECT_EQ(plain("{\\rtf1 a\\tab b\r\nc}"), "a\tbc");   // line ends in the source are not text
}

TEST(Rtf, StoredValueThatIsNotRtfShowsAsPlainText)
{
    QTextDocument doc;
    qv::setDocumentValue(&doc, "6N + 20 vol {roots}\n\\rtf not at the start");
    EXPECT_EQ(doc.toPlainText(), "6N + 20 vol {roots}\n\\rtf not at the start");
    qv::setDocumentValue(&doc, " {\\rtf1 leading blank}");
    EXPECT_EQ(doc.toPlainText(), " {\\rtf1 leading blank}");
    qv::setDocumentValue(&doc, "{\\rtf1 {\\b x}}");
    EXPECT_EQ(doc.toPlainText(), "x");
    qv::setDocumentValue(&doc, QString());
    EXPECT_TRUE(doc.isEmpty());
}

} // namespace
