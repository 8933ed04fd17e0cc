#include "core/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

QStringList SystemSerialDevices(const QString& devFolder)
{
    const QDir dev(devFolder);
    // ttyS2 before ttyS10: by the number after the prefix.
    const auto number = [](const QString& name) {
        qsizetype i = name.size();
        while (i > 0 && name[i - 1].isDigit()) {
            --i;
        }
        return name.mid(i).toInt();
    };
    QStringList devices;
    for (const char* pattern : {"ttyACM*", "ttyUSB*", "ttyS*"}) {
        QStringList names = dev.entryList({QString::fromLatin1(pattern)}, QDir::System | QDir::Files | QDir::Readable);
        std::sort(names.begin(), names.end(), [&number](const QString& a, const QString& b) { return number(a) < number(b); });
        for (const QString& name : names) {
            devices << dev.filePath(name);
        }
    }
    return devices;
}

QString ResolveComPort(const QString& programFolder, int n, const QString& devFolder)
{
    if (n < 1) {
        return {};
    }
    const QString mapped = programFolder + QStringLiteral("data/ports/COM") + QString::number(n);
    const QFileInfo info(mapped);
    if (info.isSymLink()) {
        return info.symLinkTarget();
    }
    if (info.isFile()) {
        QFile file(mapped);
        if (file.open(QIODevice::ReadOnly)) {
            return QString::fromUtf8(file.readLine()).trimmed();
        }
        return {};
    }
    const QStringList devices = SystemSerialDevices(devFolder);
    return n <= devices.size() ? devices[n - 1] : QString();
}
