#include "core/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void touch(const QString& path, const QByteArray& content = {})
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}
} // namespace

TEST(SerialPorts, MappedPortsWinThenSystemDevicesInOrder)
{
    QTemporaryDir root;
    const QString program = root.path() + "/";
    QDir().mkpath(root.filePath("data/ports"));
    QDir().mkpath(root.filePath("dev"));
    for (const char* name : {"ttyS0", "ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "ttyACM0"}) {
        touch(root.filePath(QStringLiteral("dev/") + name));
    }
    const QString dev = root.filePath("dev");
    EXPECT_EQ(SystemSerialDevices(dev), QStringList({dev + "/ttyACM0", dev + "/ttyACM1", dev + "/ttyUSB0",
                                                     dev + "/ttyS0", dev + "/ttyS2", dev + "/ttyS10"}));
    touch(root.filePath("data/ports/COM2"), "/dev/pts/7\n");
    QFile::link("/dev/pts/9", root.filePath("data/ports/COM3"));

    EXPECT_EQ(ResolveComPort(program, 1, dev), dev + "/ttyACM0");
    EXPECT_EQ(ResolveComPort(program, 2, dev), "/dev/pts/7");
    EXPECT_EQ(ResolveComPort(program, 3, dev), "/dev/pts/9");
    EXPECT_EQ(ResolveComPort(program, 6, dev), dev + "/ttyS10");
    EXPECT_EQ(ResolveComPort(program, 7, dev), QString());
    EXPECT_EQ(ResolveComPort(program, 0, dev), QString());
}
