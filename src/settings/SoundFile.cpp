#include "settings/SoundFile.h"

#include "core/LineFile.h"
#include "core/TextFields.h"
#include "settings/ProjectSettingsFile.h"

namespace {
const QString kModeLibrary = QStringLiteral("Ausgabe mit BASS");
const QString kModeFallback = QStringLiteral("Ausgabe mit MMSystem");
const QString kNameLabel = QStringLiteral("ID      ");
const QString kVolumeLabel = QStringLiteral("Volume  ");
const QString kBalanceLabel = QStringLiteral("Balance ");
const QString kActive = QStringLiteral("AKTIV");
const QString kNotActive = QStringLiteral("NOT AKTIV");
constexpr int kValueColumn = 9;
constexpr int kLineCount = 2 + 5 * kSoundBoxCount;

QString BoxHeader(int box)
{
    return QStringLiteral("*** BOX ") + QString::number(box) + QStringLiteral("*********************");
}

QString OneLine(QString text)
{
    return text.replace(u'\r', u' ').replace(u'\n', u' ');
}
} // namespace

QString SoundFilePath(const QString& programFolder, const QString& projectName)
{
    return ProjectFolder(programFolder, projectName) + projectName + QStringLiteral(".sou");
}

QStringList SoundFileLines(const SoundBoxes& boxes, SoundMode mode, const QString& projectName,
                           const QString& dateText)
{
    LineWriter w;
    w << QStringLiteral("Sounddatei ") + projectName + QStringLiteral(" erstellt ") + dateText;
    w << (mode == SoundMode::Library ? kModeLibrary : kModeFallback);
    for (int i = 0; i < kSoundBoxCount; ++i) {
        const SoundBox& box = boxes[i];
        w << BoxHeader(i);
        w << kNameLabel + OneLine(box.Name);
        w << kVolumeLabel + QString::number(VolumeRange(mode).clamp(box.Volume));
        w << kBalanceLabel + QString::number(BalanceRange(mode).clamp(box.Balance));
        w << (box.Active ? kActive : kNotActive);
    }
    return w.lines();
}

SoundFileReadResult ReadSoundFile(const QStringList& lines, SoundMode& mode, SoundBoxes& boxes)
{
    SoundFileReadResult result;
    if (lines.size() < kLineCount) {
        result.error = QStringLiteral("Unerwartetes Dateiende nach Zeile %1").arg(lines.size());
        return result;
    }
    LineReader r(lines);
    result.firstLine = r.next();
    const SoundMode readMode = r.next() == kModeLibrary ? SoundMode::Library : SoundMode::Fallback;
    SoundBoxes read = boxes;
    for (SoundBox& box : read) {
        r.next(); // the box's asterisk line
        box.Name = ColumnsFrom(r.next(), kValueColumn);
        box.Volume = VolumeRange(readMode).clamp(r.number(ColumnsFrom(r.next(), kValueColumn), QStringLiteral("Volume")));
        box.Balance = BalanceRange(readMode).clamp(r.number(ColumnsFrom(r.next(), kValueColumn), QStringLiteral("Balance")));
        box.Active = r.next() == kActive;
    }
    result.ok = r.ok();
    result.error = r.errorText();
    if (result.ok) {
        mode = readMode;
        boxes = read;
    }
    return result;
}
