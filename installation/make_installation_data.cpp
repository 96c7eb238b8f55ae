// Writes the files a Quorvel installation brings beside the program, from
// their sources in this folder:
//   Index.rtf       the help text, from help.md
//   TIPOFDAY.TXT    the tips, one a line, with the line ends the tip
//   TIPOFDAY1.TXT   windows read (CR LF)
//   quorvel.png     the desktop icon: the splash window's scissors picture
//
//   make_installation_data <source folder> <output folder>
//
// The help is kept as Markdown so that it stays easy to edit and to review;
// the help window shows RTF, which our own RTF writer makes here. The writer
// carries fonts, sizes, bold and paragraph spacing, not Markdown's heading
// levels and lists, so those are turned into sizes, bullets and indents first.
#include "platform/print/rtf.h"
#include "shell/pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cstdio>

namespace {

const char* const kHelpFont = "Arial";
constexpr double kBodyPoints = 10;
constexpr double kHeadingPoints[] = {16, 13, 11};

bool fail(const QString& what)
{
    std::fprintf(stderr, "make_installation_data: %s\n", qPrintable(what));
    return false;
}

bool readSource(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(path));
    *bytes = file.readAll();
    return true;
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return fail(QStringLiteral("cannot write %1").arg(path));
    return true;
}

// Headings become bold text of their own size; list items become paragraphs
// that start with their bullet or number and are indented.
void flattenForRtf(QTextDocument& document)
{
    QTextCursor cursor(&document);
    struct ListItem {
        int block;
        QString mark;
        int depth;
    };
    QList<ListItem> items;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat bf = block.blockFormat();
        const int level = bf.headingLevel();
        if (level > 0) {
            // The heading's size is a size step of the document's font, which
            // the writer does not know: it gets a size of its own instead.
            QList<QTextFragment> fragments;
            for (auto it = block.begin(); !it.atEnd(); ++it)
                fragments << it.fragment();
            for (const QTextFragment& fragment : std::as_const(fragments)) {
                QTextCharFormat heading = fragment.charFormat();
                heading.clearProperty(QTextFormat::FontSizeAdjustment);
                heading.setFontPointSize(kHeadingPoints[qMin(level, 3) - 1]);
                heading.setFontWeight(QFont::Bold);
                cursor.setPosition(fragment.position());
                cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                cursor.setCharFormat(heading);
            }
            bf.setHeadingLevel(0);
            bf.setTopMargin(level == 1 ? 14 : 10);
            bf.setBottomMargin(4);
            cursor.setBlockFormat(bf);
        }
        // Numbers are taken while every item is still in its list.
        if (QTextList* list = block.textList()) {
            const bool numbered = list->format().style() == QTextListFormat::ListDecimal;
            items << ListItem{block.blockNumber(),
                              numbered ? QStringLiteral("%1. ").arg(list->itemNumber(block) + 1) : QStringLiteral("\u2022 "),
                              list->format().indent()};
        }
    }
    for (const ListItem& item : std::as_const(items)) {
        const QTextBlock block = document.findBlockByNumber(item.block);
        block.textList()->remove(block);
        QTextBlockFormat bf = block.blockFormat();
        bf.setIndent(0);
        bf.setLeftMargin(18.0 * item.depth);
        bf.setTopMargin(1);
        bf.setBottomMargin(1);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(bf);
        cursor.insertText(item.mark, QTextCharFormat());   // plain, whatever the item starts with
    }
}

bool makeHelp(const QString& source, const QString& target)
{
    QByteArray markdown;
    if (!readSource(source, &markdown))
        return false;
    QTextDocument document;
    document.setDefaultFont(QFont(QString::fromLatin1(kHelpFont), int(kBodyPoints)));
    document.setMarkdown(QString::fromUtf8(markdown), QTextDocument::MarkdownDialectGitHub);
    flattenForRtf(document);
    return writeAll(target, qv::writeRtf(document).toLatin1());
}

// One tip a line, ended by CR LF, in the 8-bit text the tip windows read.
bool makeTips(const QString& source, const QString& target)
{
    QByteArray text;
    if (!readSource(source, &text))
        return false;
    QByteArray out;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        for (char c : std::as_const(line)) {
            if (static_cast<unsigned char>(c) > 127)
                return fail(QStringLiteral("%1: keep the tips to plain ASCII").arg(source));
        }
        out += line + "\r\n";
    }
    // The split leaves one empty piece after the last line end.
    if (text.endsWith('\n'))
        out.chop(2);
    return writeAll(target, out);
}

bool makeIcon(const QString& target)
{
    if (!shell::logoPicture(256, 256).save(target, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(target));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        fail(QStringLiteral("usage: make_installation_data <source folder> <output folder>"));
        return 2;
    }
    const QDir in(args.at(1)), out(args.at(2));
    const bool done = makeHelp(in.filePath(QStringLiteral("help.md")), out.filePath(QStringLiteral("Index.rtf")))
        && makeTips(in.filePath(QStringLiteral("TIPOFDAY.TXT")), out.filePath(QStringLiteral("TIPOFDAY.TXT")))
        && makeTips(in.filePath(QStringLiteral("TIPOFDAY1.TXT")), out.filePath(QStringLiteral("TIPOFDAY1.TXT")))
        && makeIcon(out.filePath(QStringLiteral("quorvel.png")));
    return done ? 0 : 1;
}
