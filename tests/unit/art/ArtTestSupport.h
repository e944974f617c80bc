#pragma once

// Helpers shared by the tests of the generated pictures, texts and documents.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <cctype>

namespace arttest {

// A file the build put beside the executable.
inline QString built(const QString& relative)
{
    return QDir(QStringLiteral(PVSTIM_BUILD_DIR)).filePath(relative);
}

// A text or document source kept with the program's sources.
inline QString source(const QString& relative)
{
    return QDir(QStringLiteral(PVSTIM_TEST_DATA "/../../resources")).filePath(relative);
}

inline QString generatorPath()
{
    return built(QStringLiteral("tools/artgen/pvstim_artgen"));
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { };
    return file.readAll();
}

inline QImage loadImage(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// The plain text of a rich-text document: Unicode escapes decoded (their fallback
// byte or "?" skipped), paragraph and row ends as new lines, cells separated by
// " | ", other control words and groups' braces dropped. Enough to read back what
// the generator writes.
inline QString rtfText(const QByteArray& rtf)
{
    QString text;
    qsizetype i = 0;
    auto skipFallback = [&] {
        if (i < rtf.size() && rtf[i] == '?') {
            ++i;
        } else if (i + 3 < rtf.size() && rtf[i] == '\\' && rtf[i + 1] == '\'') {
            i += 4;
        }
    };
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            text += QChar(uchar(c));
            ++i;
            continue;
        }
        ++i;
        if (i < rtf.size() && (rtf[i] == '\\' || rtf[i] == '{' || rtf[i] == '}')) {
            text += QChar(uchar(rtf[i++]));
            continue;
        }
        if (i < rtf.size() && rtf[i] == '~') {
            text += QChar(0x00A0);
            ++i;
            continue;
        }
        QByteArray word;
        while (i < rtf.size() && std::isalpha(uchar(rtf[i])))
            word += rtf[i++];
        QByteArray number;
        while (i < rtf.size() && (rtf[i] == '-' || std::isdigit(uchar(rtf[i]))))
            number += rtf[i++];
        if (word == "u") {
            text += QChar(char16_t(number.toInt()));
            skipFallback();
            continue;
        }
        if (i < rtf.size() && rtf[i] == ' ')
            ++i;
        if (word == "par" || word == "row")
            text += u'\n';
        else if (word == "cell")
            text += QStringLiteral(" | ");
        else if (word == "tab")
            text += u'\t';
    }
    return text;
}

}  // namespace arttest
