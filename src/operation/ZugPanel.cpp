#include "operation/ZugPanel.h"

#include "operation/ZugPanelBilder.h"
#include "settings/ProjectSettings.h"

#include <algorithm>

QString ZugPanelName(const TZug& zug)
{
    const QString name = zug.ZugName.left(17);
    if (zug.ZugAktiv) {
        return name + QStringLiteral(" (Auto)");
    }
    return name + QStringLiteral(" (") + QString::number(zug.Addr) + u')';
}

QString ZugPanelAdressHinweis(const TZug& zug)
{
    if (zug.Protokoll == 0) {
        return QStringLiteral("DCC ") + QString::number(zug.Addr);
    }
    QString text = QStringLiteral("MOTOROLA \n\rFolgeadresse1 F5-F8 ") + QString::number(zug.Folgeadresse[0]);
    // With the second or third follow-up address set, all three are shown.
    if (zug.Folgeadresse[1] != 0 || zug.Folgeadresse[2] != 0) {
        text += QStringLiteral("\n\r") + QStringLiteral("Folgeadresse2 F9-F12 ") + QString::number(zug.Folgeadresse[1])
                + QStringLiteral("\n\r") + QStringLiteral("Folgeadresse3 F13-F16 ") + QString::number(zug.Folgeadresse[2]);
    }
    return text;
}

QPoint ZugPanelTastenPlatz(int k)
{
    if (k <= 6) {
        return {21 * k + 4, 77};
    }
    if (k <= 12) {
        return {21 * (k - 7) + 25, 99};
    }
    return {21 * (k - 13) + 25, 123};
}

ZugPanelAnsicht ZugPanelAnsehen(const TZug& zug, const ProjectSettings& settings)
{
    ZugPanelAnsicht a;
    a.sichtbar = zug.ZugSichtbar && !zug.ZugGeloescht;
    a.pos = QPoint(zug.PanelLeft, zug.PanelTop);
    a.farbe = zug.ZugInAutomatic ? settings.PanelColorAutomatic : settings.PanelColor;

    a.name = ZugPanelName(zug);
    a.nameMagenta = zug.ZugAktiv;
    a.nameHinweis = ZugPanelAdressHinweis(zug);
    a.ecosId = zug.ECOSID;

    a.richtungBild = zug.ZugRichtung == 1 ? ZugPanelAnsicht::BildRichtung1 : ZugPanelAnsicht::BildRichtung0;
    a.lichtBild = zug.Funktion[0] ? ZugPanelAnsicht::BildLichtAn : ZugPanelAnsicht::BildLichtAus;
    a.automaticBild = zug.ZugInAutomatic ? ZugPanelAnsicht::BildAutomaticAn : ZugPanelAnsicht::BildAutomaticAus;

    a.speedMax = std::max(zug.MaxSpeed, 0);
    a.speedWert = std::clamp(zug.ZugSpeedLetzte, 0, a.speedMax);
    a.speedText = QString::number(zug.ZugSpeed) + QStringLiteral(" ---- ") + QString::number(zug.MaxSpeed);

    const int gezeigt = std::clamp(settings.FunctionKeyCount, 0, 16);
    int k = 0;
    for (int n = 1; n <= 16; ++n) {
        ZugPanelAnsicht::Taste& t = a.tasten[n];
        t.an = zug.Funktion[n];
        t.hinweis = QStringLiteral("F") + QString::number(n) + u' ' + zug.FunktionName[n];
        const int bild = zug.FunktionBild[n] + (t.an ? 1 : 0);
        t.bild = bild >= 0 && bild < FunktionBilderAnzahl ? bild : 0;
        t.sichtbar = zug.FunktionVorhanden[n] && n <= gezeigt;
        if (t.sichtbar) {
            t.pos = ZugPanelTastenPlatz(++k);
        }
    }
    a.tastenGezeigt = k;
    if (k > 12) {
        a.hoehe = ZugPanelAnsicht::HoeheGross;
        a.untenTop = 147;
        a.speedBarTop = 169;
    }
    return a;
}
