// The editor's built-in images: the ruler's digit font and the two extra mouse cursors.
#include "editor/EditorPaintImages.h"

#include "editor/EditorCaret.h"

#include <QBitmap>
#include <QPainter>
#include <array>
#include <map>

namespace brenvik {

namespace {

// Each digit, 9 rows of 5 pixels ('#' set).
constexpr std::array<std::array<const char*, 9>, 10> kDigits = {{
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {".#...", "##...", ".#...", ".#...", ".#...", ".#...", ".#...", ".#...", "###.."},
    {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"},
    {".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", ".#.#.", "#..#.", "#####", "...#.", "...#.", "...#."},
    {"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."},
    {".###.", "#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "...#.", "..#..", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", "#...#", "#...#", ".####", "....#", "....#", ".###."},
}};

// 16 x 16 cursor pictures: '#' black, '.' white, ' ' transparent.
constexpr std::array<const char*, 16> kRightArrow = {
    "          #     ",
    "         ##     ",
    "        #.#     ",
    "       #..#     ",
    "      #...#     ",
    "     #....#     ",
    "    #.....#     ",
    "   #......#     ",
    "  #.......#     ",
    " #####....#     ",
    "     #.#..#     ",
    "    #. #..#     ",
    "    #.  #.#     ",
    "   #.    ##     ",
    "   #      #     ",
    "                ",
};
constexpr std::array<const char*, 16> kDragSelCopy = {
    "#               ",
    "##              ",
    "#.#             ",
    "#..#            ",
    "#...#           ",
    "#....#          ",
    "#.....#         ",
    "#......#        ",
    "#...####        ",
    "#..#  ########  ",
    "#.#   #......#  ",
    "##    #..#...#  ",
    "#     #.###..#  ",
    "      #..#...#  ",
    "      #......#  ",
    "      ########  ",
};

QCursor CursorFromPicture(const std::array<const char*, 16>& picture, int hotX, int hotY)
{
    QImage bits(16, 16, QImage::Format_MonoLSB);
    QImage mask(16, 16, QImage::Format_MonoLSB);
    bits.fill(0);
    mask.fill(0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const char c = picture[static_cast<size_t>(y)][x];
            bits.setPixel(x, y, c == '#' ? 1 : 0);
            mask.setPixel(x, y, c == ' ' ? 0 : 1);
        }
    return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), hotX, hotY);
}

} // namespace

const QImage& TRulerDigits::Sheet()
{
    static const QImage sheet = [] {
        QImage image(56, Height, QImage::Format_MonoLSB);
        image.setColorTable({qRgba(0, 0, 0, 0), qRgba(0, 0, 0, 255)});
        image.fill(0);
        for (int digit = 0; digit < 10; ++digit)
            for (int y = 0; y < Height; ++y)
                for (int x = 0; x < Width(digit); ++x)
                    if (kDigits[static_cast<size_t>(digit)][static_cast<size_t>(y)][x] == '#')
                        image.setPixel(digit * 5 + x, y, 1);
        return image;
    }();
    return sheet;
}

int TRulerDigits::Draw(QPainter& painter, int x, int y, int number, const QColor& color)
{
    // One tinted copy of the sheet per colour in use (a ruler uses one or two).
    static std::map<QRgb, QImage> tinted;
    auto found = tinted.find(color.rgba());
    if (found == tinted.end()) {
        QImage image = Sheet().convertToFormat(QImage::Format_MonoLSB);
        image.setColorTable({qRgba(0, 0, 0, 0), color.rgba()});
        found
            = tinted.emplace(color.rgba(), image.convertToFormat(QImage::Format_ARGB32_Premultiplied)).first;
    }
    const std::string digits = std::to_string(number);
    const int left = x;
    for (const char c : digits) {
        const int digit = c - '0';
        painter.drawImage(QPoint(x, y), found->second, QRect(digit * 5, 0, Width(digit), Height));
        x += Width(digit) + 1;
    }
    return x - left;
}

QCursor EditorCursor(int number)
{
    switch (number) {
    case crRightArrow: {
        static const QCursor cursor = CursorFromPicture(kRightArrow, 10, 0);
        return cursor;
    }
    case crDragSelCopy: {
        static const QCursor cursor = CursorFromPicture(kDragSelCopy, 0, 0);
        return cursor;
    }
    default:
        return QCursor(static_cast<Qt::CursorShape>(std::clamp(number, 0, int(Qt::LastCursor))));
    }
}

} // namespace brenvik
