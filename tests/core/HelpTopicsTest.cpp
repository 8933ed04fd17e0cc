#include "core/HelpTopics.h"

#include <gtest/gtest.h>

TEST(HelpTopics, TopicsMapToShippedPagesAndUnknownOnesToTheIndex)
{
    const QString program = TRASSOLIN_SOURCE_DIR "/";
    EXPECT_TRUE(HelpPage(program, 1007).endsWith("data/hilfe/1007.html"));
    EXPECT_TRUE(HelpPage(program, ConnectButtonHelpTopic(8)).endsWith("data/hilfe/5004.html"));
    for (int typ = 0; typ <= 9; ++typ) {
        EXPECT_FALSE(HelpPage(program, ConnectButtonHelpTopic(typ)).endsWith("index.html")) << typ;
    }
    EXPECT_TRUE(HelpPage(program, 4711).endsWith("data/hilfe/index.html"));
    EXPECT_TRUE(HelpPage(program, QStringLiteral("../../etc/passwd")).endsWith("data/hilfe/index.html"));
}
