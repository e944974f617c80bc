#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace artgen {

// The reading texts shipped in to_read/: a list file names each text and says how
// its bytes are to be stored, so the set exercises every form the reader accepts.
// List lines: file name, encoding ("utf-8" or "cp1251"), line ends ("lf" or
// "crlf") and the last line ("break" or "open", i.e. without a final line break),
// separated by tabs; "#" starts a comment line.
class ReadingTextList {
public:
    enum class Encoding { Utf8, Cp1251 };
    enum class LineEnds { Lf, CrLf };
    enum class LastLine { Break, Open };

    struct Entry {
        QString fileName;
        Encoding encoding;
        LineEnds lineEnds;
        LastLine lastLine;
    };

    // Throws std::runtime_error on a malformed line.
    static ReadingTextList parse(const QString& listText);
    const std::vector<Entry>& entries() const { return entries_; }

    // The stored bytes of one text from its UTF-8 source (line ends in the source
    // may be LF or CR LF). Throws std::runtime_error when the source is not valid
    // UTF-8 or holds a character the chosen code page lacks.
    static QByteArray render(const Entry& entry, const QByteArray& utf8Source);

private:
    std::vector<Entry> entries_;
};

}  // namespace artgen
