#include "support/large_picture.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <zlib.h>

namespace qvtest {

namespace {

bool writeChunk(QFile& file, const char* type, const QByteArray& data)
{
    QByteArray chunk;
    const quint32 length = qToBigEndian(quint32(data.size()));
    chunk.append(reinterpret_cast<const char*>(&length), 4);
    chunk.append(type, 4);
    chunk.append(data);
    const quint32 crc = qToBigEndian(
        quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(chunk.constData() + 4), uInt(chunk.size() - 4))));
    chunk.append(reinterpret_cast<const char*>(&crc), 4);
    return file.write(chunk) == chunk.size();
}

} // namespace

bool writeLargePng(const QString& path, QSize size, const QColor& left, const QColor& right)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write("\x89PNG\r\n\x1a\n", 8) != 8)
        return false;
    QByteArray header(13, '\0');
    qToBigEndian(quint32(size.width()), header.data());
    qToBigEndian(quint32(size.height()), header.data() + 4);
    header[8] = 8;   // bits per sample
    header[9] = 2;   // RGB
    if (!writeChunk(file, "IHDR", header))
        return false;

    // The first row as it is; every other row "the same as the row above",
    // which deflates to almost nothing.
    const int rowBytes = 1 + 3 * size.width();
    QByteArray first(rowBytes, '\0');
    for (int x = 0; x < size.width(); ++x) {
        const QColor& c = x < size.width() / 2 ? left : right;
        first[1 + 3 * x] = char(c.red());
        first[2 + 3 * x] = char(c.green());
        first[3 + 3 * x] = char(c.blue());
    }
    QByteArray same(rowBytes, '\0');
    same[0] = 2;   // the "up" filter

    z_stream z{};
    if (deflateInit(&z, 1) != Z_OK)
        return false;
    QByteArray out(1 << 20, '\0');
    bool ok = true;
    for (int y = 0; y <= size.height() && ok; ++y) {
        const bool last = y == size.height();
        const QByteArray& row = y == 0 ? first : same;
        z.next_in = last ? nullptr : reinterpret_cast<Bytef*>(const_cast<char*>(row.constData()));
        z.avail_in = last ? 0 : uInt(row.size());
        int result = Z_OK;
        do {
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(out.size());
            result = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            const int produced = out.size() - int(z.avail_out);
            if (produced > 0)
                ok = ok && writeChunk(file, "IDAT", out.left(produced));
        } while (ok && (z.avail_out == 0 || (last && result != Z_STREAM_END)));
    }
    deflateEnd(&z);
    return ok && writeChunk(file, "IEND", QByteArray());
}

} // namespace qvtest
