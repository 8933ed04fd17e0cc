// trassolin-sim: an ECoS command station on loopback TCP.
//
//   trassolin-sim SCENARIO [PORT] [CONTROLPORT]
//
// PORT 0 (default) takes a free port. Prints "ecos <port>" and "control <port>" on stdout, then
// serves until "quit" arrives on the control port or on stdin. Control commands (one per line,
// on the control port or stdin): see kControlHelp.
#include "EcosSimulator.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>
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
    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "cannot read " << args[1] << "\n";
        return 2;
    }
    QString error;
    const std::optional<Sim::Scenario> scenario = Sim::Scenario::parse(QString::fromUtf8(file.readAll()), &error);
    if (!scenario) {
        err << args[1] << ": " << error << "\n";
        return 2;
    }
    Sim::EcosServer server(*scenario);
    if (!server.listen(static_cast<quint16>(args.value(2, QStringLiteral("0")).toUInt()))) {
        err << "cannot listen on port " << args.value(2) << "\n";
        return 1;
    }
    Sim::EcosControlServer control(server);
    if (!control.listen(static_cast<quint16>(args.value(3, QStringLiteral("0")).toUInt()))) {
        err << "cannot listen on control port " << args.value(3) << "\n";
        return 1;
    }
    QObject::connect(&control, &Sim::EcosControlServer::quitRequested, &app, &QCoreApplication::quit);
    QObject::connect(&server, &Sim::EcosServer::commandReceived, &app, [&err](const QString& line) {
        err << "<< " << line << "\n";
        err.flush();
    });
    out << "ecos " << server.port() << "\ncontrol " << control.port() << "\n";
    out.flush();

    Sim::EcosControl stdinControl(server);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[512];
        if (!std::fgets(buffer, sizeof buffer, stdin)) {
            input.setEnabled(false); // stdin closed: keep serving until "quit" on the control port
            return;
        }
        const QString answer = stdinControl.execute(QString::fromUtf8(buffer));
        out << answer << "\n";
        out.flush();
        if (answer == u"BYE") {
            app.quit();
        }
    });
    return app.exec();
}
