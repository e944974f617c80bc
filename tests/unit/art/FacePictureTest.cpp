// The control window's face: its fixed colours, the frames behind the label buttons
// and the painted headings, each inside its own box.
#include "ArtTestSupport.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace {

QImage face()
{
    return QImage(QStringLiteral(":/art/face.bmp")).convertToFormat(QImage::Format_RGB32);
}

struct KeyPixel {
    const char* what;
    int x;
    int y;
    QRgb colour;
};

void PrintTo(const KeyPixel& p, std::ostream* os) { *os << p.what; }

class ArtFaceKeyPixelTest : public ::testing::TestWithParam<KeyPixel> { };

TEST_P(ArtFaceKeyPixelTest, HasItsColour)
{
    const QImage image = face();
    ASSERT_EQ(image.size(), QSize(554, 381));
    const KeyPixel p = GetParam();
    EXPECT_EQ(QColor(image.pixel(p.x, p.y)), QColor(p.colour)) << p.what << " at " << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(Face, ArtFaceKeyPixelTest,
    ::testing::Values(KeyPixel { "outer border, top-left", 0, 0, qRgb(128, 128, 128) },
        KeyPixel { "outer border, third pixel", 2, 190, qRgb(128, 128, 128) },
        KeyPixel { "outer border, bottom-right", 553, 380, qRgb(128, 128, 128) },
        KeyPixel { "field inside the border", 3, 190, qRgb(233, 233, 233) },
        KeyPixel { "field left of the panels", 10, 200, qRgb(233, 233, 233) },
        KeyPixel { "field between the panels", 294, 200, qRgb(233, 233, 233) },
        KeyPixel { "left panel outline", 7, 100, qRgb(128, 128, 128) },
        KeyPixel { "left panel outline, second pixel", 8, 100, qRgb(128, 128, 128) },
        KeyPixel { "left panel outline, bottom", 150, 371, qRgb(128, 128, 128) },
        KeyPixel { "right panel outline", 296, 100, qRgb(128, 128, 128) },
        KeyPixel { "right panel outline, right", 547, 100, qRgb(128, 128, 128) },
        KeyPixel { "right panel outline, top", 400, 30, qRgb(128, 128, 128) },
        KeyPixel { "column split", 146, 200, qRgb(128, 128, 128) },
        KeyPixel { "dial disc", 225, 270, qRgb(196, 196, 196) },
        KeyPixel { "dial disc, left part", 190, 246, qRgb(196, 196, 196) }));

TEST(ArtFacePicture, HeaderBandsDifferSlightlyFromTheField)
{
    const QImage image = face();
    for (const QPoint at : { QPoint(20, 40), QPoint(540, 40) }) {
        const QColor band(image.pixel(at));
        EXPECT_NE(band, QColor(233, 233, 233)) << at.x();
        EXPECT_LE(std::abs(band.red() - 233) + std::abs(band.green() - 233) + std::abs(band.blue() - 233), 45);
    }
    EXPECT_EQ(QColor(image.pixel(20, 60)), QColor(233, 233, 233)) << "below the band";
}

// Places of the label buttons: a grey frame surrounds each, so the pixel just left of
// the label is not the plain field and the frame's edge is grey.
struct LabelPlace {
    const char* caption;
    QRect place;
};

void PrintTo(const LabelPlace& p, std::ostream* os) { *os << p.caption; }

class ArtFaceLabelFrameTest : public ::testing::TestWithParam<LabelPlace> { };

TEST_P(ArtFaceLabelFrameTest, SurroundsTheLabel)
{
    const QImage image = face();
    const QRect place = GetParam().place;
    const int middle = place.center().y();
    int greyToTheLeft = 0;
    for (int x = place.left() - 1; x >= place.left() - 5; --x)
        greyToTheLeft += QColor(image.pixel(x, middle)) == QColor(128, 128, 128);
    int greyToTheRight = 0;
    for (int x = place.right() + 1; x <= place.right() + 5; ++x)
        greyToTheRight += QColor(image.pixel(x, middle)) == QColor(128, 128, 128);
    int greyAbove = 0;
    for (int y = place.top() - 1; y >= place.top() - 4; --y)
        greyAbove += QColor(image.pixel(place.center().x(), y)) == QColor(128, 128, 128);
    EXPECT_EQ(greyToTheLeft, 1);
    EXPECT_EQ(greyToTheRight, 1);
    EXPECT_EQ(greyAbove, 1);
    EXPECT_NE(QColor(image.pixel(place.center())), QColor(128, 128, 128)) << "the frame is empty inside";
}

INSTANTIATE_TEST_SUITE_P(Face, ArtFaceLabelFrameTest,
    ::testing::Values(LabelPlace { "Низкий Бета", QRect(35, 116, 82, 16) },
        LabelPlace { "Высокий Альфа", QRect(24, 146, 107, 16) },
        LabelPlace { "Низкий Альфа", QRect(29, 178, 96, 16) },
        LabelPlace { "Тета", QRect(57, 210, 32, 16) },
        LabelPlace { "Дельта", QRect(49, 242, 56, 16) },
        LabelPlace { "Шрифт", QRect(325, 107, 46, 16) },
        LabelPlace { "Сброс по умолчанию", QRect(391, 107, 139, 16) },
        LabelPlace { "Справка", QRect(315, 340, 72, 19) },
        LabelPlace { "Книга", QRect(405, 340, 52, 19) },
        LabelPlace { "Старт", QRect(481, 340, 47, 19) }));

// Heading ink is the dark blue, blended into the light field at the letters' edges:
// clearly bluer than red. Nothing else on the face is.
bool isHeadingInk(QRgb pixel)
{
    return qBlue(pixel) - qRed(pixel) > 30;
}

struct HeadingBox {
    const char* text;
    QRect box;  // inclusive corners
};

void PrintTo(const HeadingBox& h, std::ostream* os) { *os << h.text; }

class ArtFaceHeadingTest : public ::testing::TestWithParam<HeadingBox> { };

TEST_P(ArtFaceHeadingTest, IsLetteredInsideItsBox)
{
    const QImage image = face();
    const QRect box = GetParam().box;
    int inkInside = 0;
    int solidInside = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            inkInside += isHeadingInk(image.pixel(x, y));
            solidInside += QColor(image.pixel(x, y)) == QColor(0, 64, 128);
        }
    }
    // Readable lettering covers a good part of the box, much of it in the full colour.
    EXPECT_GT(inkInside, box.width() * box.height() / 8);
    EXPECT_GT(solidInside, box.width() * box.height() / 20);

    const QRect ring = box.adjusted(-3, -3, 3, 3);
    int inkOutside = 0;
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        for (int x = ring.left(); x <= ring.right(); ++x) {
            if (!box.contains(x, y))
                inkOutside += isHeadingInk(image.pixel(x, y));
        }
    }
    EXPECT_EQ(inkOutside, 0) << "lettering spills out of its box";
}

QRect corners(int x1, int x2, int y1, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

INSTANTIATE_TEST_SUITE_P(Face, ArtFaceHeadingTest,
    ::testing::Values(HeadingBox { "Параметры визуализации текста", corners(311, 526, 38, 50) },
        HeadingBox { "Ритмы активности / головного мозга:", corners(14, 132, 83, 106) },
        HeadingBox { "В конце сеанса:", corners(154, 257, 84, 95) },
        HeadingBox { "Осталось мин:", corners(174, 266, 148, 157) },
        HeadingBox { "Уст. длительности", corners(164, 282, 188, 199) },
        HeadingBox { "Цвет фона:", corners(311, 384, 73, 85) },
        HeadingBox { "Частота смены кадров (мс)", corners(306, 481, 209, 221) },
        HeadingBox { "Выбор текста:", corners(370, 461, 238, 250) },
        HeadingBox { "Непрозрачность (%)", corners(14, 142, 272, 284) }));

TEST(ArtFacePicture, TwoLineHeadingHasTwoRowsOfLetters)
{
    const QImage image = face();
    // Count the rows of the rhythm heading's box that carry no ink between two
    // that do: two lines leave a gap between them.
    std::vector<bool> inked;
    for (int y = 83; y <= 106; ++y) {
        bool any = false;
        for (int x = 14; x <= 132; ++x)
            any = any || isHeadingInk(image.pixel(x, y));
        inked.push_back(any);
    }
    const auto first = std::find(inked.begin(), inked.end(), true);
    const auto last = std::find(inked.rbegin(), inked.rend(), true).base();
    ASSERT_TRUE(first < last);
    EXPECT_NE(std::find(first, last, false), last) << "no gap between the two lines";
}

}  // namespace
