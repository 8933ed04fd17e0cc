// `trassolin-tool probe PROJECTFOLDER`: connects to the project's ECoS-protocol command station
// (type, address and port from `<project>.pro`), runs the driver's registration and reports what
// it read. The project folder is not changed: the driver's list files go to a temporary folder.
// Runs its own event loop; for the tool and its tests only.
#pragma once

#include <QString>
#include <QStringList>

struct EcosProbeResult {
    bool ok = false;      // the registration completed
    QString error;        // why not, when !ok
    QStringList report;   // what was read, one line each
};

// `timeScale` > 1 runs the driver's timers that many times faster (tests); `timeoutMs` bounds
// the registration after the link is up.
EcosProbeResult EcosProbe(const QString& projectFolder, int timeScale = 1, int timeoutMs = 60000);
