#include "RtfWriter.h"

#include "Cp1251Encoder.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace artgen {

namespace {

constexpr int textWidthTwips = 11906 - 1701 - 850;  // A4 less the margins below

const char* const header =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049\\uc1\r\n"
    "{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}{\\f1\\fswiss\\fcharset204 Arial;}}\r\n"
    "{\\colortbl;\\red0\\green64\\blue128;}\r\n"
    "\\paperw11906\\paperh16838\\margl1701\\margr850\\margt1134\\margb1134\r\n";

const char* const bodyStyle = "\\pard\\plain\\f0\\fs26\\sa120\\sl276\\slmult1\\qj\\fi567 ";
const char* const titleStyle = "\\pard\\plain\\f1\\fs36\\b\\cf1\\qc\\sb240\\sa360 ";
const char* const headingStyle = "\\pard\\plain\\keepn\\f1\\fs28\\b\\cf1\\sb360\\sa120 ";
const char* const epigraphStyle = "\\pard\\plain\\f0\\fs24\\i\\qr\\li2835\\sa240 ";
const char* const bulletStyle = "\\pard\\plain\\f0\\fs26\\sa60\\fi-284\\li851\\tx851 ";
const char* const cellStyle = "\\pard\\plain\\intbl\\f1\\fs22 ";
const char* const cellBorders =
    "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";

QStringList splitCells(const QString& row)
{
    QString inner = row.trimmed();
    if (inner.startsWith(u'|'))
        inner.remove(0, 1);
    if (inner.endsWith(u'|'))
        inner.chop(1);
    QStringList cells = inner.split(u'|');
    for (QString& cell : cells)
        cell = cell.trimmed();
    return cells;
}

QByteArray table(const std::vector<QStringList>& rows)
{
    qsizetype columns = 0;
    for (const QStringList& row : rows)
        columns = std::max(columns, row.size());
    // Columns get width in proportion to their longest text, within limits.
    std::vector<int> longest(std::size_t(columns), 4);
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            longest[std::size_t(c)] = std::max(longest[std::size_t(c)], int(std::min<qsizetype>(row[c].size(), 40)));
    }
    int total = 0;
    for (const int l : longest)
        total += l;

    QByteArray rowDefinition = "\\trowd\\trgaph108\\trleft0\\trkeep";
    int edge = 0;
    for (qsizetype c = 0; c < columns; ++c) {
        edge += textWidthTwips * longest[std::size_t(c)] / total;
        if (c == columns - 1)
            edge = textWidthTwips;
        rowDefinition += cellBorders;
        rowDefinition += "\\cellx" + QByteArray::number(edge);
    }
    rowDefinition += "\r\n";

    QByteArray out;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += rowDefinition;
        for (qsizetype c = 0; c < columns; ++c) {
            out += cellStyle;
            const QString text = c < rows[r].size() ? rows[r][c] : QString();
            out += r == 0 ? "\\b " + RtfWriter::escape(text) + "\\b0" : RtfWriter::escape(text);
            out += "\\cell ";
        }
        out += "\\row\r\n";
    }
    out += "\\pard\\plain\\sa120\\par\r\n";
    return out;
}

}  // namespace

QByteArray RtfWriter::escape(const QString& text)
{
    QByteArray out;
    bool bold = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'*' && i + 1 < text.size() && text.at(i + 1) == u'*') {
            bold = !bold;
            out += bold ? "\\b " : "\\b0 ";
            ++i;
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c == 0x00A0) {
            out += "\\~";
        } else if (c >= 0x20 && c < 0x80) {
            out += char(c);
        } else if (c >= 0x80) {
            // The escape takes a signed 16-bit number. Readers that do not know it
            // show the fallback after it: the code page byte where there is one.
            out += "\\u" + QByteArray::number(int(static_cast<std::int16_t>(c)));
            const int byte = Cp1251Encoder::byteFor(c);
            if (byte >= 0x80)
                out += "\\'" + QByteArray::number(byte, 16);
            else
                out += '?';
        }
    }
    if (bold)
        out += "\\b0 ";
    return out;
}

QByteArray RtfWriter::convert(const QString& markup)
{
    QByteArray out = header;
    QStringList paragraph;  // body text or, when `inBullet`, the text of one bullet item
    bool inBullet = false;
    std::vector<QStringList> rows;

    auto flushParagraph = [&] {
        if (!paragraph.isEmpty()) {
            const QString text = paragraph.join(u' ');
            if (inBullet)
                out += bulletStyle + escape(QStringLiteral("\u2022\t") + text) + "\\par\r\n";
            else
                out += bodyStyle + escape(text) + "\\par\r\n";
        }
        paragraph.clear();
        inBullet = false;
    };
    auto flushTable = [&] {
        if (!rows.empty())
            out += table(rows);
        rows.clear();
    };

    const QStringList lines = markup.split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (!line.startsWith(u'|'))
            flushTable();
        if (line.isEmpty()) {
            flushParagraph();
        } else if (line.startsWith(u'|')) {
            flushParagraph();
            rows.push_back(splitCells(line));
        } else if (line == QLatin1String("===")) {
            flushParagraph();
            out += "\\pard\\plain\\page\r\n";
        } else if (line.startsWith(QLatin1String("## "))) {
            flushParagraph();
            out += headingStyle + escape(line.mid(3)) + "\\par\r\n";
        } else if (line.startsWith(QLatin1String("# "))) {
            flushParagraph();
            out += titleStyle + escape(line.mid(2)) + "\\par\r\n";
        } else if (line.startsWith(QLatin1String("> "))) {
            flushParagraph();
            out += epigraphStyle + escape(line.mid(2)) + "\\par\r\n";
        } else if (line.startsWith(QLatin1String("- "))) {
            flushParagraph();
            inBullet = true;
            paragraph.append(line.mid(2));
        } else {
            paragraph.append(line);
        }
    }
    flushTable();
    flushParagraph();
    out += "}\r\n";
    return out;
}

}  // namespace artgen
