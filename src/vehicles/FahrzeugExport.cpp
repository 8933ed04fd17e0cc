#include "vehicles/FahrzeugExport.h"

#include "core/FileSave.h"
#include "core/TextFields.h"

#include <QUrl>
#include <algorithm>

// ---- vehicle card -----------------------------------------------------------------------

QString LokkartenDateiname(const QString& name)
{
    QString result;
    for (const QChar ch : name) {
        switch (ch.unicode()) {
        case u'Ä': result += u'A'; break;
        case u'Ö': result += u'O'; break;
        case u'Ü': result += u'U'; break;
        case u'ä': result += u'a'; break;
        case u'ö': result += u'o'; break;
        case u'ü': result += u'u'; break;
        case u'ß': result += QStringLiteral("ss"); break;
        case u'\\': case u'/': case u':': case u'*': case u'?': case u'"':
        case u'<': case u'>': case u'|': case u'.': case u',':
            break;
        default:
            if (!ch.isSpace() && ch.unicode() >= 0x20) {
                result += ch;
            }
            break;
        }
    }
    if (result.isEmpty()) {
        result = QStringLiteral("Lokkarte");
    }
    return result + QStringLiteral(".TLK");
}

namespace {
QString flag(bool on, const char* word)
{
    const QString text = QString::fromLatin1(word);
    return on ? text : QStringLiteral("NICHT ") + text;
}

QStringList infoZeilen(const QString& info)
{
    if (info.isEmpty()) {
        return {};
    }
    QString text = info;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.split(u'\n');
}

QString anzeigeName(const FahrzeugKnoten* knoten, const char* ersatz)
{
    if (knoten && !knoten->daten.DisplayName.isEmpty()) {
        return knoten->daten.DisplayName;
    }
    return QString::fromLatin1(ersatz);
}
} // namespace

QStringList LokkarteZeilen(const FahrzeugKnoten& artikel, const QString& projekt, const QString& programmVersion,
                           const QDate& datum)
{
    const FahrzeugDaten& d = artikel.daten;
    const FahrzeugKnoten* ordner = artikel.parent;
    const FahrzeugKnoten* oben = ordner ? ordner->parent : nullptr;
    const auto n = [](qint64 v) { return QString::number(v); };
    QStringList l;
    l << QStringLiteral("Lokkarte aus ") + projekt + QStringLiteral(" gespeichert : ") + datum.toString(QStringLiteral("dd.MM.yyyy"))
      << ZeroPad3(programmVersion.toInt()) << anzeigeName(oben, "NodeLevel0") << anzeigeName(ordner, "NodeLevel1")
      << d.Name << n(d.Address) << d.CommandStationId << n(d.DataFormat) << n(d.FollowAddress1) << n(d.FollowAddress2)
      << n(d.FollowAddress3) << d.PictureFile << d.LargePictureFile << n(d.MaxSpeed) << n(d.ReservedInt)
      << flag(d.Sold, "Verkauft") << flag(d.InCabinet, "ImSchrank") << n(d.Price) << d.TrainKind << n(d.Epoch)
      << flag(d.BoxIncluded, "OVP") << d.VehicleInfoFile << d.DecoderName << d.DecoderInfo << d.DecoderInfoFile1
      << d.DecoderInfoFile2 << d.ReservedText1 << d.StartSound << d.DestinationSound << d.ReservedText2
      << d.ReservedText3 << d.FunctionFlags1to8 << d.FunctionFlags9to16 << d.FunctionNames1to8
      << d.FunctionNames9to16 << d.FunctionIcons1to8 << d.FunctionIcons9to16
      << flag(d.Functions9to16Active, "F9_F16_Aktiv") << d.ReservedText3 << d.FunctionFlags9to16
      << d.FunctionNames9to16 << d.FunctionIcons9to16 << d.HomepagePage << d.LinkMobadaten << d.LinkSpurN
      << d.Link1zu160 << n(d.HtmlPriority) << d.Manufacturer << n(d.ImageWidth) << n(d.ImageHeight) << d.HtmlInfo
      << flag(d.ForSale, "ZuVerkaufen") << n(d.SpeedSteps) << d.DisplayName << d.ArticleType << d.PicturesName
      << d.TrainSort;
    const QStringList info = infoZeilen(d.Info);
    l << n(info.size()) << info;
    return l;
}

namespace {
// Walks the card's lines; the first error stops every further read.
class KartenLeser {
public:
    explicit KartenLeser(const QStringList& zeilen) : zeilen_(zeilen) {}

    QString text()
    {
        if (!error.isEmpty()) {
            return {};
        }
        if (pos_ >= zeilen_.size()) {
            error = QStringLiteral("Die Lokkarte ist unvollständig (Zeile ") + QString::number(pos_ + 1) + u')';
            return {};
        }
        return zeilen_[pos_++];
    }
    qint32 zahl(qint64 min, qint64 max)
    {
        const QString t = text();
        if (!error.isEmpty()) {
            return 0;
        }
        bool ok = false;
        const qint64 v = t.trimmed().toLongLong(&ok);
        if (!ok || v < min || v > max) {
            error = QStringLiteral("Lokkarte Zeile ") + QString::number(pos_) + QStringLiteral(": ungültige Zahl »") + t
                + QStringLiteral("«");
            return 0;
        }
        return static_cast<qint32>(v);
    }
    quint8 flag() { return text().startsWith(QStringLiteral("NICHT")) ? 0 : 1; }

    QString error;

private:
    const QStringList& zeilen_;
    qsizetype pos_ = 0;
};
} // namespace

LokkarteGelesen LokkarteLesen(const QStringList& zeilen)
{
    LokkarteGelesen result;
    result.istLokkarte = !zeilen.isEmpty() && zeilen.first().startsWith(QStringLiteral("Lokkarte"));
    if (!result.istLokkarte) {
        return result;
    }
    constexpr qint64 I32 = 2147483647;
    FahrzeugDaten& d = result.daten;
    KartenLeser r(zeilen);
    r.text(); // header
    r.zahl(0, 999); // program version
    r.text(); // top-level node
    r.text(); // folder
    d.Name = r.text();
    d.Address = r.zahl(0, FahrzeugDatenbank::MaxAdresse);
    d.CommandStationId = r.text();
    d.DataFormat = r.zahl(0, 3);
    d.FollowAddress1 = r.zahl(0, 255);
    d.FollowAddress2 = r.zahl(0, 255);
    d.FollowAddress3 = r.zahl(0, 255);
    d.PictureFile = FileNameOfStoredPath(r.text());
    d.LargePictureFile = r.text();
    d.MaxSpeed = r.zahl(0, 128);
    d.ReservedInt = r.zahl(-I32 - 1, I32);
    d.Sold = r.flag();
    d.InCabinet = r.flag();
    d.Price = r.zahl(-I32 - 1, I32);
    d.TrainKind = r.text();
    d.Epoch = r.zahl(-I32 - 1, I32);
    d.BoxIncluded = r.flag();
    d.VehicleInfoFile = r.text();
    d.DecoderName = r.text();
    d.DecoderInfo = r.text();
    d.DecoderInfoFile1 = r.text();
    d.DecoderInfoFile2 = r.text();
    d.ReservedText1 = r.text();
    d.StartSound = r.text();
    d.DestinationSound = r.text();
    d.ReservedText2 = r.text();
    d.ReservedText3 = r.text();
    d.FunctionFlags1to8 = r.text();
    d.FunctionFlags9to16 = r.text();
    d.FunctionNames1to8 = r.text();
    d.FunctionNames9to16 = r.text();
    d.FunctionIcons1to8 = r.text();
    d.FunctionIcons9to16 = r.text();
    d.Functions9to16Active = r.flag();
    // The second copies of these fields are the ones that count, as they are read last.
    d.ReservedText3 = r.text();
    d.FunctionFlags9to16 = r.text();
    d.FunctionNames9to16 = r.text();
    d.FunctionIcons9to16 = r.text();
    d.HomepagePage = r.text();
    d.LinkMobadaten = r.text();
    d.LinkSpurN = r.text();
    d.Link1zu160 = r.text();
    d.HtmlPriority = static_cast<quint8>(r.zahl(0, 255));
    d.Manufacturer = r.text();
    d.ImageWidth = r.zahl(-I32 - 1, I32);
    d.ImageHeight = r.zahl(-I32 - 1, I32);
    d.HtmlInfo = r.text();
    d.ForSale = r.flag();
    d.SpeedSteps = r.zahl(0, 128);
    d.DisplayName = r.text();
    d.ArticleType = r.text();
    d.PicturesName = r.text();
    d.TrainSort = r.text();
    const int anzahl = r.zahl(0, zeilen.size());
    QStringList info;
    for (int i = 0; i < anzahl && r.error.isEmpty(); ++i) {
        info << r.text();
    }
    d.Info = info.join(QStringLiteral("\r\n"));
    if (d.MaxSpeed == 0) {
        d.MaxSpeed = 100;
    }
    if (d.TrainSort.isEmpty()) {
        d.TrainSort = QStringLiteral("Dampflok");
    }
    result.error = r.error;
    return result;
}

// ---- sales lists ------------------------------------------------------------------------

std::vector<const FahrzeugKnoten*> ZuVerkaufen(const FahrzeugDatenbank& db)
{
    std::vector<const FahrzeugKnoten*> list;
    for (const FahrzeugKnoten* k : db.artikel()) {
        if (k->daten.ForSale && !k->daten.Sold) {
            list.push_back(k);
        }
    }
    return list;
}

std::vector<const FahrzeugKnoten*> Verkauft(const FahrzeugDatenbank& db)
{
    std::vector<const FahrzeugKnoten*> list;
    for (const FahrzeugKnoten* k : db.artikel()) {
        if (k->daten.Sold) {
            list.push_back(k);
        }
    }
    return list;
}

namespace {
qint64 preis(const FahrzeugKnoten* k, bool verkauft)
{
    return verkauft ? k->daten.SalePrice : k->daten.Price;
}
} // namespace

QStringList VerkaufslisteText(const std::vector<const FahrzeugKnoten*>& artikel, bool verkauft, const QString& datum)
{
    const QString sterne(60, u'*');
    QStringList l;
    l << (verkauft ? QStringLiteral("Artikel Liste - Verkauft - geändert ")
                   : QStringLiteral("Artikel Liste - Zu verkaufen - geändert "))
            + datum
      << sterne;
    qint64 summe = 0;
    for (const FahrzeugKnoten* k : artikel) {
        const qint64 p = preis(k, verkauft);
        summe += p;
        l << k->daten.Name + (verkauft ? QStringLiteral("** ") : QStringLiteral(" ** ")) + QString::number(p) + u'€';
    }
    l << sterne
      << (verkauft ? QStringLiteral("Total Verkauft ") : QStringLiteral("Total zu verkaufen ")) + QString::number(summe)
            + u'€';
    return l;
}

QStringList VerkaufslisteCsv(const std::vector<const FahrzeugKnoten*>& artikel, bool verkauft, const QString& datum)
{
    QStringList l;
    l << (verkauft ? QStringLiteral(";Artikel Liste - Verkauft ; geändert :")
                   : QStringLiteral(";Artikel Liste - Zu verkaufen ;geändert "))
            + datum
      << QStringLiteral(";Artikel;Verkaufspreis");
    qint64 summe = 0;
    for (const FahrzeugKnoten* k : artikel) {
        const qint64 p = preis(k, verkauft);
        summe += p;
        l << u';' + k->daten.Name + u';' + QString::number(p) + u'€';
    }
    l << u';' + QString(60, u'*')
      << (verkauft ? QStringLiteral(";Total Verkauft ;") : QStringLiteral(";Total zu verkaufen ;")) + QString::number(summe)
            + u'€';
    return l;
}

QString VerkaufslisteDateiname(bool verkauft, bool csv)
{
    if (csv) {
        return verkauft ? QStringLiteral("Verkauft.csv") : QStringLiteral("Liste ZuVerkaufen.csv");
    }
    return verkauft ? QStringLiteral("Liste Verkauft.Txt") : QStringLiteral("Liste ZuVerkaufen.Txt");
}

// ---- homepage ---------------------------------------------------------------------------

const std::vector<HomepageSeite>& HomepageSeitenTabelle()
{
    static const std::vector<HomepageSeite> table = {
        {QStringLiteral("Dampf-Loks"), QStringLiteral("modellbahnmodelledampfloks.html"), QStringLiteral("modelledampf/")},
        {QStringLiteral("Diesel_Loks"), QStringLiteral("modellbahnmodelledieselloks.html"), QStringLiteral("modellediesel/")},
        {QStringLiteral("E-Loks"), QStringLiteral("modellbahnmodelleeloks.html"), QStringLiteral("modelleeloks/")},
        {QStringLiteral("Güterwagen"), QStringLiteral("modellbahnmodelleguter.html"), QStringLiteral("modelleguter/")},
        {QStringLiteral("Personenwagen"), QStringLiteral("modellbahnmodellepersonen.html"), QStringLiteral("modellepersonen/")},
        {QStringLiteral("Kesselwagen"), QStringLiteral("modellbahnmodellekessel.html"), QStringLiteral("modellekesselwagen/")},
        {QStringLiteral("Special"), QStringLiteral("modellbahnmodellespecial.html"), QStringLiteral("modellespecial/")},
        {QStringLiteral("K.Bay.St.B"), QStringLiteral("modellbahnmodellekbay.html"), QStringLiteral("modellekbay/")},
        {QStringLiteral("Bierwagen"), QStringLiteral("modellbahnmodellebierwagen.html"), QStringLiteral("modellebierwagen/")},
        {QStringLiteral("Minitrixclub"), QStringLiteral("modellbahnmodelleclub.html"), QStringLiteral("modelleminitrixclub/")},
        {QStringLiteral("Spielwarenmesse"), QStringLiteral("modellbahnmodellespielwarenmesse.html"),
         QStringLiteral("modellespielwarenmesse/")},
        {QStringLiteral("Sammlungsstücke"), QStringLiteral("modellbahnmodellesammlung.html"), QStringLiteral("modellesammlung/")},
        {QStringLiteral("Suche"), QStringLiteral("modellbahnmodellesuche.html"), QStringLiteral("modellesuche/")},
    };
    return table;
}

std::optional<HomepageSeite> HomepageSeiteNamens(const QString& name)
{
    for (const HomepageSeite& s : HomepageSeitenTabelle()) {
        if (s.name == name) {
            return s;
        }
    }
    return std::nullopt;
}

QString HtmlUmlaute(const QString& text)
{
    QString t = text;
    t.replace(u'ü', QStringLiteral("&uuml")).replace(u'Ü', QStringLiteral("&Uuml"));
    t.replace(u'ö', QStringLiteral("&ouml")).replace(u'Ö', QStringLiteral("&Ouml"));
    t.replace(u'ä', QStringLiteral("&auml")).replace(u'Ä', QStringLiteral("&Auml"));
    t.replace(u'ß', QStringLiteral("&szlig"));
    return t;
}

namespace {
QString oderKein(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("Kein") : text;
}

// The first character set large, the rest as it is.
QString gross(const QString& text)
{
    return QStringLiteral("<FONT SIZE=5>") + text.left(1) + QStringLiteral("</FONT>") + text.mid(1);
}

struct Datenbankseite {
    const char* anfang; // host the link starts with, after the scheme and "www."
    const char* icon;
    const char* titel;
    bool blankVorKlammer;
};

// The vehicle databases a link may point to, with their icons.
const Datenbankseite kSeiten[] = {
    {"mobadaten.info", "mobadaten21x23.jpg", "in Mobadaten anzeigen", false},
    {"spur-n-datenbank.de", "Spur-N-Datenbank.jpg", "in Spur-N-Datenbank anzeigen", true},
    {"spurweite-n.de", "spurweiteN45x24.jpg", "in Spurweite N anzeigen", true},
    {"1zu160.net", "1zu160.jpg", "in 1zu160 anzeigen", true},
};

QString ohneSchema(const QString& link)
{
    QString t = link.trimmed();
    for (const char* prefix : {"https://", "http://"}) {
        if (t.startsWith(QLatin1String(prefix), Qt::CaseInsensitive)) {
            t = t.mid(static_cast<qsizetype>(qstrlen(prefix)));
            break;
        }
    }
    if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        t = t.mid(4);
    }
    return t;
}

QString linkZeile(const QString& link, bool blankVorKlammer)
{
    return QStringLiteral("               <a href=\"") + link
        + (blankVorKlammer ? QStringLiteral("\" target=\"main\" >") : QStringLiteral("\" target=\"main\">"));
}

void datenbankLink(QStringList& l, const QString& link)
{
    if (link.isEmpty()) {
        return;
    }
    const QString host = ohneSchema(link);
    for (const Datenbankseite& s : kSeiten) {
        if (host.startsWith(QLatin1String(s.anfang), Qt::CaseInsensitive)) {
            l << linkZeile(link, s.blankVorKlammer)
              << QStringLiteral("                  <img src=\"modellbahn/") + QLatin1String(s.icon)
                    + QStringLiteral("\"   title=\"") + QLatin1String(s.titel) + QStringLiteral("\"></a>");
            return;
        }
    }
    l << linkZeile(link, false)
      << QStringLiteral("                  <img src=\"modellbahn/andere.jpg\"   title=\"in andere anzeigen\"></a>");
}

QString suchwort(const QString& name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name));
}
} // namespace

QStringList HomepageZeilen(const FahrzeugDatenbank& db, const HomepageSeite& seite)
{
    std::vector<const FahrzeugKnoten*> liste;
    for (int prio = 1; prio <= 10; ++prio) {
        for (const FahrzeugKnoten* k : db.artikel()) {
            if (!k->daten.Sold && k->daten.HomepagePage == seite.name && k->daten.HtmlPriority == prio) {
                liste.push_back(k);
            }
        }
    }
    QStringList l;
    l << QStringLiteral("<!-- Kolvar-Modellbahn erstellt aus Trassolin -->")
      << QStringLiteral("<!-- Kolvar-Modellbahn erstellt aus Trassolin -->") << QStringLiteral("<head>")
      << QStringLiteral("<link rel=\"stylesheet\" href=\"css/format.css\" type=\"text/css\">")
      << QStringLiteral("<link rel=\"stylesheet\" href=\"css/modellbahn.css\" type=\"text/css\">")
      << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">")
      << QStringLiteral("</head>") << QStringLiteral("<body>") << QStringLiteral("  <div id=\"scroll\">")
      << QStringLiteral("    <div id=\"content\">");
    bool tabelleOffen = false;
    QString hersteller;
    for (const FahrzeugKnoten* k : liste) {
        const FahrzeugDaten& d = k->daten;
        const QString h = oderKein(d.Manufacturer);
        if (!tabelleOffen || h != hersteller) {
            if (tabelleOffen) {
                l << QStringLiteral("       </table>");
            }
            l << QStringLiteral("       <table border=\"1\" cellspacing=\"4\" cellpadding=\"3\">")
              << QStringLiteral("       <caption align=\"top\"><b><u>") + gross(h) + QStringLiteral("<u/></b></caption>");
            tabelleOffen = true;
            hersteller = h;
        }
        l << QStringLiteral("         <tr>")
          << QStringLiteral("           <td height=\"35\" ><a href=\"modellbahn/org/") + seite.bildOrdner
                + FileNameOfStoredPath(oderKein(d.LargePictureFile)) + QStringLiteral("\" target=\"main\">")
          << QStringLiteral("              <img src=\"modellbahn/img/") + seite.bildOrdner
                + FileNameOfStoredPath(oderKein(d.PictureFile)) + QStringLiteral("\"></a></td> ")
          << QStringLiteral("           <td height=\"35\" >") + gross(HtmlUmlaute(oderKein(d.HtmlInfo)))
                + QStringLiteral("</td>")
          << QStringLiteral("           <td height=\"35\" >");
        if (d.Address != 0) {
            l << QStringLiteral("                  <img src=\"modellbahn/dcc.jpg\"></a>");
        }
        datenbankLink(l, d.LinkMobadaten);
        datenbankLink(l, d.LinkSpurN);
        datenbankLink(l, d.Link1zu160);
        l << QStringLiteral("           <td height=\"35\" >")
          << linkZeile(QStringLiteral("https://www.ebay.de/sch/i.html?_nkw=") + suchwort(d.Name), false)
          << QStringLiteral("                  <img src=\"modellbahn/Ebay.jpg\"  height=\"20\" width=\"50\" title=\"in Ebay suchen\"></a>")
          << linkZeile(QStringLiteral("https://www.google.de/search?q=") + suchwort(d.Name), false)
          << QStringLiteral("                  <img src=\"modellbahn/Google.jpg\"  height=\"20\" width=\"50\" title=\"in Google suchen\"></a>")
          << QStringLiteral("         </tr>");
    }
    if (tabelleOffen) {
        l << QStringLiteral("       </table>");
    }
    l << QStringLiteral("    </div> <!-- content-->") << QStringLiteral("  </div> <!-- scroll-->")
      << QStringLiteral("</div> <!-- container-->") << QStringLiteral("</body>") << QString() << QString();
    return l;
}

QByteArray HomepageDatei(const FahrzeugDatenbank& db, const HomepageSeite& seite)
{
    QByteArray bytes;
    for (const QString& line : HomepageZeilen(db, seite)) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}
