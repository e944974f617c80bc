// The help and book documents beside the program.
#include "ArtTestSupport.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

using arttest::built;

const char* const presetNames[] = { "Низкий Бета", "Высокий Альфа", "Низкий Альфа", "Тета", "Дельта" };
const char* const presetBands[] = { "12–15", "9–12", "8–10", "4–7", "0,1–4" };

TEST(ArtDocuments, ReadMeIsUtf8WithByteOrderMark)
{
    const QByteArray bytes = arttest::readAll(built(QStringLiteral("ReadMe.txt")));
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes.mid(3));
    EXPECT_FALSE(decoder.hasError());
    EXPECT_FALSE(text.contains(QChar(0xFEFF))) << "a second byte-order mark";
}

TEST(ArtDocuments, ReadMeWarnsAndExplainsThePresets)
{
    const QString text = QString::fromUtf8(arttest::readAll(built(QStringLiteral("ReadMe.txt"))));
    EXPECT_TRUE(text.contains(QStringLiteral("эпилепс"), Qt::CaseInsensitive));
    EXPECT_TRUE(text.contains(QStringLiteral("мерцающ"), Qt::CaseInsensitive));
    // The warning comes first, before any instructions.
    EXPECT_LT(text.indexOf(QStringLiteral("ЭПИЛЕПС")), text.indexOf(QStringLiteral("Как провести сеанс")));
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(presetNames[i]))) << presetNames[i];
        EXPECT_TRUE(text.contains(QString::fromUtf8(presetBands[i]))) << presetBands[i];
    }
    for (const char* control : { "Старт", "Manual", "Auto", "Сон", "Бодрствование", "Обзор...", "Справка", "Книга", "Esc" })
        EXPECT_TRUE(text.contains(QString::fromUtf8(control))) << control;
}

class ArtRtfDocumentTest : public ::testing::TestWithParam<const char*> { };

TEST_P(ArtRtfDocumentTest, IsWellFormedSevenBitRichText)
{
    const QByteArray rtf = arttest::readAll(built(QString::fromUtf8(GetParam())));
    ASSERT_TRUE(rtf.startsWith("{\\rtf1")) << GetParam();
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        ASSERT_LT(uchar(c), 0x80) << "byte beyond ASCII at " << i;
        if (c == '\\') {
            ++i;  // an escaped brace or backslash is text
            continue;
        }
        depth += c == '{';
        depth -= c == '}';
        ASSERT_GE(depth, 0) << "unbalanced '}' at " << i;
        if (depth == 0) {
            EXPECT_EQ(rtf.mid(i + 1).trimmed(), QByteArray()) << "text after the document's closing brace";
            break;
        }
    }
    EXPECT_EQ(depth, 0);
}

INSTANTIATE_TEST_SUITE_P(Documents, ArtRtfDocumentTest, ::testing::Values("Ритмы.doc", "Vellamor.doc"));

TEST(ArtDocuments, RhythmsDocumentListsThePresetsAndBands)
{
    const QString text = arttest::rtfText(arttest::readAll(built(QStringLiteral("Ритмы.doc"))));
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(presetNames[i]) + QStringLiteral(" | "))) << presetNames[i];
        EXPECT_TRUE(text.contains(QString::fromUtf8(presetBands[i]) + QStringLiteral(" Гц"))) << presetBands[i];
    }
    EXPECT_TRUE(text.contains(QStringLiteral("эпилепс")));
}

TEST(ArtDocuments, BookRunsToSeveralPages)
{
    const QByteArray rtf = arttest::readAll(built(QStringLiteral("Vellamor.doc")));
    const QString text = arttest::rtfText(rtf);
    EXPECT_GT(text.size(), 8000);
    EXPECT_GE(rtf.count("\\page"), 3);
    for (const char* word : { "ритм", "внимани", "отдых" })
        EXPECT_TRUE(text.contains(QString::fromUtf8(word), Qt::CaseInsensitive)) << word;
}

}  // namespace
