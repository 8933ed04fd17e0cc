#include "vehicles/LogBuch.h"

#include "core/Programm.h"
#include "settings/ProjectSettingsFile.h"

namespace {
const QString kGeometrieSuffix = QStringLiteral("_LogBuchFenster");
constexpr TColor clHighlight = 0xFF00000D;
} // namespace

TLogBuch::TLogBuch(Programm& programm) : programm_(programm)
{
    leeren();
}

void TLogBuch::receive(const CoreMessage&) {}

void TLogBuch::leeren()
{
    zeilen_.clear();
    Q_EMIT geleert();
    LogBuchAdd(programm_.clock.timeText(), ArtNormal);
}

void TLogBuch::LogBuchAdd(const QString& text, int kind)
{
    if (static_cast<int>(zeilen_.size()) > MaxZeilen) {
        zeilen_.clear();
        Q_EMIT geleert();
    }
    if (kind < 0 || kind > 5) {
        kind = ArtNormal;
    }
    zeilen_.push_back({text, kind});
    Q_EMIT zeileHinzugefuegt(zeilen_.back());
}

void TLogBuch::Loesschen() { leeren(); }

void TLogBuch::Zeigen()
{
    sichtbar_ = true;
    Q_EMIT sichtbarGeaendert(true);
}

void TLogBuch::Verbergen()
{
    sichtbar_ = false;
    Q_EMIT sichtbarGeaendert(false);
}

TColor TLogBuch::Farbe(int kind)
{
    switch (kind) {
    case 1: return clRed;
    case 2: return clGreen;
    case 3: return clMaroon;
    case 4: return clTeal;
    case 5: return clHighlight;
    default: return clBlack;
    }
}

bool TLogBuch::Fett(int kind) { return kind >= 2 && kind <= 5; }

void TLogBuch::FensterGeaendert(const QRect& geometry)
{
    programm_.settings.LogbookWindowGeometry = WindowGeometryText(geometry, kGeometrieSuffix);
}

QRect TLogBuch::FensterGeometrie() const
{
    if (const auto rect = WindowGeometryRect(programm_.settings.LogbookWindowGeometry)) {
        return *rect;
    }
    return *WindowGeometryRect(QStringLiteral("0327027002700400") + kGeometrieSuffix);
}
