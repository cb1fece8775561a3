// What the account store costs a process that never signs in, and what its first
// request adds. The process goes through three phases, each announced on stdout
// ("phase NAME PID") and held for a few seconds so that run.sh can measure it
// from /proc with procstat:
//   baseline  the application object and a settings file, no store;
//   store     the store made, with a stored session read at start-up;
//   request   after one sign-in against a loopback server in this process.
#include "account/AccountStore.h"
#include "state/DefaultsStore.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

using namespace nivora;

namespace {

void announce(const char* phase)
{
    std::printf("phase %s %d\n", phase, static_cast<int>(::getpid()));
    std::fflush(stdout);
}

void hold(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv)
{
    // The store lives in the GUI application; measure it in the same kind of process.
    QGuiApplication app(argc, argv);
    const int holdMs = argc > 1 ? std::atoi(argv[1]) : 3000;

    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&server] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            if (!socket->readAll().contains("\r\n\r\n"))
                return;
            const QByteArray body = QJsonDocument(QJsonObject{{"access_token", "t"},
                                                              {"refresh_token", "r"},
                                                              {"user", QJsonObject{{"email", "a@b.c"}}}})
                                        .toJson(QJsonDocument::Compact);
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    });

    QTemporaryDir dir;
    DefaultsStore defaults(dir.filePath("defaults.json"));
    defaults.setValues({{"speed", 0.5}, {"sb_access", "stored"}, {"sb_refresh", "r"}, {"sb_email", "a@b.c"}});

    announce("baseline");
    hold(holdMs);

    const SupabaseConfig config = SupabaseConfig::fromValues(
        QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()), QStringLiteral("aaa.bbb.ccc"));
    auto* store = new AccountStore(defaults, config);
    if (!store->signedIn() || store->networkStarted())
        return 1;
    announce("store");
    hold(holdMs);

    store->signOut();
    store->signIn("a@b.c", "pw");
    QEventLoop wait;
    QObject::connect(store, &AccountStore::busyChanged, &wait, &QEventLoop::quit);
    wait.exec();
    if (!store->signedIn())
        return 1;
    announce("request");
    hold(holdMs);
    delete store;
    return 0;
}
