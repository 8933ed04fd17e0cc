// Headless companion program: inspects and checks project files from the command line.
#include "EcosProbe.h"
#include "core/FileSave.h"
#include "core/GleisplanDatei.h"
#include "core/KopflosesProgramm.h"
#include "core/ProjectFileCheck.h"
#include "core/TreeContainer.h"
#include "diagram/Kacheln.h"
#include "operation/FahrstrassenSuche.h"
#include "settings/ParameterFile.h"
#include "vehicles/FahrzeugExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

namespace {
int usage(QTextStream& err)
{
    err << "Aufruf: trassolin-tool <Befehl> ...\n"
           "Befehle:\n"
           "  tree DATEI                      zeigt den Aufbau einer Baumdatei\n"
           "  check PROJEKTORDNER             liest die Projektdateien und meldet Fehler\n"
           "  resave PROJEKTORDNER ZIELORDNER liest die Projektdateien und schreibt sie neu\n"
           "  export-html PROJEKTORDNER ZIELORDNER schreibt die Homepage-Seiten der Fahrzeugdatenbank\n"
           "  tiles BILD.png                  schreibt das Gleisbild-Kachelbild\n"
           "  routes PROJEKTORDNER [HALTESTELLE] sucht die Fahrstrassen jeder (oder einer) Haltestelle\n"
           "  probe PROJEKTORDNER             verbindet mit der ECoS-Zentrale des Projekts und zeigt, was sie meldet\n"
           "  open-next PROGRAMMORDNER PROJEKT  das Programm öffnet beim nächsten Start PROJEKT\n";
    return 2;
}

QString checkMark(quint8 checkState)
{
    switch (checkState) {
    case TreeUnchecked:
        return QStringLiteral("[ ]");
    case TreeChecked:
        return QStringLiteral("[x]");
    default:
        return QStringLiteral("[%1]").arg(checkState);
    }
}

// One line per node, two spaces of indent per level: check state, record size, caption.
void printNodes(QTextStream& out, const TreeNode& parent, int level)
{
    for (const TreeNode& node : parent.children) {
        out << QString(2 * level, u' ') << checkMark(node.checkState) << ' ' << node.record.size() << " Byte";
        if (!node.caption.isEmpty()) {
            out << ' ' << node.caption;
        }
        out << '\n';
        printNodes(out, node, level + 1);
    }
}

int tree(const QString& path, QTextStream& out, QTextStream& err)
{
    const TreeReadResult read = ReadTreeFile(path);
    if (!read.ok()) {
        err << read.error << '\n';
        return 1;
    }
    printNodes(out, read.tree, 0);
    return 0;
}
int check(const QString& folder, QTextStream& out, QTextStream& err)
{
    if (!QFileInfo(folder).isDir()) {
        err << "Projektordner nicht gefunden: " << folder << '\n';
        return 1;
    }
    int failures = 0;
    for (const ProjectFileResult& file : ReadProjectFiles(folder)) {
        if (file.error.isEmpty()) {
            out << file.fileName << ": OK\n";
        } else {
            out << file.fileName << ": " << file.error << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

// Writes nothing for a file that could not be read.
int resave(const QString& folder, const QString& target, QTextStream& out, QTextStream& err)
{
    if (!QFileInfo(folder).isDir()) {
        err << "Projektordner nicht gefunden: " << folder << '\n';
        return 1;
    }
    if (!QDir().mkpath(target)) {
        err << "Zielordner kann nicht angelegt werden: " << target << '\n';
        return 1;
    }
    int failures = 0;
    for (const ProjectFileResult& file : ReadProjectFiles(folder)) {
        QString error = file.error;
        if (error.isEmpty()) {
            SaveFileAtomically(QDir(target).filePath(file.fileName), file.rewritten, &error);
        }
        if (!error.isEmpty()) {
            err << file.fileName << ": " << error << '\n';
            ++failures;
        } else {
            out << file.fileName << '\n';
        }
    }
    return failures == 0 ? 0 : 1;
}

// Writes every homepage page of the project's vehicle database, as UTF-8.
int exportHtml(const QString& folder, const QString& target, QTextStream& out, QTextStream& err)
{
    const QString path = FindFileNoCase(folder, QStringLiteral("Fahrzeuge20.lda"));
    FahrzeugDatenbank db;
    const FahrzeugDatenbank::Gelesen read = db.lesenDatei(path);
    if (!read.ok()) {
        err << read.error << '\n';
        return 1;
    }
    if (!QDir().mkpath(target)) {
        err << "Zielordner kann nicht angelegt werden: " << target << '\n';
        return 1;
    }
    int failures = 0;
    for (const HomepageSeite& seite : HomepageSeitenTabelle()) {
        const QByteArray bytes = HomepageDatei(db, seite);
        QString error;
        if (!SaveFileAtomically(QDir(target).filePath(seite.datei), bytes, &error)) {
            err << seite.datei << ": " << error << '\n';
            ++failures;
        } else {
            out << seite.datei << '\n';
        }
    }
    return failures == 0 ? 0 : 1;
}

// Writes the generated tile sheet. Painting text needs a GUI application (fonts), which runs
// offscreen unless a platform is asked for.
int tiles(int argc, char** argv, const QString& path, QTextStream& err)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (!GleisKachelBild().save(path, "PNG")) {
        err << "Bild kann nicht geschrieben werden: " << path << '\n';
        return 1;
    }
    return 0;
}

// Searches the routes of every station (or of the one named) on the project's plan and prints
// them: name, target, direction, the elements with the positions they are set to, contacts.
int routes(const QString& folderPath, const QString& nurStation, QTextStream& out, QTextStream& err)
{
    const QDir folder(folderPath);
    if (!folder.exists()) {
        err << "Projektordner nicht gefunden: " << folderPath << '\n';
        return 1;
    }
    const QString project = folder.dirName();
    // The project folder is <program folder>Projekte/<project>/.
    const QString programFolder = QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../.."))) + u'/';
    KopflosesProgramm k(programFolder);
    // Stations first, then the plan: the plan binds its displays to the stations.
    if (!k.zugeUndStationen(folder.absolutePath(), project)) {
        err << k.dialogs.texts.join(u'\n') << '\n';
        return 1;
    }
    GleisplanDatei plan(k.programm);
    if (!plan.LoadTrackPlan(FindFileNoCase(folder.absolutePath(), project + QStringLiteral(".da2")))
        || !k.bild.Gleisplan_Geladen) {
        err << k.dialogs.texts.join(u'\n') << '\n';
        return 1;
    }
    bool gefunden = false;
    for (const auto& station : k.daten.HaltestellenListe) {
        if (!nurStation.isEmpty() && station->HaltestelleName != nurStation) {
            continue;
        }
        gefunden = true;
        const SuchStatistik s = NeueFahrstrassenSuchen(k.bild, k.daten, *station);
        out << station->HaltestelleName << " (" << station->HaltestelleID << "): " << s.routes << " Fahrstrassen, "
            << s.walks << " Durchlaeufe, " << s.steps << " Schritte\n";
        for (const auto& f : k.daten.DummyNeueFahrstrasseHaltestelle.HaltestelleFahrstrassen) {
            const THaltestelle* ziel = k.daten.HaltestelleVonId(f->ZielHaltestelleID);
            out << "  " << f->FahrstrasseName << " -> " << (ziel ? ziel->HaltestelleName : QStringLiteral("?"))
                << " Richtung " << f->FahrstrasseRichtung << " Ziel " << f->FahrstrasseRichtungZiel << '\n';
            out << "    Elemente:";
            for (const FahrstrasseElement& e : f->FahrstrasseElemente) {
                out << ' ' << e.ElementName << '(' << e.Spalte << '/' << e.Zeile << ")=" << e.StellungSetzen;
                if (!e.Gueltig) {
                    out << '*';
                }
            }
            out << "\n    Kontakte:";
            QList<int> kontakte;
            for (const FahrstrasseElement& e : f->FahrstrasseElemente) {
                if (e.Gueltig && e.GleisKontaktNr != 0 && !kontakte.contains(e.GleisKontaktNr)) {
                    kontakte << e.GleisKontaktNr;
                    out << ' ' << e.GleisKontaktNr;
                }
            }
            out << '\n';
        }
    }
    if (!gefunden) {
        err << "Haltestelle nicht gefunden: " << nurStation << '\n';
        return 1;
    }
    return 0;
}
// Names `projekt` in the parameter file of the program folder, keeping its other values, as the
// program does when the user switches the project.
int openNext(const QString& folder, const QString& projekt, QTextStream& err)
{
    if (!IsValidProjectName(projekt)) {
        err << "Ungültiger Projektname: " << projekt << '\n';
        return 1;
    }
    const QString programFolder = QDir(folder).absolutePath() + u'/';
    const SystemClock clock;
    InstallationParameters parameters;
    const ParameterFileResult read = ReadParameterFile(programFolder, clock, parameters);
    QString error = read.error;
    if (read.ok && WriteParameterFile(programFolder, parameters, projekt, &error)) {
        return 0;
    }
    err << error << '\n';
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("tiles")) {
        QTextStream err(stderr);
        return tiles(argc, argv, QString::fromLocal8Bit(argv[2]), err);
    }
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        return usage(err);
    }
    if (args[1] == QLatin1String("tree") && args.size() == 3) {
        return tree(args[2], out, err);
    }
    if (args[1] == QLatin1String("check") && args.size() == 3) {
        return check(args[2], out, err);
    }
    if (args[1] == QLatin1String("resave") && args.size() == 4) {
        return resave(args[2], args[3], out, err);
    }
    if (args[1] == QLatin1String("routes") && (args.size() == 3 || args.size() == 4)) {
        return routes(args[2], args.size() == 4 ? args[3] : QString(), out, err);
    }
    if (args[1] == QLatin1String("probe") && args.size() == 3) {
        const EcosProbeResult probe = EcosProbe(args[2]);
        for (const QString& line : probe.report) {
            out << line << "\n";
        }
        if (!probe.ok) {
            err << "probe failed: " << probe.error << "\n";
            return 1;
        }
        return 0;
    }
    if (args[1] == QLatin1String("open-next") && args.size() == 4) {
        return openNext(args[2], args[3], err);
    }
    if (args[1] == QLatin1String("export-html") && args.size() == 4) {
        return exportHtml(args[2], args[3], out, err);
    }
    return usage(err);
}
