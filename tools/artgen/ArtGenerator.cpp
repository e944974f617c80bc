#include "ArtGenerator.h"

#include "BmpEncoder.h"
#include "ButtonPainter.h"
#include "ClockPlatePainter.h"
#include "FacePainter.h"
#include "IconPainter.h"
#include "JpegEncoder.h"
#include "MandalaPainter.h"
#include "MarkerPainter.h"
#include "ReadingTextList.h"
#include "RtfWriter.h"
#include "TitleStripPainter.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <stdexcept>

namespace artgen {

namespace {

constexpr int mandalaQuality = 90;

QString decodeUtf8(const QByteArray& bytes, const QString& name)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw std::runtime_error(name.toStdString() + ": source is not valid UTF-8");
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

QByteArray ArtGenerator::readSource(const QString& relativePath) const
{
    QFile file(QDir(sourceFolder_).filePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + file.fileName().toStdString() + ": " + file.errorString().toStdString());
    return file.readAll();
}

void ArtGenerator::writeEmbedded(const OutputFolder& out) const
{
    out.write(QStringLiteral("face.bmp"), BmpEncoder::encode(FacePainter(fonts_).paint()));
    out.write(QStringLiteral("title.bmp"),
        BmpEncoder::encode(TitleStripPainter(fonts_).paint(TitleLook::Active, caption_)));
    out.write(QStringLiteral("M0.bmp"), BmpEncoder::encode(ButtonPainter::minimize(ButtonState::Normal)));
    out.write(QStringLiteral("M1.bmp"), BmpEncoder::encode(ButtonPainter::minimize(ButtonState::Hot)));
    out.write(QStringLiteral("C0.bmp"), BmpEncoder::encode(ButtonPainter::close(ButtonState::Normal)));
    out.write(QStringLiteral("C1.bmp"), BmpEncoder::encode(ButtonPainter::close(ButtonState::Hot)));
    out.write(QStringLiteral("clock.bmp"), BmpEncoder::encode(ClockPlatePainter::paint()));
    out.write(QStringLiteral("minibar_restore.bmp"), BmpEncoder::encode(ButtonPainter::restore(ButtonState::Normal)));
    for (int size : { 48, 128, 256 })
        out.write(QStringLiteral("pvstim-%1.png").arg(size), IconPainter::encodePng(IconPainter::paint(size)));
}

void ArtGenerator::writeBeside(const OutputFolder& out) const
{
    writeChromeFiles(out);
    writePictures(out);
    writeReadingTexts(out);
    writeDocuments(out);
}

void ArtGenerator::writeChromeFiles(const OutputFolder& out) const
{
    const TitleStripPainter titles(fonts_);
    out.write(QStringLiteral("fone/title1.bmp"), BmpEncoder::encode(titles.paint(TitleLook::Active, caption_)));
    out.write(QStringLiteral("fone/title0.bmp"), BmpEncoder::encode(titles.paint(TitleLook::Inactive, caption_)));
    out.write(QStringLiteral("fone/close0.bmp"), BmpEncoder::encode(ButtonPainter::close(ButtonState::Normal)));
    out.write(QStringLiteral("fone/close1.bmp"), BmpEncoder::encode(ButtonPainter::close(ButtonState::Hot)));
    out.write(QStringLiteral("fone/max0.bmp"), BmpEncoder::encode(ButtonPainter::restore(ButtonState::Normal)));
    out.write(QStringLiteral("fone/max1.bmp"), BmpEncoder::encode(ButtonPainter::restore(ButtonState::Hot)));
}

void ArtGenerator::writePictures(const OutputFolder& out) const
{
    out.write(QStringLiteral("textures/mark1.bmp"), BmpEncoder::encode(MarkerPainter::fixationCross()));
    out.write(QStringLiteral("textures/mark2.bmp"), BmpEncoder::encode(MarkerPainter::targetRing()));
    const JpegEncoder jpeg(mandalaQuality);
    out.write(QStringLiteral("mandals/1.jpg"), jpeg.encode(MandalaPainter::paint(MandalaDesign::SunLotus)));
    out.write(QStringLiteral("mandals/2.jpg"), jpeg.encode(MandalaPainter::paint(MandalaDesign::NightStar)));
    out.write(QStringLiteral("mandals/3.jpg"), jpeg.encode(MandalaPainter::paint(MandalaDesign::GreenRosette)));
}

void ArtGenerator::writeReadingTexts(const OutputFolder& out) const
{
    const QString listName = QStringLiteral("to_read.tsv");
    const ReadingTextList list = ReadingTextList::parse(decodeUtf8(readSource(listName), listName));
    if (list.entries().empty())
        throw std::runtime_error("the reading-text list names no text");
    for (const ReadingTextList::Entry& entry : list.entries()) {
        const QByteArray source = readSource(QStringLiteral("to_read/") + entry.fileName);
        out.write(QStringLiteral("to_read/") + entry.fileName, ReadingTextList::render(entry, source));
    }
}

void ArtGenerator::writeDocuments(const OutputFolder& out) const
{
    const QByteArray byteOrderMark("\xEF\xBB\xBF");
    const QString readMe = decodeUtf8(readSource(QStringLiteral("docs/ReadMe.txt")), QStringLiteral("ReadMe.txt"));
    out.write(QStringLiteral("ReadMe.txt"), byteOrderMark + readMe.toUtf8());

    struct Document {
        QString source;
        QString target;
    };
    const Document documents[] = {
        { QStringLiteral("docs/Ритмы.txt"), QStringLiteral("Ритмы.doc") },
        { QStringLiteral("docs/Vellamor.txt"), QStringLiteral("Vellamor.doc") },
    };
    for (const Document& document : documents)
        out.write(document.target, RtfWriter::convert(decodeUtf8(readSource(document.source), document.source)));
}

}  // namespace artgen
