#include "vehicles/FahrzeugDaten.h"

#include "core/FileSave.h"
#include "core/TreeRecord.h"

#include <algorithm>

FahrzeugDaten::FahrzeugDaten()
{
    for (int i = 0; i < 3; ++i) {
        Abfahrt[i].Name = QStringLiteral("Abfahrt FunctionName ") + QString::number(i + 1);
        Ziel[i].Name = QStringLiteral("Ziel FunctionName ") + QString::number(i + 1);
    }
}

QByteArray EncodeFahrzeugDaten(const FahrzeugDaten& d)
{
    RecordWriter w;
    w.writeText(d.Info);
    for (const qint32 v : {d.Address, d.DataFormat, d.FollowAddress1, d.FollowAddress2, d.FollowAddress3}) {
        w.writeInt32(v);
    }
    w.writeText(d.ArticleType);
    w.writeWideText(d.Name);
    w.writeInt32(d.VehicleId);
    w.writeInt32(d.SequenceNumber);
    w.writeText(d.PictureFile);
    w.writeText(d.LargePictureFile);
    w.writeInt32(d.ReservedInt);
    // The list's top entry 128 does not fit the stored range: it is kept as 127.
    w.writeInt32(std::clamp<qint32>(d.MaxSpeed, 0, 127));
    w.writeByte(d.InCabinet);
    w.writeByte(d.Sold);
    for (const QString* t : {&d.DecoderName, &d.DecoderInfo, &d.DecoderInfoFile1, &d.DecoderInfoFile2, &d.StartSound,
                             &d.DestinationSound, &d.ReservedText2, &d.FunctionFlags1to8, &d.FunctionNames1to8,
                             &d.FunctionIcons1to8}) {
        w.writeText(*t);
    }
    for (const qint32 v : d.ReservedInts3) {
        w.writeInt32(v);
    }
    for (const auto* list : {&d.Abfahrt, &d.Ziel}) {
        for (const FahrzeugFunktion& f : *list) {
            w.writeText(f.Name);
            w.writeInt32(f.Nummer);
            w.writeText(f.Zustand);
        }
    }
    for (const QString* t : {&d.HomepagePage, &d.LinkMobadaten, &d.LinkSpurN, &d.Link1zu160}) {
        w.writeText(*t);
    }
    w.writeByte(d.HtmlPriority);
    w.writeText(d.Manufacturer);
    w.writeInt32(d.ImageWidth);
    w.writeInt32(d.ImageHeight);
    w.writeText(d.HtmlInfo);
    w.writeInt32(d.Price);
    w.writeText(u'#' + d.TrainKind);
    w.writeInt32(d.Epoch);
    w.writeByte(d.BoxIncluded);
    for (const QString* t : {&d.VehicleInfoFile, &d.ReservedText1, &d.ReservedText3, &d.FunctionFlags9to16,
                             &d.FunctionNames9to16, &d.FunctionIcons9to16}) {
        w.writeText(*t);
    }
    w.writeByte(d.Functions9to16Active);
    w.writeByte(d.ForSale);
    w.writeByte(d.LinkedToCommandStation);
    w.writeInt32(d.SalePrice);
    for (const qint32 v : d.ReservedInts2) {
        w.writeInt32(v);
    }
    w.writeInt32(d.SpeedSteps);
    for (const qint32 v : d.ReservedInts5) {
        w.writeInt32(v);
    }
    for (const QString* t : {&d.DisplayName, &d.CommandStationId, &d.PicturesName, &d.TrainSort, &d.MeasurementList,
                             &d.ReservedText4}) {
        w.writeText(*t);
    }
    return w.ok() ? w.bytes() : QByteArray();
}

FahrzeugDatenGelesen DecodeFahrzeugDaten(QByteArrayView bytes)
{
    FahrzeugDatenGelesen result;
    FahrzeugDaten& d = result.daten;
    RecordReader r(bytes);
    d.Info = r.readText();
    for (qint32* v : {&d.Address, &d.DataFormat, &d.FollowAddress1, &d.FollowAddress2, &d.FollowAddress3}) {
        *v = r.readInt32();
    }
    d.ArticleType = r.readText();
    d.Name = r.readWideText();
    d.VehicleId = r.readInt32();
    d.SequenceNumber = r.readInt32();
    d.PictureFile = FileNameOfStoredPath(r.readText());
    d.LargePictureFile = r.readText();
    d.ReservedInt = r.readInt32();
    d.MaxSpeed = r.readInt32();
    if (d.MaxSpeed == 0) {
        d.MaxSpeed = 100;
    }
    d.InCabinet = r.readByte();
    d.Sold = r.readByte();
    for (QString* t : {&d.DecoderName, &d.DecoderInfo, &d.DecoderInfoFile1, &d.DecoderInfoFile2, &d.StartSound,
                       &d.DestinationSound, &d.ReservedText2, &d.FunctionFlags1to8, &d.FunctionNames1to8,
                       &d.FunctionIcons1to8}) {
        *t = r.readText();
    }
    for (qint32& v : d.ReservedInts3) {
        v = r.readInt32();
    }
    for (auto* list : {&d.Abfahrt, &d.Ziel}) {
        for (FahrzeugFunktion& f : *list) {
            f.Name = r.readText();
            f.Nummer = r.readInt32();
            f.Zustand = r.readText();
        }
    }
    for (QString* t : {&d.HomepagePage, &d.LinkMobadaten, &d.LinkSpurN, &d.Link1zu160}) {
        *t = r.readText();
    }
    d.HtmlPriority = r.readByte();
    d.Manufacturer = r.readText();
    d.ImageWidth = r.readInt32();
    d.ImageHeight = r.readInt32();
    d.HtmlInfo = r.readText();
    d.Price = r.readInt32();
    d.TrainKind = r.readText();
    result.vorherigesFormat = !d.TrainKind.startsWith(u'#');
    if (!result.vorherigesFormat) {
        d.TrainKind.remove(0, 1);
    }
    d.Epoch = r.readInt32();
    d.BoxIncluded = r.readByte();
    for (QString* t : {&d.VehicleInfoFile, &d.ReservedText1, &d.ReservedText3, &d.FunctionFlags9to16,
                       &d.FunctionNames9to16, &d.FunctionIcons9to16}) {
        *t = r.readText();
    }
    d.Functions9to16Active = r.readByte();
    d.ForSale = r.readByte();
    r.readByte(); // LinkedToCommandStation: set again only by linking in this run
    d.LinkedToCommandStation = 0;
    d.SalePrice = r.readInt32();
    for (qint32& v : d.ReservedInts2) {
        v = r.readInt32();
    }
    d.SpeedSteps = r.readInt32();
    for (qint32& v : d.ReservedInts5) {
        v = r.readInt32();
    }
    if (result.vorherigesFormat) {
        d.DisplayName = d.Name;
    } else {
        for (QString* t : {&d.DisplayName, &d.CommandStationId, &d.PicturesName, &d.TrainSort, &d.MeasurementList,
                           &d.ReservedText4}) {
            *t = r.readText();
        }
    }
    if (d.TrainSort.isEmpty()) {
        d.TrainSort = QStringLiteral("Dampflok");
    }
    result.ok = r.ok();
    return result;
}

namespace FahrzeugListen {
const QStringList& ArtikelTypen()
{
    static const QStringList list = {QStringLiteral("Lok"),           QStringLiteral("Wagen"),
                                     QStringLiteral("Elektronik"),    QStringLiteral("Digital"),
                                     QStringLiteral("Zubehör"),       QStringLiteral("Gleismaterial"),
                                     QStringLiteral("Signale")};
    return list;
}

const QStringList& DatenFormate()
{
    static const QStringList list = {QStringLiteral("DCC"), QStringLiteral("MOTOROLA"), QStringLiteral("MFX"),
                                     QStringLiteral("CX1")};
    return list;
}

const QStringList& ZugArten()
{
    static const QStringList list = {QStringLiteral("Nicht festgelegt"), QStringLiteral("PersonenZug"),
                                     QStringLiteral("GuterZug")};
    return list;
}

const QStringList& ZugSorten()
{
    static const QStringList list = {QStringLiteral("Dampflok"), QStringLiteral("Diesellok"), QStringLiteral("E-Lok")};
    return list;
}

const QStringList& HomepageSeiten()
{
    static const QStringList list = {
        QStringLiteral("Dampf-Loks"),    QStringLiteral("Diesel_Loks"),     QStringLiteral("E-Loks"),
        QStringLiteral("Güterwagen"),    QStringLiteral("Personenwagen"),   QStringLiteral("Kesselwagen"),
        QStringLiteral("Special"),       QStringLiteral("K.Bay.St.B"),      QStringLiteral("Bierwagen"),
        QStringLiteral("Minitrixclub"),  QStringLiteral("Spielwarenmesse"), QStringLiteral("Sammlungsstücke"),
        QStringLiteral("Suche")};
    return list;
}

const QStringList& FunktionsNamen()
{
    static const QStringList list = QStringLiteral(
        "Dampf|Triebwerksbeleuchtung|Kupplung|Gerausch|Stirnbeleuchtung|Pfeife kurz|Pfeife lang|Brems -Anfahrt|"
        "Bahnhof Durchsage|Zug Durchsage|Vakuumpumpe|Horn|Schaffnerpfiff|Lufter|Innenbeleuchtung|Innenbeleuchtung 2|"
        "Pressluft|Motor|Rauch|Türen schließen|Türen offnen|Führerstadsbeleuchtung|Feuerbuchse|Kohle schaufeln|"
        "Hilfsdiesel|Schuttelrost|Licht Vorn|Licht Hinten|Betriebsgerausch|Betriebsgerausch 2|Blinklicht|"
        "Bremmsenquitschen|Fernlicht|Führerstadsbeleuchtung vorn|Führerstadsbeleuchtung hinten|Generator|"
        "Mechanisches Gerausch|Pantograf|Pantograf vorn|Pantograf hinten|Pumpe|Telexkupplung vorn|"
        "Telexkupplung hinten|Tischlampe Ep I|Tischlampe Ep III|Tischlampe Ep IV|Zuglaufschild|Zylinderausblasen|"
        "Rangiergang|Glocke")
                                          .split(u'|');
    return list;
}

QList<int> MaxSpeedWerte()
{
    QList<int> list;
    for (int v = 5; v <= 125; v += 5) {
        list << v;
    }
    list << 128;
    return list;
}

QList<int> FahrstufenWerte()
{
    return {14, 27, 28, 128};
}

QList<int> FolgeadressenWerte()
{
    QList<int> list;
    for (int v = 200; v <= 255; ++v) {
        list << v;
    }
    return list;
}
} // namespace FahrzeugListen
