// The start window's logic: the start requests to the drivers, the log, the opening sequence,
// save-all, the end of the program and the project management. Receives core messages on the
// UI thread; TInfoForm shows its state.
#pragma once

#include "core/MessageBus.h"
#include "core/StepSequence.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

struct Programm;

class TInfo : public QObject, public MessageReceiver {
    Q_OBJECT
public:
    struct LogZeile {
        QString text;
        bool rot = false;
    };

    // One row of the project list; `Ordner` is the folder the row stands for.
    struct ProjektZeile {
        QString Name;
        QString Zentrale;
        QString Erstelldatum;
        QString Aktiv;
        QString Loeschen;
        QString Ordner;
    };

    explicit TInfo(Programm& programm);
    ~TInfo() override;

    void receive(const CoreMessage& message) override;

    void ShowStartWindow();
    void OpenProject(bool connect);
    // Writes every project file whose loading did not fail; false when a save failed.
    bool SaveAll();
    // Writes one project file at once (after a change made from a menu), under the same rule as
    // SaveAll; a failure is shown. False when it could not be written.
    enum class Datei { Gleisplan, Haltestellen, Fahrstrassen, Zuge };
    bool Speichern(Datei datei);
    // The exit key: asks, saves, disconnects and ends the program.
    void EndProgram(bool fromStartWindow);

    // Project management.
    void ListProjects();
    void LeaveProjectList();
    void SelectProjectRow(int row);
    void CreateProject(const QString& name);
    void DeleteProject();
    void SwitchProject();
    QString BackupProposal() const;
    bool BackupNameFree(const QString& name) const;
    void BackupProject(const QString& name);

    // The main window's information entry: the start window for information only.
    void ShowInfoWindow();
    // The start window's close button: before a project is open it ends the program; otherwise
    // it hides the window.
    void CloseWindow();

    // Shown state.
    const std::vector<LogZeile>& LogMemo() const { return log_; }
    QStringList logTexts() const;
    QString caption;
    QString versionText;
    QString zentraleText;
    QString lokdatenbankText;
    QString closeHint;
    int progressPosition = 0;
    int progressMaximum = 18;
    bool progressVisible = true;
    bool buttonsEnabled = true;
    bool visible = false;
    bool projectListVisible = false;
    bool debugFilter = true;
    const std::vector<ProjektZeile>& Projekte() const { return projekte_; }
    int selectedRow = -1;
    QString deleteLabel;  // "<name> lösschen", empty when the row offers none
    QString switchLabel;  // "<name> öffnen"
    bool switchEnabled = false;
    bool newProjectEnabled = false;
    QString InfoFensterGeometrie = QStringLiteral("0151017306241031_InfoFenster");

    bool InfoNurAnzeige = false;
    bool NeuesProjektAngelegt = false;
    bool BeendenAusInfofenster = false;
    // What the opening sequence loaded; save-all writes only what was loaded, so a file that
    // failed to load, or was never loaded in this run, is never overwritten.
    bool stationsLoaded = false;
    bool planLoaded = false;
    bool trainsLoaded = false;
    bool routesLoaded = false;

    // Ends the program for a restart: power off, disconnect, remember the project; then the
    // program starts again (`neustart` is set for the caller that ends the process).
    void NeustartBeenden();
    bool neustart = false;
    // The window was moved or resized: its position is kept as text in the project settings.
    void setFensterGeometrie(const QRect& rect);
    // Ctrl+D: switches the debug view of every window.
    void DebugTaste();

    // Log lines: "* " + time + text, and "*" + time + text.
    void logStar(const QString& text);
    void logPlain(const QString& text);

Q_SIGNALS:
    void changed();
    // The program ends: the main window closes.
    void programEndRequested();

private:
    bool speichern(Datei datei, QString* error);
    void log(const QString& text, bool red = false);
    void setProgress(int position);
    void status(const QString& text);
    void MessageRecieveOPEN_LOKLISTE_OK(const CoreMessage& message);
    void MessageRecieveOPEN_MAGNETARTLISTE_OK(const CoreMessage& message);
    void MessageRecieveOPEN_S88_MAX_OK(const CoreMessage& message);
    void MessageRecieveVERBUNDEN();
    void disconnectAndEnd(qint64 waitMs, const std::function<void()>& beforeEnd = {});
    QString projectsFolder() const;
    QString listenOrdner() const;
    QString neuerProjektOrdner(const QString& name);
    bool projectListed(const QString& name) const;

    Programm& programm_;
    std::vector<LogZeile> log_;
    std::vector<ProjektZeile> projekte_;
    StepSequence opening_;
    StepSequence ending_;
};
