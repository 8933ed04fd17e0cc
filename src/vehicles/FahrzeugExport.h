// What the vehicle database writes for others: the vehicle card of one article (".TLK", read
// back by the import), the sales lists (text and CSV) and the HTML pages of the collection.
// Pure functions over records and the tree; the window logic (TFahrzeug) writes the files.
#pragma once

#include "vehicles/FahrzeugDatenbank.h"

#include <QDate>
#include <QStringList>
#include <optional>

// ---- vehicle card -----------------------------------------------------------------------

// The card's file name for an article name: umlauts spelled without dots, "ß" as "ss", blanks
// and the characters \ / : * ? " < > | . , left out, then ".TLK". A name that leaves nothing
// gives "Lokkarte.TLK".
QString LokkartenDateiname(const QString& name);

// The lines of the card of `artikel` (a level-2 node).
QStringList LokkarteZeilen(const FahrzeugKnoten& artikel, const QString& projekt, const QString& programmVersion,
                           const QDate& datum);

struct LokkarteGelesen {
    bool istLokkarte = false; // the first line starts with "Lokkarte"
    FahrzeugDaten daten;      // the card's fields over the values of a new node
    QString error;            // German; empty when the whole card was read
    bool ok() const { return istLokkarte && error.isEmpty(); }
};

// Reads a whole card; nothing of it is used unless ok().
LokkarteGelesen LokkarteLesen(const QStringList& zeilen);

// ---- sales lists ------------------------------------------------------------------------

// Articles for sale (`ForSale` set, `Sold` clear) or sold (`Sold` set), in tree order.
std::vector<const FahrzeugKnoten*> ZuVerkaufen(const FahrzeugDatenbank& db);
std::vector<const FahrzeugKnoten*> Verkauft(const FahrzeugDatenbank& db);

// The lists, priced with `Price` (for sale) or `SalePrice` (sold); `datum` as dd.MM.yyyy.
QStringList VerkaufslisteText(const std::vector<const FahrzeugKnoten*>& artikel, bool verkauft, const QString& datum);
QStringList VerkaufslisteCsv(const std::vector<const FahrzeugKnoten*>& artikel, bool verkauft, const QString& datum);

// File names under <program folder>Artikel/.
QString VerkaufslisteDateiname(bool verkauft, bool csv);

// ---- homepage ---------------------------------------------------------------------------

struct HomepageSeite {
    QString name;      // as in the page list, "Dampf-Loks"
    QString datei;     // "modellbahnmodelledampfloks.html"
    QString bildOrdner; // "modelledampf/"
};
const std::vector<HomepageSeite>& HomepageSeitenTabelle();
std::optional<HomepageSeite> HomepageSeiteNamens(const QString& name);

// The lines of one page (written as UTF-8 with CR LF).
QStringList HomepageZeilen(const FahrzeugDatenbank& db, const HomepageSeite& seite);
// The page file: the lines as UTF-8, each ended by CR LF.
QByteArray HomepageDatei(const FahrzeugDatenbank& db, const HomepageSeite& seite);
// "Güte" -> "G&uumlte": the umlaut entities of the page texts, as the pages have always used them.
QString HtmlUmlaute(const QString& text);
