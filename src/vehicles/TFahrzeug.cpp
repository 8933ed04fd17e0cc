#include "vehicles/TFahrzeug.h"


#include "core/FileSave.h"
#include "core/LineFile.h"
#include "core/Programm.h"
#include "core/TextFields.h"
#include "diagram/TTrassolin.h"
#include "vehicles/LogBuch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
bool imTeilbaum(const FahrzeugKnoten* knoten, const FahrzeugKnoten* wurzel)
{
    for (const FahrzeugKnoten* p = knoten; p; p = p->parent) {
        if (p == wurzel) {
            return true;
        }
    }
    return false;
}

// What a train takes over from its locomotive: a change here needs a restart.
bool relevant(const FahrzeugDaten& a, const FahrzeugDaten& b)
{
    return a.Address != b.Address || a.Name != b.Name || a.ArticleType != b.ArticleType || a.DataFormat != b.DataFormat
        || a.Sold != b.Sold;
}
} // namespace

TFahrzeug::TFahrzeug(Programm& programm) : programm_(programm) {}

void TFahrzeug::receive(const CoreMessage& message)
{
    if (message.id == Msg::WM_LADE_LOKDATENBANK) {
        LoadVehicleDatabase();
    }
}

// ---- file -----------------------------------------------------------------------------------

QString TFahrzeug::ProjektDatenbankPfad() const
{
    return FindFileNoCase(QDir(programm_.projectFolder()).absolutePath(), QStringLiteral("Fahrzeuge20.lda"));
}

QString TFahrzeug::DatenbankPfad() const
{
    return pfad_;
}

FahrzeugBilder::Ordner TFahrzeug::BildOrdner() const
{
    const ProjectSettings& s = programm_.settings;
    return {s.LocoPictureFolder.isEmpty() ? programm_.programFolder + QStringLiteral("Loks") : s.LocoPictureFolder,
            s.WagonPictureFolder.isEmpty() ? programm_.programFolder + QStringLiteral("Wagen") : s.WagonPictureFolder,
            programm_.programFolder + QStringLiteral("data/")};
}

void TFahrzeug::LoadVehicleDatabase()
{
    db_.leeren();
    auswahl_ = nullptr;
    Geladen = false;
    LadeFehler = false;
    Geaendert = false;
    RelevantGeaendert = false;
    const QString alternativ = programm_.settings.AlternativeVehicleDatabase;
    pfad_ = alternativ.isEmpty() ? ProjektDatenbankPfad() : alternativ;
    caption = QStringLiteral("Fahrzeugdatenbank ") + pfad_;
    bool speichern = true;
    if (QFileInfo(pfad_).isFile()) {
        const FahrzeugDatenbank::Gelesen gelesen = db_.lesenDatei(pfad_);
        if (!gelesen.ok()) {
            LadeFehler = true;
            programm_.dialogs.information(QStringLiteral("Fahrzeugdatenbank ") + pfad_ + QStringLiteral(" !!\r")
                                          + gelesen.error);
        }
    } else {
        const QString vorlage = FindFileNoCase(programm_.programFolder + QStringLiteral("data"), QStringLiteral("Default.lda"));
        if (QFileInfo(vorlage).isFile()) {
            const FahrzeugDatenbank::Gelesen gelesen = db_.lesenDatei(vorlage);
            if (!gelesen.ok()) {
                LadeFehler = true;
                programm_.dialogs.information(QStringLiteral("Fahrzeugdatenbank ") + vorlage + QStringLiteral(" !!\r")
                                              + gelesen.error);
            } else {
                programm_.dialogs.information(QStringLiteral("Fahrzeugdatenbank ") + pfad_
                                              + QStringLiteral(" !!\rnicht gefunden\res werden keine Fahrstrassen geladen"));
                programm_.FahrstrassenNichtLaden = true;
            }
        } else {
            // Neither the database nor the default one: an empty database, written on the
            // first save the user asks for.
            speichern = false;
        }
    }
    bilderAufbauen();
    if (!LadeFehler && speichern) {
        SaveVehicleDatabase();
    }
    Geladen = !LadeFehler;
    Q_EMIT changed();
    programm_.bus.broadcast(Msg::WM_LOKDATENBANK_OK, 0, programm_.ZentraleTyp());
}

bool TFahrzeug::speichernNach(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString error = db_.schreibenDatei(path);
    if (!error.isEmpty()) {
        programm_.dialogs.information(QStringLiteral("Fahrzeugdatenbank ") + path
                                      + QStringLiteral(" konnte nicht gespeichert werden\r") + error);
        return false;
    }
    return true;
}

bool TFahrzeug::SaveVehicleDatabase()
{
    if (LadeFehler) {
        programm_.dialogs.information(QStringLiteral("Fahrzeugdatenbank ") + pfad_
                                      + QStringLiteral(" wurde nicht fehlerfrei gelesen\rund wird nicht gespeichert"));
        return false;
    }
    bool ok = speichernNach(ProjektDatenbankPfad());
    const QString alternativ = programm_.settings.AlternativeVehicleDatabase;
    if (!alternativ.isEmpty()) {
        ok = speichernNach(alternativ) && ok;
    }
    if (ok) {
        Geaendert = false;
        Q_EMIT changed();
    }
    return ok;
}

void TFahrzeug::bilderAufbauen()
{
    bilder.aufbauen(db_, BildOrdner(), [this](const QString& text) {
        if (programm_.logbuch) {
            programm_.logbuch->LogBuchAdd(text);
        }
    });
}

void TFahrzeug::markiereGeaendert(bool relevantGeaendert)
{
    Geaendert = true;
    RelevantGeaendert = RelevantGeaendert || relevantGeaendert;
    Q_EMIT changed();
}

QString TFahrzeug::OrdnerBildPfad(const FahrzeugKnoten& ordner) const
{
    return FindFileNoCase(programm_.programFolder + QStringLiteral("data"), ordner.daten.Name + QStringLiteral(".jpg"));
}

QString TFahrzeug::OrdnerAnzahlText(const FahrzeugKnoten& ordner)
{
    return QStringLiteral("Anzahl ") + ordner.daten.Name + QStringLiteral(" : ") + QString::number(ordner.kinder.size());
}

QString TFahrzeug::BildHinweis(const FahrzeugKnoten& artikel) const
{
    const int i = artikel.bildIndex;
    return i >= 0 && i < static_cast<int>(bilder.hinweis.size()) ? bilder.hinweis[i] : QString();
}

// ---- filters --------------------------------------------------------------------------------

void TFahrzeug::setVerkaufteNichtAnzeigen(bool on)
{
    VerkaufteNichtAnzeigen = on;
    Q_EMIT changed();
}

void TFahrzeug::setNurZuVerkaufen(bool on)
{
    NurZuVerkaufen = on;
    Q_EMIT changed();
}

bool TFahrzeug::Sichtbar(const FahrzeugKnoten& knoten) const
{
    if (!knoten.istArtikel()) {
        return true;
    }
    const FahrzeugDaten& d = knoten.daten;
    if (VerkaufteNichtAnzeigen && d.Sold) {
        return false;
    }
    if (NurZuVerkaufen && !(d.ForSale && !d.Sold)) {
        return false;
    }
    return true;
}

TFahrzeug::Summen TFahrzeug::PreisSummen() const
{
    Summen s;
    for (const FahrzeugKnoten* k : db_.artikel()) {
        if (Sichtbar(*k)) {
            (k->daten.istLok() ? s.loks : s.wagen) += k->daten.Price;
        }
    }
    return s;
}

QString TFahrzeug::PreisText() const
{
    const Summen s = PreisSummen();
    return QStringLiteral("Loks  : ") + QString::number(s.loks) + QStringLiteral("\nWagen : ") + QString::number(s.wagen);
}

// ---- editing --------------------------------------------------------------------------------

FahrzeugKnoten* TFahrzeug::NeuerArtikel(FahrzeugKnoten* ordner, const QString& typ)
{
    if (!ordner || ordner->ebene() != 1) {
        programm_.dialogs.information(QStringLiteral("Bitte ein Verzeichnis auswählen. zb. Dampflok, Diesellok,... "));
        return nullptr;
    }
    if (!FahrzeugListen::ArtikelTypen().contains(typ)) {
        programm_.dialogs.information(QStringLiteral("Bitte Lok oder Wagen auswählen !!!"));
        return nullptr;
    }
    FahrzeugDaten d;
    d.ArticleType = typ;
    d.Name = QStringLiteral("Neu") + typ;
    d.DisplayName = d.Name;
    d.TrainSort = QStringLiteral("Dampflok");
    d.VehicleId = db_.naechsteId();
    d.SequenceNumber = db_.naechsteLaufnummer();
    d.Info = QStringLiteral("Text") + QString::number(ordner->kinder.size());
    FahrzeugKnoten* knoten = db_.einfuegen(ordner, std::move(d));
    bilderAufbauen();
    markiereGeaendert(knoten->daten.istLok());
    if (knoten->daten.istLok()) {
        Q_EMIT lokErstellt(knoten->daten.VehicleId);
    }
    return knoten;
}

FahrzeugKnoten* TFahrzeug::NeuesVerzeichnis(FahrzeugKnoten* oben, const QString& name)
{
    if (name.trimmed().isEmpty()) {
        programm_.dialogs.information(QStringLiteral("Bitte einen Namen für das Neue Verzeichnis angeben !!!"));
        return nullptr;
    }
    while (oben && oben->ebene() > 0) {
        oben = oben->parent;
    }
    if (!oben) {
        if (db_.wurzeln().empty()) {
            FahrzeugDaten wurzel;
            wurzel.Name = QStringLiteral("Fahrzeuge");
            wurzel.DisplayName = wurzel.Name;
            wurzel.SequenceNumber = -1;
            db_.einfuegen(nullptr, std::move(wurzel));
        }
        oben = db_.wurzeln().front().get();
    }
    FahrzeugDaten d;
    d.Name = name.trimmed();
    d.DisplayName = d.Name;
    d.SequenceNumber = -1;
    FahrzeugKnoten* knoten = db_.einfuegen(oben, std::move(d));
    markiereGeaendert(false);
    return knoten;
}

bool TFahrzeug::Loeschen(FahrzeugKnoten* knoten)
{
    if (!knoten) {
        return false;
    }
    const QString name = knoten->daten.Name;
    if (!knoten->kinder.empty()) {
        programm_.dialogs.information(knoten->ebene() == 1
                                          ? QStringLiteral("Verzeichnis nicht leer !!!")
                                          : QStringLiteral("Dieser Eintrag kann nicht gelösscht werden. ! \r es sind noch Untereinträge da.  "));
        return false;
    }
    const bool artikel = knoten->istArtikel();
    if (!programm_.dialogs.yesNo(artikel ? QStringLiteral("Lok : ") + name + QStringLiteral(" loesschen ? ")
                                         : QStringLiteral("Verzeichnis ") + name + QStringLiteral(" lösschen ?"))) {
        return false;
    }
    const bool lok = artikel && knoten->daten.istLok();
    const int id = knoten->daten.VehicleId;
    if (imTeilbaum(auswahl_, knoten)) {
        auswahl_ = nullptr;
    }
    db_.entfernen(knoten);
    bilderAufbauen();
    markiereGeaendert(lok);
    if (lok) {
        Q_EMIT lokGeloescht(id);
    }
    return true;
}

bool TFahrzeug::AlleLoeschen()
{
    if (!programm_.dialogs.yesNo(QStringLiteral("Alle Fahrzeuge lösschen\rDies kann nich rückgängich gemacht werden !!!"))) {
        return false;
    }
    std::vector<int> loks;
    for (const FahrzeugKnoten* k : db_.artikel()) {
        if (k->daten.istLok()) {
            loks.push_back(k->daten.VehicleId);
        }
    }
    auswahl_ = nullptr;
    db_.leeren();
    bilderAufbauen();
    markiereGeaendert(!loks.empty());
    for (const int id : loks) {
        Q_EMIT lokGeloescht(id);
    }
    return true;
}

bool TFahrzeug::ArtikelSpeichern(FahrzeugKnoten* artikel, const FahrzeugDaten& neu)
{
    if (!artikel) {
        return false;
    }
    FahrzeugDaten& alt = artikel->daten;
    if (neu.ArticleType != alt.ArticleType
        && !programm_.dialogs.yesNo(QStringLiteral("Bei Aenderung muss Trassolin neu gestartet werden !!\rAendern ?"))) {
        return false;
    }
    if (neu.istLok() && neu.Address != 0) {
        const std::set<int> belegt = db_.belegteAdressen(artikel);
        if (neu.Address < 0 || neu.Address > FahrzeugDatenbank::MaxAdresse || belegt.contains(neu.Address)) {
            programm_.dialogs.information(QStringLiteral("Adresse ") + QString::number(neu.Address)
                                          + QStringLiteral(" ist schon vergeben !!"));
            return false;
        }
    }
    const bool warLok = alt.istLok();
    const bool bildNeu = neu.PictureFile != alt.PictureFile || neu.ArticleType != alt.ArticleType;
    const bool rel = relevant(alt, neu);
    FahrzeugDaten daten = neu;
    daten.VehicleId = alt.VehicleId;
    daten.LinkedToCommandStation = daten.CommandStationId != QLatin1String("0000") && !daten.CommandStationId.isEmpty();
    alt = std::move(daten);
    if (bildNeu) {
        bilderAufbauen();
    }
    markiereGeaendert(rel);
    const int id = alt.VehicleId;
    if (warLok && !alt.istLok()) {
        Q_EMIT lokGeloescht(id);
    } else if (!warLok && alt.istLok()) {
        Q_EMIT lokErstellt(id);
    } else if (alt.istLok()) {
        Q_EMIT lokGeaendert(id);
    }
    return true;
}

bool TFahrzeug::ArtikelVerlassen(FahrzeugKnoten* artikel, const FahrzeugDaten& bearbeitet, bool neu)
{
    if (!artikel || artikel->daten == bearbeitet) {
        return true;
    }
    if (!programm_.dialogs.yesNo(neu ? QStringLiteral("LokDaten wurden geaenderet. Speichern ?")
                                     : QStringLiteral("Daten wurden geändert. Speichern ?"))) {
        return true;
    }
    return ArtikelSpeichern(artikel, bearbeitet);
}

bool TFahrzeug::Verschieben(FahrzeugKnoten* knoten, FahrzeugKnoten* neuerParent, int position)
{
    if (!knoten || !db_.verschieben(knoten, neuerParent, position)) {
        return false;
    }
    bilderAufbauen();
    markiereGeaendert(false);
    return true;
}

void TFahrzeug::setChecked(FahrzeugKnoten* knoten, bool on)
{
    if (knoten && knoten->checked() != on) {
        knoten->ansicht.setChecked(on);
        markiereGeaendert(false);
    }
}

QList<int> TFahrzeug::AdressListe(const FahrzeugKnoten* artikel, const QString& typ) const
{
    const int anzahl = std::clamp(programm_.settings.LocoAddressCount, 0, FahrzeugDatenbank::MaxAdresse);
    const std::set<int> belegt = typ == QLatin1String("Lok") ? db_.belegteAdressen(artikel) : std::set<int>{};
    QList<int> list{0};
    for (int a = 1; a <= anzahl; ++a) {
        if (!belegt.contains(a)) {
            list << a;
        }
    }
    return list;
}

bool TFahrzeug::DatenFormatGewaehlt(int format)
{
    if (format == 2) {
        programm_.dialogs.information(QStringLiteral("Wenn MFX gewählt als Protokol,\rmuss die Lok mit der CS2 verbunden werden"));
    }
    return FolgeadressenSichtbar(format);
}

QString TFahrzeug::AdressenText(const QString& typ)
{
    return typ == QLatin1String("Lok") || typ.isEmpty() ? QStringLiteral("Adresse") : QStringLiteral("WagenAdresse");
}

QString TFahrzeug::SchrankText(const QString& typ)
{
    return typ == QLatin1String("Lok") || typ.isEmpty() ? QStringLiteral("Lok ist im Schrank") : QStringLiteral("Wagen ist im Schrank");
}

TFahrzeug::FunktionsListe TFahrzeug::Funktionen(const FahrzeugDaten& d)
{
    FunktionsListe liste;
    const auto lesen = [&liste](int first, const QString& flags, const QString& names, const QString& icons) {
        const QStringList namen = names.split(u'/');
        for (int i = 0; i < 8; ++i) {
            Funktion& f = liste[first + i];
            f.aktiv = i < flags.size() && flags[i] == u'1';
            f.name = i < namen.size() && !namen[i].isEmpty() ? namen[i] : QStringLiteral("Func") + QString::number(first + i + 1);
            bool ok = false;
            const int symbol = icons.mid(3 * i, 3).toInt(&ok);
            f.symbol = ok && icons.mid(3 * i, 3).size() == 3 ? std::clamp(symbol, 0, 999) : 0;
        }
    };
    lesen(0, d.FunctionFlags1to8, d.FunctionNames1to8, d.FunctionIcons1to8);
    lesen(8, d.FunctionFlags9to16, d.FunctionNames9to16, d.FunctionIcons9to16);
    return liste;
}

void TFahrzeug::setFunktionen(FahrzeugDaten& d, const FunktionsListe& liste)
{
    const auto schreiben = [&liste](int first, QString& flags, QString& names, QString& icons) {
        flags.clear();
        icons.clear();
        QStringList namen;
        for (int i = first; i < first + 8; ++i) {
            const Funktion& f = liste[i];
            flags += f.aktiv ? u'1' : u'0';
            QString name = QString(f.name).remove(u'/').trimmed();
            namen << (name.isEmpty() ? QStringLiteral("Func") + QString::number(i + 1) : name);
            icons += ZeroPad3(std::clamp(f.symbol, 0, 999));
        }
        names = namen.join(u'/');
    };
    schreiben(0, d.FunctionFlags1to8, d.FunctionNames1to8, d.FunctionIcons1to8);
    schreiben(8, d.FunctionFlags9to16, d.FunctionNames9to16, d.FunctionIcons9to16);
}

QString TFahrzeug::SymbolText(int symbol)
{
    const QStringList& namen = FahrzeugListen::FunktionsNamen();
    if (symbol >= 1 && symbol <= namen.size()) {
        return QString::number(symbol) + u' ' + namen[symbol - 1];
    }
    return symbol == 0 ? QStringLiteral("0 -") : QString::number(symbol);
}

QString TFahrzeug::BildUebernehmen(const QString& pfad, const QString& typ)
{
    if (pfad.isEmpty()) {
        return {};
    }
    QFile quelle(pfad);
    if (!quelle.open(QIODevice::ReadOnly)) {
        programm_.dialogs.information(QStringLiteral("Bild ") + pfad + QStringLiteral(" kann nicht gelesen werden"));
        return {};
    }
    const QByteArray bytes = quelle.readAll();
    QImage image;
    if (!image.loadFromData(bytes, "JPEG")) {
        programm_.dialogs.information(QStringLiteral("Bild ") + pfad + QStringLiteral(" ist kein JPEG Bild"));
        return {};
    }
    const FahrzeugBilder::Ordner ordner = BildOrdner();
    const QString folder = typ == QLatin1String("Lok") ? ordner.loks : ordner.wagen;
    const QString datei = QFileInfo(pfad).fileName();
    const QString vorhanden = FindFileNoCase(folder, datei);
    const QFileInfo ziel(vorhanden);
    if (ziel.isFile()) {
        if (ziel.canonicalFilePath() == QFileInfo(pfad).canonicalFilePath()) {
            return ziel.fileName();
        }
        QFile alt(vorhanden);
        if (alt.open(QIODevice::ReadOnly) && alt.readAll() == bytes) {
            return ziel.fileName();
        }
        if (!programm_.dialogs.yesNo(QStringLiteral("Bild ") + ziel.fileName() + QStringLiteral(" gibt es schon in ") + folder
                                     + QStringLiteral("\rErsetzen ?"))) {
            return {};
        }
    }
    QDir().mkpath(folder);
    const QString zielPfad = ziel.isFile() ? vorhanden : QDir(folder).filePath(datei);
    QString error;
    if (!SaveFileAtomically(zielPfad, bytes, &error)) {
        programm_.dialogs.information(error);
        return {};
    }
    return QFileInfo(zielPfad).fileName();
}

QImage TFahrzeug::BildVorschau(const FahrzeugDaten& daten) const
{
    const QSize size(160, 40);
    const QString pfad = FahrzeugBilder::BildPfad(daten, BildOrdner());
    QImage image;
    if (pfad.isEmpty() || !image.load(pfad)) {
        return FahrzeugBilder::Platzhalter(daten.istLok(), size);
    }
    return image.size() == size ? image : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString TFahrzeug::FunktionsBeschreibung(const FahrzeugDaten& d)
{
    if (d.DataFormat != 1) {
        return QStringLiteral("DCC ") + QString::number(d.Address);
    }
    QString text = QStringLiteral("MOTOROLA \rFolgeadresse1 F5-F8 ") + QString::number(d.FollowAddress1);
    if (d.Functions9to16Active) {
        text += QStringLiteral("\rFolgeadresse2 F9-F12 ") + QString::number(d.FollowAddress2)
            + QStringLiteral("\rFolgeadresse3 F13-F16 ") + QString::number(d.FollowAddress3);
    }
    return text;
}

// ---- exports --------------------------------------------------------------------------------

QString TFahrzeug::LokkarteExportieren(const FahrzeugKnoten& artikel, const QString& ordner)
{
    QDir().mkpath(ordner);
    const QString path = QDir(ordner).filePath(LokkartenDateiname(artikel.daten.Name));
    LineWriter writer;
    for (const QString& line :
         LokkarteZeilen(artikel, programm_.ProjektName, programm_.parameters.ProgramVersion, programm_.clock.now().date())) {
        writer << line;
    }
    QString error;
    if (!writer.save(path, &error)) {
        programm_.dialogs.information(error);
        return {};
    }
    return path;
}

FahrzeugKnoten* TFahrzeug::LokkarteImportieren(const QString& pfad, FahrzeugKnoten* ordner)
{
    QString error;
    const auto lines = LineReader::ReadLines(pfad, &error);
    if (!lines) {
        programm_.dialogs.information(error);
        return nullptr;
    }
    LokkarteGelesen karte = LokkarteLesen(*lines);
    if (!karte.istLokkarte) {
        return nullptr;
    }
    if (!karte.error.isEmpty()) {
        programm_.dialogs.information(karte.error);
        return nullptr;
    }
    const QString name = karte.daten.Name;
    if (db_.findeName(name)) {
        programm_.dialogs.information(QStringLiteral("Eintrag in Datenbank : Name (") + name + QStringLiteral(")\r Existiert schon "));
        return nullptr;
    }
    if (!ordner || ordner->ebene() != 1) {
        programm_.dialogs.information(QStringLiteral("Bitte ein Verzeichnis auswählen. zb. Dampflok, Diesellok,... "));
        return nullptr;
    }
    if (!programm_.dialogs.yesNo(name + QStringLiteral(" in Datenbank einfügen ? "))) {
        return nullptr;
    }
    FahrzeugDaten d = std::move(karte.daten);
    d.VehicleId = db_.naechsteId();
    d.SequenceNumber = db_.naechsteLaufnummer();
    if (d.istLok() && d.Address != 0 && db_.belegteAdressen().contains(d.Address)) {
        d.Address = 0; // two locomotives never share an address
    }
    FahrzeugKnoten* knoten = db_.einfuegen(ordner, std::move(d));
    markiereGeaendert(knoten->daten.istLok());
    SaveVehicleDatabase();
    bilderAufbauen();
    Q_EMIT changed();
    if (knoten->daten.istLok()) {
        Q_EMIT lokErstellt(knoten->daten.VehicleId);
    }
    return knoten;
}

bool TFahrzeug::VerkaufslistenSchreiben()
{
    const QString ordner = programm_.programFolder + QStringLiteral("Artikel/");
    QDir().mkpath(ordner);
    const QString datum = programm_.clock.dateText();
    bool ok = true;
    for (const bool verkauft : {false, true}) {
        const auto artikel = verkauft ? Verkauft(db_) : ZuVerkaufen(db_);
        for (const bool csv : {false, true}) {
            const QStringList lines =
                csv ? VerkaufslisteCsv(artikel, verkauft, datum) : VerkaufslisteText(artikel, verkauft, datum);
            QString error;
            if (!SaveFileAtomically(ordner + VerkaufslisteDateiname(verkauft, csv), LineWriter::JoinLines(lines), &error)) {
                programm_.dialogs.information(error);
                ok = false;
            }
        }
    }
    return ok;
}

QString TFahrzeug::HomepageOrdner() const
{
    return programm_.programFolder + QStringLiteral("Homepage/");
}

QString TFahrzeug::HtmlSeiteErstellen(const QString& seite, const QString& ausgabeOrdner)
{
    const std::optional<HomepageSeite> s = HomepageSeiteNamens(seite);
    if (!s) {
        programm_.dialogs.confirmation(QStringLiteral("Keine Hompage Seite ausgewählt !!"));
        return {};
    }
    QDir().mkpath(ausgabeOrdner);
    const QString path = QDir(ausgabeOrdner).filePath(s->datei);
    const QByteArray bytes = HomepageDatei(db_, *s);
    QString error;
    if (!SaveFileAtomically(path, bytes, &error)) {
        programm_.dialogs.information(error);
        return {};
    }
    return path;
}

// ---- command station ------------------------------------------------------------------------

void TFahrzeug::UebernahmeStarten(int typ)
{
    uebernahmeTyp_ = typ;
    Q_EMIT changed();
}

void TFahrzeug::UebernahmeBeenden()
{
    uebernahmeTyp_ = 0;
    Q_EMIT changed();
}

void TFahrzeug::Auswaehlen(FahrzeugKnoten* knoten)
{
    auswahl_ = knoten;
    if (uebernahmeTyp_ != 0) {
        const bool moeglich = knoten && knoten->ebene() == 1;
        programm_.bus.broadcast(Msg::WM_LOK_UBERNEHMEN, uebernahmeTyp_, moeglich ? 0 : 1);
    }
}

namespace {
int protokollNummer(const QString& protokoll)
{
    static const QStringList names = {QStringLiteral("DCC"), QStringLiteral("MOTOROLA"), QStringLiteral("MFX"),
                                      QStringLiteral("SX32")};
    const int i = static_cast<int>(names.indexOf(protokoll.trimmed().toUpper()));
    return i < 0 ? 0 : i;
}

// Flags, names and icons of functions first..first+7 from the command station's list.
void funktionenUebernehmen(const ZentralenLok& lok, int first, QString& flags, QString& names, QString& icons, bool& any)
{
    QStringList nameList;
    QString iconText;
    flags = QString(8, u'0');
    for (int n = first; n < first + 8; ++n) {
        QString name = QStringLiteral("Func") + QString::number(n);
        int symbol = 0;
        for (const ZentralenLok::Funktion& f : lok.Funktionen) {
            if (f.Nummer != n) {
                continue;
            }
            if (f.Aktiv) {
                flags[n - first] = u'1';
                any = true;
            }
            symbol = std::clamp(f.Symbol, 0, 999);
            const QStringList& known = FahrzeugListen::FunktionsNamen();
            if (!f.Beschreibung.isEmpty()) {
                name = f.Beschreibung;
            } else if (symbol >= 1 && symbol <= known.size()) {
                name = known[symbol - 1];
            }
        }
        nameList << name;
        iconText += ZeroPad3(symbol);
    }
    names = nameList.join(u'/');
    icons = iconText;
}
} // namespace

FahrzeugKnoten* TFahrzeug::LokUebernehmen(FahrzeugKnoten* ordner, const ZentralenLok& lok)
{
    if (!ordner || ordner->ebene() != 1) {
        programm_.dialogs.information(QStringLiteral("Bitte ein Verzeichnis auswählen. zb. Dampflok, Diesellok,... "));
        return nullptr;
    }
    FahrzeugDaten d;
    d.Name = lok.Name;
    d.DisplayName = lok.Name;
    d.VehicleId = db_.naechsteId();
    d.SequenceNumber = db_.naechsteLaufnummer();
    d.Address = lok.Adresse >= 1 && lok.Adresse <= FahrzeugDatenbank::MaxAdresse && !db_.belegteAdressen().contains(lok.Adresse)
        ? lok.Adresse
        : 0;
    d.CommandStationId = lok.Id;
    d.LinkedToCommandStation = lok.Id != QLatin1String("0000");
    d.ArticleType = QStringLiteral("Lok");
    d.DataFormat = protokollNummer(lok.Protokoll);
    d.SpeedSteps = FahrzeugListen::FahrstufenWerte().contains(lok.Fahrstufen) ? lok.Fahrstufen : 28;
    d.MaxSpeed = 100;
    bool low = false;
    bool high = false;
    funktionenUebernehmen(lok, 1, d.FunctionFlags1to8, d.FunctionNames1to8, d.FunctionIcons1to8, low);
    funktionenUebernehmen(lok, 9, d.FunctionFlags9to16, d.FunctionNames9to16, d.FunctionIcons9to16, high);
    d.Functions9to16Active = high ? 1 : 0;
    FahrzeugKnoten* knoten = db_.einfuegen(ordner, std::move(d));
    markiereGeaendert(true);
    SaveVehicleDatabase();
    bilderAufbauen();
    Q_EMIT changed();
    Q_EMIT lokErstellt(knoten->daten.VehicleId);
    programm_.dialogs.information(QStringLiteral("1. In der Fahrzeugdatenbank muss noch ein Lokbild ausgewählt werden. \r2. Die Lok : ")
                                  + lok.Name + QStringLiteral(" ist erst nach einem Neustart von Trassolin Aktiv"));
    return knoten;
}

bool TFahrzeug::LokVerbinden(FahrzeugKnoten* artikel, const ZentralenLok& lok, bool nameUebernehmen, bool funktionenUebernehmenAuch)
{
    if (!artikel || !artikel->istArtikel()) {
        return false;
    }
    if (!programm_.dialogs.yesNo(QStringLiteral("Lokdaten ändern ? "))) {
        return false;
    }
    FahrzeugDaten d = artikel->daten;
    if (nameUebernehmen) {
        d.Name = lok.Name;
    }
    if (lok.Adresse >= 1 && lok.Adresse <= FahrzeugDatenbank::MaxAdresse && !db_.belegteAdressen(artikel).contains(lok.Adresse)) {
        d.Address = lok.Adresse;
    }
    if (funktionenUebernehmenAuch) {
        bool low = false;
        bool high = false;
        funktionenUebernehmen(lok, 1, d.FunctionFlags1to8, d.FunctionNames1to8, d.FunctionIcons1to8, low);
        funktionenUebernehmen(lok, 9, d.FunctionFlags9to16, d.FunctionNames9to16, d.FunctionIcons9to16, high);
        if (high) {
            d.Functions9to16Active = 1;
        }
    }
    d.CommandStationId = lok.Id;
    if (!ArtikelSpeichern(artikel, d)) {
        return false;
    }
    programm_.bus.broadcast(Msg::WM_LOK_DATEN_VERGLEICHEN, 0, programm_.ZentraleTyp());
    return true;
}

void TFahrzeug::Schliessen()
{
    if (programm_.hauptfenster != nullptr) {
        programm_.hauptfenster->DatenbankGeschlossen();
    }
    if (Geaendert && programm_.dialogs.yesNo(QStringLiteral("Daten wurden geändert. Speichern ?"))) {
        SaveVehicleDatabase();
    }
    if (RelevantGeaendert) {
        RelevantGeaendert = false;
        if (programm_.dialogs.yesNo(QStringLiteral("Relevante Lokdaten würden geändert \r Jetzt neu starten ?\r Trassolin wird bei Yes beendet und muß neu gestartet werden!!"))) {
            Q_EMIT restartRequested();
        }
    }
}
