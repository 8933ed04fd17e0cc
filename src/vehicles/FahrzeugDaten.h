// The record of one node of the vehicle database: every field in the order of the file, with
// the values a new node starts with. Top-level nodes and folders use only the name fields but
// carry the whole record like articles. Reserved fields have no known meaning; they are read and
// written back unchanged. Plain values; any thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

// A function switched at departure or arrival.
struct FahrzeugFunktion {
    QString Name;
    qint32 Nummer = 0;
    QString Zustand = QStringLiteral(".OFF..");
    friend bool operator==(const FahrzeugFunktion&, const FahrzeugFunktion&) = default;
};

struct FahrzeugDaten {
    QString Info;
    qint32 Address = 0;
    qint32 DataFormat = 0; // 0 DCC, 1 MOTOROLA, 2 MFX, 3 CX1
    qint32 FollowAddress1 = 255;
    qint32 FollowAddress2 = 254;
    qint32 FollowAddress3 = 253;
    QString ArticleType;
    QString Name; // stored as wide text: the only field that holds any character
    qint32 VehicleId = 0;
    qint32 SequenceNumber = 0;
    QString PictureFile = QStringLiteral("KeinLokBild");
    QString LargePictureFile;
    qint32 ReservedInt = 1;
    qint32 MaxSpeed = 0; // 5..125 or 128; written at most 127
    quint8 InCabinet = 0;
    quint8 Sold = 0;
    QString DecoderName = QStringLiteral("DekoderName");
    QString DecoderInfo = QStringLiteral("Info");
    QString DecoderInfoFile1 = QStringLiteral("InfoFile1");
    QString DecoderInfoFile2 = QStringLiteral("InfoFile2");
    QString StartSound = QStringLiteral("LokSoundStart");
    QString DestinationSound = QStringLiteral("LokSoundZiel");
    QString ReservedText2 = QStringLiteral("00000000");
    QString FunctionFlags1to8 = QStringLiteral("00000000");
    QString FunctionNames1to8 = QStringLiteral("Func1/Func2/Func3/Func4/Func5/Func6/Func7/Func8");
    QString FunctionIcons1to8 = QString(24, u'0');
    std::array<qint32, 3> ReservedInts3 = {1000, 1000, 2000};
    std::array<FahrzeugFunktion, 3> Abfahrt;
    std::array<FahrzeugFunktion, 3> Ziel;
    QString HomepagePage;
    QString LinkMobadaten;
    QString LinkSpurN;
    QString Link1zu160;
    quint8 HtmlPriority = 0;
    QString Manufacturer;
    qint32 ImageWidth = 150;
    qint32 ImageHeight = 45;
    QString HtmlInfo;
    qint32 Price = 0;
    QString TrainKind = QStringLiteral("Nicht festgelegt");
    qint32 Epoch = 0;
    quint8 BoxIncluded = 0;
    QString VehicleInfoFile;
    QString ReservedText1 = QStringLiteral("000000000000000000");
    QString ReservedText3 = QStringLiteral("00000000");
    QString FunctionFlags9to16 = QStringLiteral("00000000");
    QString FunctionNames9to16 = QStringLiteral("Func9/Func10/Func11/Func12/Func13/Func14/Func15/Func16");
    QString FunctionIcons9to16 = QString(24, u'0');
    quint8 Functions9to16Active = 0;
    quint8 ForSale = 0;
    quint8 LinkedToCommandStation = 0;
    qint32 SalePrice = 0;
    std::array<qint32, 2> ReservedInts2 = {0, 0};
    qint32 SpeedSteps = 14;
    std::array<qint32, 5> ReservedInts5 = {0, 0, 0, 0, 0};
    QString DisplayName;
    QString CommandStationId = QStringLiteral("0000");
    QString PicturesName;
    QString TrainSort = QStringLiteral("Dampflok");
    QString MeasurementList;
    QString ReservedText4;

    FahrzeugDaten();
    bool istLok() const { return ArticleType == QLatin1String("Lok"); }

    friend bool operator==(const FahrzeugDaten&, const FahrzeugDaten&) = default;
};

// The record as the file holds it (current format, "#" before the train kind).
QByteArray EncodeFahrzeugDaten(const FahrzeugDaten& daten);

struct FahrzeugDatenGelesen {
    FahrzeugDaten daten;
    bool ok = false;
    bool vorherigesFormat = false; // no "#" before the train kind: the record ends after item 23
};

// Reads one record and applies the reading rules: `PictureFile` reduced to its file name,
// `MaxSpeed` 0 read as 100, the "#" taken off the train kind, `LinkedToCommandStation` cleared;
// a record of the previous format takes `DisplayName` from `Name`. Fails when a field runs past
// the end of the record.
FahrzeugDatenGelesen DecodeFahrzeugDaten(QByteArrayView bytes);

// Value lists of the window.
namespace FahrzeugListen {
const QStringList& ArtikelTypen();   // "Lok", "Wagen", "Elektronik", ...
const QStringList& DatenFormate();   // "DCC", "MOTOROLA", "MFX", "CX1"
const QStringList& ZugArten();       // "Nicht festgelegt", "PersonenZug", "GuterZug"
const QStringList& ZugSorten();      // "Dampflok", "Diesellok", "E-Lok"
const QStringList& HomepageSeiten(); // the 13 pages of the homepage export
const QStringList& FunktionsNamen(); // the 50 names; entry n-1 belongs to function symbol n
QList<int> MaxSpeedWerte();          // 5, 10, ... 125, 128
QList<int> FahrstufenWerte();        // 14, 27, 28, 128
QList<int> FolgeadressenWerte();     // 200..255
} // namespace FahrzeugListen
