#include "core/ColorText.h"
#include "core/FontStyleText.h"

#include <gtest/gtest.h>

TEST(ColorText, NamedColoursAndHexValuesRoundTrip)
{
    struct Row {
        TColor color;
        const char* text;
    };
    const Row rows[] = {
        {clBlack, "clBlack"},         {clRed, "clRed"},         {clYellow, "clYellow"},
        {0x00FF0000, "clBlue"},       {clMoneyGreen, "clMoneyGreen"}, {clMedGray, "clMedGray"},
        {0xFF000000, "clScrollBar"},  {clBtnFace, "clBtnFace"}, {0xFF00001E, "clMenuBar"},
        {clNone, "clNone"},           {clDefault, "clDefault"}, {0x00336699, "$00336699"},
        {0x00000001, "$00000001"},    {0xFF000019, "$FF000019"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ColorToString(row.color), QString::fromLatin1(row.text));
        EXPECT_EQ(StringToColor(QString::fromLatin1(row.text)), row.color) << row.text;
    }
}

TEST(ColorText, ReaderAcceptsAnyLetterCaseDecimalAndRejectsGarbage)
{
    EXPECT_EQ(StringToColor(u"CLRED"), clRed);
    EXPECT_EQ(StringToColor(u" clLime "), clLime);
    EXPECT_EQ(StringToColor(u"$ff"), clRed);
    EXPECT_EQ(StringToColor(u"255"), clRed);
    EXPECT_EQ(StringToColor(u"-16777201"), clBtnFace);
    for (const char16_t* bad : {u"", u"$", u"$123456789", u"$-1", u"$0x12", u"rot", u"clRedd", u"12.5"}) {
        EXPECT_EQ(StringToColor(bad), std::nullopt) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(ColorText, PaintColoursTakeRedFromTheLowByte)
{
    EXPECT_EQ(ToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(FromQColor(QColor(0x99, 0x66, 0x33)), 0x00336699u);
    EXPECT_TRUE(ToQColor(clBtnFace).isValid());
    EXPECT_FALSE(ToQColor(clNone).isValid());
}

TEST(FontStyleText, FourFlagsInOrder)
{
    EXPECT_EQ(FontStyleToString({true, false, false, false}), QStringLiteral("TFFF"));
    EXPECT_EQ(FontStyleToString({false, true, true, true}), QStringLiteral("FTTT"));
    EXPECT_EQ(StringToFontStyle(u"FTFT"), (FontStyle{false, true, false, true}));
    EXPECT_EQ(StringToFontStyle(u"t"), (FontStyle{true, false, false, false}));
    QFont font;
    ApplyFontStyle(font, StringToFontStyle(u"TTFF"));
    EXPECT_EQ(FontStyleToString(FontStyleOf(font)), QStringLiteral("TTFF"));
}
