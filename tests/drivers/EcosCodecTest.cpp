#include "drivers/ecos/EcosCodec.h"

#include <gtest/gtest.h>

#include <random>

using namespace Ecos;

TEST(EcosCodec, CommandsAreBuiltExactly)
{
    const struct {
        QString built;
        const char* text;
    } rows[] = {
        {requestView(1), "request(1, view)"},
        {requestControl(QStringLiteral("1002")), "request(1002, control, force)"},
        {requestControl(20001), "request(20001, control, force)"},
        {releaseView(26), "release(26, view)"},
        {releaseControl(QStringLiteral("20001")), "release(20001, control)"},
        {getInfo(), "get(1, info)"},
        {setGo(), "set(1, go)"},
        {setStop(), "set(1, stop)"},
        {queryLocos(), "queryObjects(10, addr, name)"},
        {queryLocoProtocols(), "queryObjects(10, protocol)"},
        {queryAccessoryAddresses(), "queryObjects(11, addr)"},
        {queryAccessoryNames(), "queryObjects(11, name1)"},
        {queryFeedbackModules(), "queryObjects(26,ports)"},
        {setModulePorts(100), "set(100, ports[16])"},
        {setSpeed(QStringLiteral("1002"), 12), "set(1002, speed[12])"},
        {setDirection(QStringLiteral("1002"), 1), "set(1002 , dir[1])"},
        {setFunction(QStringLiteral("1002"), 3, 1), "set(1002, func[3, 1])"},
        {setState(QStringLiteral("20001"), 0), "set(20001, state[0])"},
        {getAttribute(QStringLiteral("1002"), QStringLiteral("locodesc")), "get(1002, locodesc)"},
        {getFuncSymbol(QStringLiteral("1002"), 16), "get(1002, funcsymbol[16])"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.built, QString::fromLatin1(row.text));
        // ... and the simulator reads back what the driver sends.
        const std::optional<Command> parsed = parseCommand(row.built);
        ASSERT_TRUE(parsed.has_value()) << row.text;
        EXPECT_TRUE(row.built.startsWith(parsed->verb + u'(' + QString::number(parsed->id))) << row.text;
    }
    EXPECT_EQ(encodeCommand(setGo()), QByteArray("set(1, go)\n"));
}

TEST(EcosCodec, ParsesCommands)
{
    const struct {
        const char* text;
        std::optional<Command> expected;
    } rows[] = {
        {"set(1002, func[3, 1])", Command{"set", 1002, {"func[3, 1]"}}},
        {"  set(1002 , dir[1]) ", Command{"set", 1002, {"dir[1]"}}},
        {"queryObjects(26,ports)", Command{"queryObjects", 26, {"ports"}}},
        {"set(1002, name[\"a, b]\"])", Command{"set", 1002, {"name[\"a, b]\"]"}}},
        {"get(1)", Command{"get", 1, {}}},
        {"get(x, info)", std::nullopt},
        {"get(1, info", std::nullopt},
        {"(1, info)", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseCommand(QString::fromLatin1(row.text)), row.expected) << row.text;
    }
}

TEST(EcosCodec, ObjectLinesAndValues)
{
    const auto line = parseObjectLine(u"1002 name[\"Br [55]\"] addr[55] protocol[DCC28]");
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->id, "1002");
    EXPECT_EQ(line->idNumber, 1002);
    EXPECT_EQ(line->value(u"name"), QString("\"Br [55]\""));
    EXPECT_EQ(unquote(*line->value(u"name")), "Br [55]");
    EXPECT_EQ(line->value(u"addr"), QString("55"));
    EXPECT_EQ(line->value(u"protocol"), QString("DCC28"));
    EXPECT_EQ(line->value(u"speed"), std::nullopt);

    const auto func = parseObjectLine(u"1002 func[3, 1]");
    ASSERT_TRUE(func.has_value());
    EXPECT_EQ(func->attributes, (std::vector<std::pair<QString, QString>>{{"func", "3, 1"}}));
    const auto product = parseObjectLine(u"1 ECoS2");
    ASSERT_TRUE(product.has_value());
    EXPECT_EQ(product->attributes.front().first, "ECoS2");

    for (const char16_t* bad : {u"", u"<END 0 (OK)>", u"abc addr[1]", u"12x addr[1]"}) {
        EXPECT_FALSE(parseObjectLine(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(EcosCodec, HexBracketAndNumbers)
{
    const struct {
        const char16_t* text;
        quint32 value;
    } hex[] = {{u"0x4", 4}, {u"0xC001", 49153}, {u"0x8001", 0x8001}, {u"0xffff", 0xFFFF}, {u"0", 0}, {u"", 0}, {u"0xZ1", 1}};
    for (const auto& row : hex) {
        EXPECT_EQ(hexValue(row.text), row.value) << QString::fromUtf16(row.text).toStdString();
    }
    EXPECT_EQ(bracketContent(u"100 state[0x4]"), "0x4");
    EXPECT_EQ(bracketContent(u"1 status[GO] x[1]"), "GO");
    EXPECT_EQ(bracketContent(u"no bracket"), "");
    EXPECT_EQ(bracketContent(u"open[ only"), "");
    EXPECT_EQ(number(u"42"), 42);
    EXPECT_EQ(number(u"-3"), -3);
    EXPECT_EQ(number(u" 4"), std::nullopt);
    EXPECT_EQ(number(u"4a"), std::nullopt);
    EXPECT_EQ(number(u""), std::nullopt);
}

TEST(EcosCodec, BlocksBothWays)
{
    Block reply;
    reply.head = QStringLiteral("get(1, info)");
    reply.lines = QStringList{"1 ECoS2", "1 ProtocolVersion[0.5]"};
    Block event;
    event.kind = Block::Kind::Event;
    event.head = QStringLiteral("100");
    event.lines = QStringList{"100 state[0x4]"};
    Block failed;
    failed.head = QStringLiteral("request(1002, control)");
    failed.status = 25;
    failed.statusText = QStringLiteral("NERROR_NOCONTROL");

    const struct {
        Block block;
        QByteArray bytes;
        QString log;
    } rows[] = {
        {reply, "<REPLY get(1, info)>\r\n1 ECoS2\r\n1 ProtocolVersion[0.5]\r\n<END 0 (OK)>\r\n",
         "REPLY get(1, info): 1 ECoS2 | 1 ProtocolVersion[0.5] [0 OK]"},
        {event, "<EVENT 100>\r\n100 state[0x4]\r\n<END 0 (OK)>\r\n", "EVENT 100: 100 state[0x4] [0 OK]"},
        {failed, "<REPLY request(1002, control)>\r\n<END 25 (NERROR_NOCONTROL)>\r\n",
         "REPLY request(1002, control) [25 NERROR_NOCONTROL]"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.block.encode(), row.bytes);
        LineFramer framer;
        const std::optional<Block> back = parseBlock(framer.push(row.bytes));
        ASSERT_TRUE(back.has_value()) << row.bytes.constData();
        EXPECT_EQ(*back, row.block);
        EXPECT_EQ(toString(*back), row.log);
    }
    EXPECT_FALSE(parseBlock({"<REPLY x>"}).has_value());
    EXPECT_FALSE(parseBlock({"1 a", "<END 0 (OK)>"}).has_value());
    EXPECT_FALSE(parseBlock({"<REPLY x>", "1 a"}).has_value());
    EXPECT_EQ(parseEnd(u"<END 0 (OK)>"), (EndLine{0, "OK"}));
    EXPECT_EQ(parseEnd(u"<END 11 (NERROR_UNKNOWNID)>"), (EndLine{11, "NERROR_UNKNOWNID"}));
    EXPECT_EQ(parseEnd(u"<ENDX>"), std::nullopt);
    EXPECT_EQ(toString(QStringLiteral("set(1, go)"), true), ">> set(1, go)");
}

// Any split of the stream into chunks gives the same lines: mid-line, between CR and LF.
TEST(EcosCodec, FramerReassemblesAnySplit)
{
    const QByteArray stream = "<EVENT 100>\r\n100 state[0x4]\r\n<END 0 (OK)>\r\n\r\n1002 name[\"Gr\xf6\xdf\x65\"]\nlast";
    const QStringList whole = {"<EVENT 100>", "100 state[0x4]", "<END 0 (OK)>", "", QString::fromUtf8("1002 name[\"Größe\"]")};
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        LineFramer framer;
        QStringList lines;
        qsizetype pos = 0;
        while (pos < stream.size()) {
            const qsizetype n = std::min<qsizetype>(1 + random() % 7, stream.size() - pos);
            lines += framer.push(QByteArrayView(stream).sliced(pos, n));
            pos += n;
        }
        ASSERT_EQ(lines, whole) << "round " << round;
        EXPECT_EQ(framer.pendingBytes(), 4) << "the unfinished last line waits";
    }
    LineFramer framer;
    EXPECT_EQ(framer.push("a\r"), QStringList());
    EXPECT_EQ(framer.push("\nb\r\n"), QStringList({"a", "b"}));
    framer.push("tail");
    framer.reset();
    EXPECT_EQ(framer.push("x\n"), QStringList({"x"}));
}
