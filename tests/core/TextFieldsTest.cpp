#include "core/TextFields.h"

#include <gtest/gtest.h>

TEST(TextFields, ZeroPadWritesAtLeastTheWidthAndNeverASignInsideTheDigits)
{
    struct Row {
        QString got;
        const char* expected;
    };
    const Row rows[] = {
        {ZeroPad2(0), "00"},     {ZeroPad2(7), "07"},       {ZeroPad2(123), "123"},  {ZeroPad3(0), "000"},
        {ZeroPad3(42), "042"},   {ZeroPad3(1234), "1234"},  {ZeroPad4(5), "0005"},   {ZeroPad5(15471), "15471"},
        {ZeroPad5(7), "00007"},  {ZeroPad5(123456), "123456"}, {ZeroPad3(-5), "000"}, {ZeroPad2(-99), "00"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.got, QString::fromLatin1(row.expected));
    }
}

TEST(TextFields, FixedFieldsAreClampedToTheirWidth)
{
    EXPECT_EQ(ClampToField(1234, 3), 999);
    EXPECT_EQ(ClampToField(-1, 3), 0);
    EXPECT_EQ(ClampToField(65535, 5), 65535);
    EXPECT_EQ(FixedField(100000, 5), QStringLiteral("99999"));
    EXPECT_EQ(FixedField(-5, 3), QStringLiteral("000"));
    EXPECT_EQ(FixedField(7, 4), QStringLiteral("0007"));
}

TEST(TextFields, ColumnsAreOneBasedInclusiveAndClamp)
{
    const QString line = QStringLiteral("Anzahl elemente : 042");
    EXPECT_EQ(Columns(line, 19, 21), QStringLiteral("042"));
    EXPECT_EQ(Columns(line, 1, 6), QStringLiteral("Anzahl"));
    EXPECT_EQ(Columns(line, 20, 30), QStringLiteral("42"));
    EXPECT_EQ(Columns(line, 0, 2), QStringLiteral("An"));
    EXPECT_EQ(Columns(line, 40, 50), QString());
    EXPECT_EQ(Columns(line, 5, 4), QString());
    EXPECT_EQ(Columns(QString(), 1, 3), QString());
    EXPECT_EQ(ColumnsFrom(line, 19), QStringLiteral("042"));
}

TEST(TextFields, ParseIntIsStrict)
{
    struct Row {
        const char* text;
        std::optional<int> expected;
    };
    const Row rows[] = {
        {"042", 42},  {" 7 ", 7},     {"-15", -15},   {"+3", 3},          {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1}, {"", std::nullopt}, {"  ", std::nullopt}, {"-", std::nullopt},
        {"12a", std::nullopt}, {"1 2", std::nullopt}, {"0x10", std::nullopt}, {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt}, {"٣", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseInt(QString::fromUtf8(row.text)), row.expected) << row.text;
    }
}
