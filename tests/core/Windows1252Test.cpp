#include "core/Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteRoundTripsAndTheHighRangeHasItsCharacters)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = FromWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToWindows1252(text), all);

    struct Row {
        quint8 byte;
        char16_t ch;
    };
    const Row rows[] = {
        {0x80, u'€'}, {0x81, 0x0081}, {0x84, u'„'}, {0x8A, u'Š'}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
        {0x93, u'“'}, {0x96, u'–'}, {0x99, u'™'}, {0x9D, 0x009D}, {0x9F, u'Ÿ'}, {0xC4, u'Ä'}, {0xDF, u'ß'},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Windows1252ToUnicode(row.byte), row.ch) << int(row.byte);
        EXPECT_EQ(static_cast<quint8>(Windows1252FromUnicode(row.ch)), row.byte) << int(row.byte);
    }
}

TEST(Windows1252, UnencodableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(ToWindows1252(u"Gleis Ω→ 1"), QByteArray("Gleis ?? 1"));
    // C1 controls without a byte of their own in the code page (0x80 is the euro sign).
    EXPECT_EQ(ToWindows1252(QString(QChar(0x0080))), QByteArray("?"));
    EXPECT_EQ(ToWindows1252(u"Größe"), QByteArray("Gr\xF6\xDF" "e"));
}
