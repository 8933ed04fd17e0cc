// trassolin-sim: an ECoS command station with a simulated layout on loopback TCP.
//
//   trassolin-sim SCENARIO [PORT] [CONTROLPORT]
//
// SCENARIO lists the station's locomotives, accessories and feedback modules and, optionally,
// the track plan (.da2) the trains run on and where each locomotive stands:
//   info "ECoS2" 0.5 4.2.6 2.0          product, protocol, application, hardware version
//   loco 1002 16 DCC28 "V 160"          id, address, protocol word, name
//   accessory 20000 5 "Weiche 5"        id, address, name (elements with MagnetArtNr 5)
//   module 100                          feedback module; contact n of the plan is port
//                                       (n-1)%16 of the ((n-1)/16+1)-th module listed
//   plan Demo/Demo.da2                  the track plan, relative to the scenario file
//   place 1002 12/5 E 3 0.05            loco, element name or column/row of the train's front,
//                                       heading when driving forward (N NE E SE S SW W NW),
//                                       length in cells, cells per second per speed step
// The trains run in real time (a 50 ms tick) at their speed steps, follow the turnouts as the
// program sets them, occupy and free the feedback contacts they cover and stop at buffer
// stops, ends of track, turnouts set against them and other trains.
//
// PORT 0 (default) takes a free port. Prints "ecos <port>" and "control <port>" on stdout, then
// every layout event ("12.350 derailed 1002 at <element> (<reason>)", contacts occupied and
// freed, "switched <element> under <loco>"), and serves until "quit" arrives on the control
// port or on stdin. Control commands (one per line, on the control port or stdin): see
// kControlHelp; "status" lists each train's elements, heading, direction, speed and derailment.
#include "Simulator.h"
#include "core/QtScheduler.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() < 2 || args.size() > 4) {
        err << "usage: trassolin-sim SCENARIO [PORT] [CONTROLPORT]\n";
        return 2;
    }
    QString error;
    const std::optional<Sim::Scenario> scenario = Sim::Scenario::read(args[1], &error);
    if (!scenario) {
        err << args[1] << ": " << error << "\n";
        return 2;
    }
    QtScheduler clock; // outlives the simulator, which runs on it
    std::unique_ptr<Sim::Simulator> sim = Sim::Simulator::create(*scenario, &error);
    if (!sim) {
        err << args[1] << ": " << error << "\n";
        return 2;
    }
    for (const QString& warning : sim->model().warnings()) {
        err << "warning: " << warning << "\n";
    }
    if (!sim->listen(static_cast<quint16>(args.value(2, QStringLiteral("0")).toUInt()))) {
        err << "cannot listen on port " << args.value(2) << "\n";
        return 1;
    }
    Sim::EcosControlServer control([&sim](const QString& line) { return sim->execute(line); });
    if (!control.listen(static_cast<quint16>(args.value(3, QStringLiteral("0")).toUInt()))) {
        err << "cannot listen on control port " << args.value(3) << "\n";
        return 1;
    }
    QObject::connect(&control, &Sim::EcosControlServer::quitRequested, &app, &QCoreApplication::quit);
    QObject::connect(&sim->server(), &Sim::EcosServer::commandReceived, &app, [&err](const QString& line) {
        err << "<< " << line << "\n";
        err.flush();
    });
    QObject::connect(sim.get(), &Sim::Simulator::reported, &app, [&out](const Sim::LayoutEvent& event) {
        out << event.text() << "\n";
        out.flush();
    });
    out << "ecos " << sim->port() << "\ncontrol " << control.port() << "\n";
    out.flush();

    sim->run(clock);
    // Lines from stdin, read as they come (a pipe may deliver several at once, or half of one).
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false); // stdin closed: keep serving until "quit" on the control port
            return;
        }
        pending.append(buffer, n);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            const QString answer = sim->execute(QString::fromUtf8(pending.left(end)));
            pending.remove(0, end + 1);
            out << answer << "\n";
            out.flush();
            if (answer == u"BYE") {
                app.quit();
                return;
            }
        }
    });
    return app.exec();
}
