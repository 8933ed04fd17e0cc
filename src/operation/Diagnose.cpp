#include "operation/Diagnose.h"

#include "core/Programm.h"
#include "diagram/GleisBild.h"
#include "operation/BetriebsDaten.h"

namespace {
const QString kSimulationTimer = QStringLiteral("TDiagnose.SimulationTimer");
}

TDiagnose::TDiagnose(Programm& programm) : programm_(programm) {}

TDiagnose::~TDiagnose()
{
    programm_.scheduler.cancel(kSimulationTimer);
}

void TDiagnose::DiagnoseZeile(const QString& text, int art)
{
    if (!sichtbar_) {
        return;
    }
    zeilen_.push_back({text, art >= ArtRot && art <= ArtBlau ? art : ArtRot});
    while (zeilen_.size() > static_cast<std::size_t>(MaxZeilen)) {
        zeilen_.pop_front();
    }
}

QString TDiagnose::SimulationMenuText() const
{
    return simulationAn_ ? QStringLiteral("&Simulation ausschalten") : QStringLiteral("Si&mulation einschalten");
}

void TDiagnose::SimulationEinschalten()
{
    simulationAn_ = true;
    timerStarten();
    if (programm_.betriebsdaten == nullptr || programm_.gleisbild == nullptr) {
        return;
    }
    for (const auto& h : programm_.betriebsdaten->HaltestellenListe) {
        const TGleisBildElement* e = h->HaltestelleElement;
        if (e != nullptr && e->Zug != nullptr) {
            programm_.gleisbild->SetContactState(e->GleisKontaktNr, 1);
        }
    }
}

void TDiagnose::SimulationAusschalten()
{
    simulationAn_ = false;
    programm_.scheduler.cancel(kSimulationTimer);
}

void TDiagnose::timerStarten()
{
    programm_.scheduler.cancel(kSimulationTimer);
    programm_.scheduler.every(SimulationIntervall, kSimulationTimer, [this] { SimulationTimerTimer(); });
}

void TDiagnose::SimulationKontakt(int kontakt)
{
    queue_.push_back(kontakt);
    if (simulationAn_) {
        timerStarten();
    }
}

void TDiagnose::SimulationTimerTimer()
{
    if (queue_.empty()) {
        return;
    }
    const int kontakt = queue_.front();
    queue_.pop_front();
    if (programm_.gleisbild != nullptr) {
        programm_.gleisbild->SetContactState(kontakt, 1);
    }
}
