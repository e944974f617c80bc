#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace pvstim {

// The settings file in the private-profile format: a "[SECTION]" line opens a
// section, a "key=value" line holds a value, a line starting with ';' is a comment.
// Section and key names match without regard to case; when a name occurs twice, the
// first occurrence counts.
//
// The object keeps no copy of the file. Every read reads the file anew. Every write
// reads it, changes the key's line (or adds the key after the last non-blank line of
// its section, or the section at the end of the file) and replaces the file as a
// whole through a temporary file beside it, so a failed write leaves the old file as
// it was. Lines end in "\r\n", "\n" or a lone "\r" alike. Every other line keeps its
// text and its own line break; new lines take the break of the file's first line
// ("\n" in a new file). The file is written in UTF-8
// without a byte-order mark; a file that is not valid UTF-8 is read as code page 1251
// and so becomes UTF-8, with the same text, at its first write.
//
// Nothing in the file is trusted. A file larger than kMaxFileSize bytes, or one that
// cannot be read or is no regular file (a folder, a named pipe or a device in its
// place, none of them waited on), holds no settings: every read gives its default.
// Such a file is never replaced: a write to it fails, as does a write that would
// make the file larger than kMaxFileSize. A write fails by throwing EFCreateError
// "Unable to write to %s", the file's full path in place of %s.
class IniFile {
public:
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
    // A string read gives at most this many characters.
    static constexpr int kMaxValueLength = 2047;

    // The decoded text of one settings file, held for one read or one write.
    class Document {
    public:
        Document() = default;

        // Decodes the file's bytes (UTF-8, else code page 1251; byte-order marks at
        // the start dropped). Fails only for more than kMaxFileSize bytes.
        [[nodiscard]] static Result<Document> parse(QByteArrayView bytes);

        // The text after the key's first '=', with spaces around it trimmed and one
        // pair of matching quotes (" or ') around it removed; nothing when the
        // section or the key is missing.
        std::optional<QString> value(QStringView section, QStringView key) const;

        // Sets the key's value as written. Line breaks in the names or the value
        // become spaces: they would otherwise split the line and forge other keys.
        void setValue(QStringView section, QStringView key, QStringView value);

        const QString& text() const { return text_; }
        QByteArray toUtf8() const { return text_.toUtf8(); }

    private:
        QString lineBreak() const;

        QString text_;
    };

    explicit IniFile(QString fileName);

    const QString& fileName() const { return fileName_; }

    // The file as it is now: an empty document when there is no file; a failure
    // when the file is there but cannot be read or is too large.
    [[nodiscard]] Result<Document> load() const;

    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // The default also for a value that is not an integer (see parseInteger).
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // Read as an integer whose default is 1 or 0; any value other than 0 is true.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    // Decimal, with '-' for negative values.
    void writeInteger(const QString& section, const QString& key, int value);
    // "1" or "0".
    void writeBool(const QString& section, const QString& key, bool value);

    // Decimal with an optional sign, or hexadecimal after "0x"/"0X" when more text
    // follows the prefix, taken as a signed 32-bit value ("0xFFFFFFFF" is -1).
    // Nothing for any other text and for a value outside 32 bits.
    static std::optional<int> parseInteger(QStringView text);

private:
    QString writeFailureMessage() const;

    QString fileName_;
};

}  // namespace pvstim
