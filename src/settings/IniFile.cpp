#include "settings/IniFile.h"

#include "base/Cp1251.h"
#include "framework/Exceptions.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <limits>
#include <utility>

namespace pvstim {

namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

QStringView trimmed(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString withoutLineBreaks(QStringView s)
{
    QString result = s.toString();
    result.replace(u'\r', u' ');
    result.replace(u'\n', u' ');
    return result;
}

// One line of the text: [start, end) is its content, next is where the following
// line starts (past the "\r\n", "\n" or lone "\r" that ends this one).
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    bool hasBreak() const { return next > end; }
};

Line lineAt(const QString& text, qsizetype start)
{
    Line line;
    line.start = start;
    qsizetype end = start;
    while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
        ++end;
    line.end = line.next = end;
    if (end < text.size())
        line.next = (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? end + 2 : end + 1;
    return line;
}

enum class LineKind { Other, Section, Entry };

// What one line holds: a section header with its name, a "key=value" entry with its
// key and the raw text after '=', or anything else (blank, comment, stray text).
struct LineContent {
    LineKind kind = LineKind::Other;
    QStringView name;
    QStringView rawValue;
};

LineContent classify(QStringView content)
{
    const QStringView s = trimmed(content);
    LineContent result;
    if (s.isEmpty() || s.front() == u';')
        return result;
    if (s.front() == u'[') {
        const qsizetype close = s.indexOf(u']');
        result.kind = LineKind::Section;
        result.name = trimmed(close < 0 ? s.sliced(1) : s.sliced(1, close - 1));
        return result;
    }
    const qsizetype equals = s.indexOf(u'=');
    if (equals <= 0)
        return result;
    result.name = trimmed(s.first(equals));
    if (result.name.isEmpty())
        return result;
    result.kind = LineKind::Entry;
    result.rawValue = s.sliced(equals + 1);
    return result;
}

QString cleanValue(QStringView raw)
{
    QStringView v = trimmed(raw);
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v.toString();
}

// Reads at most limit + 1 bytes, so that an oversized file shows as such without
// being read whole, even when its size was not known beforehand.
QByteArray readAtMost(QFile& file, qint64 limit)
{
    QByteArray bytes;
    char chunk[64 * 1024];
    while (bytes.size() <= limit) {
        const qint64 wanted = qMin<qint64>(sizeof chunk, limit + 1 - bytes.size());
        const qint64 got = file.read(chunk, wanted);
        if (got <= 0)
            break;
        bytes.append(chunk, got);
    }
    return bytes;
}

}  // namespace

Result<IniFile::Document> IniFile::Document::parse(QByteArrayView bytes)
{
    if (bytes.size() > kMaxFileSize)
        return Result<Document>::failure(QStringLiteral("The settings file is too large."));
    Document document;
    document.text_ = decodeUtf8OrCp1251(bytes);
    // A mark left after decoding would be written back at the start and then be
    // dropped by the next read, turning the first line into something else.
    qsizetype marks = 0;
    while (marks < document.text_.size() && document.text_[marks] == kByteOrderMark)
        ++marks;
    document.text_.remove(0, marks);
    return document;
}

std::optional<QString> IniFile::Document::value(QStringView section, QStringView key) const
{
    bool inSection = false;
    for (qsizetype pos = 0; pos < text_.size();) {
        const Line line = lineAt(text_, pos);
        pos = line.next;
        const LineContent content = classify(QStringView(text_).sliced(line.start, line.end - line.start));
        if (content.kind == LineKind::Section)
            inSection = sameName(content.name, section);
        else if (inSection && content.kind == LineKind::Entry && sameName(content.name, key))
            return cleanValue(content.rawValue);
    }
    return std::nullopt;
}

void IniFile::Document::setValue(QStringView section, QStringView key, QStringView value)
{
    const QString sectionName = withoutLineBreaks(section);
    const QString keyName = withoutLineBreaks(key);
    const QString newValue = withoutLineBreaks(value);

    enum class State { Before, InFirst, After } first = State::Before;
    bool inSection = false;
    Line lastOfFirst;  // the last non-blank line of the first matching section
    for (qsizetype pos = 0; pos < text_.size();) {
        const Line line = lineAt(text_, pos);
        pos = line.next;
        const QStringView lineText = QStringView(text_).sliced(line.start, line.end - line.start);
        const LineContent content = classify(lineText);
        if (content.kind == LineKind::Section) {
            inSection = sameName(content.name, sectionName);
            if (first == State::InFirst)
                first = State::After;
            else if (first == State::Before && inSection)
                first = State::InFirst;
        } else if (inSection && content.kind == LineKind::Entry && sameName(content.name, keyName)) {
            // The key keeps its spelling from the file.
            const QString entry = content.name.toString() + u'=' + newValue;
            text_.replace(line.start, line.end - line.start, entry);
            return;
        }
        if (first == State::InFirst && !trimmed(lineText).isEmpty())
            lastOfFirst = line;
    }

    const QString lineEnd = lineBreak();
    const QString entry = keyName + u'=' + newValue + lineEnd;
    if (first != State::Before) {
        if (lastOfFirst.hasBreak())
            text_.insert(lastOfFirst.next, entry);
        else
            text_.append(lineEnd + entry);
        return;
    }
    if (!text_.isEmpty() && !text_.endsWith(u'\n') && !text_.endsWith(u'\r'))
        text_.append(lineEnd);
    text_.append(u'[' + sectionName + u']' + lineEnd + entry);
}

QString IniFile::Document::lineBreak() const
{
    const Line first = lineAt(text_, 0);
    return first.hasBreak() ? text_.sliced(first.end, first.next - first.end) : QStringLiteral("\n");
}

IniFile::IniFile(QString fileName) : fileName_(std::move(fileName)) { }

Result<IniFile::Document> IniFile::load() const
{
    const QFileInfo info(fileName_);
    if (!info.exists())
        return Document();
    if (!info.isFile())
        return Result<Document>::failure(QStringLiteral("The settings file is not a file."));
    if (info.size() > kMaxFileSize)
        return Result<Document>::failure(QStringLiteral("The settings file is too large."));
    // Opened without waiting: what lies at the name may have changed since.
    QFile file(fileName_);
    if (const std::optional<QString> refusal = openRegularFile(file))
        return Result<Document>::failure(*refusal);
    const QByteArray bytes = readAtMost(file, kMaxFileSize);
    if (file.error() != QFileDevice::NoError)
        return Result<Document>::failure(file.errorString());
    return Document::parse(bytes);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Result<Document> document = load();
    if (!document)
        return defaultValue;
    const std::optional<QString> value = document.value().value(section, key);
    if (!value)
        return defaultValue;
    qsizetype length = qMin<qsizetype>(value->size(), kMaxValueLength);
    // Never leave half of a surrogate pair at the cut.
    if (length < value->size() && length > 0 && value->at(length - 1).isHighSurrogate())
        --length;
    return value->first(length);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    return parseInteger(readString(section, key, QString())).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    Result<Document> document = load();
    if (!document)
        throw EFCreateError(writeFailureMessage());
    document.value().setValue(section, key, value);
    const QByteArray bytes = document.value().toUtf8();
    if (bytes.size() > kMaxFileSize)
        throw EFCreateError(writeFailureMessage());

    // Unbuffered, so that a short write (full disk, size limit) shows in write()'s
    // count: a buffered QSaveFile can fail while flushing at commit() and still put
    // the cut-off temporary file in place of the old one. Without a commit the
    // temporary file is discarded and the old file stays as it was.
    QSaveFile file(fileName_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()
        || !file.commit())
        throw EFCreateError(writeFailureMessage());
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

std::optional<int> IniFile::parseInteger(QStringView text)
{
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        quint64 value = 0;
        for (const QChar ch : text.sliced(2)) {
            const char16_t c = ch.unicode();
            int digit = -1;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (c >= u'a' && c <= u'f')
                digit = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F')
                digit = c - u'A' + 10;
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + quint64(digit);
            if (value > 0xFFFFFFFFu)
                return std::nullopt;
        }
        return static_cast<int>(static_cast<quint32>(value));
    }

    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    if (pos == text.size())
        return std::nullopt;
    const quint64 limit = negative ? quint64(std::numeric_limits<int>::max()) + 1
                                   : quint64(std::numeric_limits<int>::max());
    quint64 value = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + quint64(c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return negative ? static_cast<int>(-static_cast<qint64>(value)) : static_cast<int>(value);
}

QString IniFile::writeFailureMessage() const
{
    return QStringLiteral("Unable to write to %1")
        .arg(QDir::toNativeSeparators(QFileInfo(fileName_).absoluteFilePath()));
}

}  // namespace pvstim
