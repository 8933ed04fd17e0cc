// Serial ports by their stored names "COM1".."COM9". "COMn" is `data/ports/COMn` in the program
// folder when that exists (a link to a device, or a file naming one, as tests use with a pty);
// otherwise the n-th serial device of the system, ttyACM* before ttyUSB* before ttyS*.
#pragma once

#include <QString>
#include <QStringList>

// The device for COMn; empty when there is none. `devFolder` is "/dev" outside tests.
QString ResolveComPort(const QString& programFolder, int n, const QString& devFolder = QStringLiteral("/dev"));
// The system's serial devices in the order above.
QStringList SystemSerialDevices(const QString& devFolder = QStringLiteral("/dev"));
