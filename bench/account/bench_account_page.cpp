// Time from the backend's reply leaving a loopback server to the Account page
// painting its signed-in card, over repeated sign-ins. The server lives in this
// process, so both moments are read from one clock: the reply's last byte handed
// to the kernel, and the first paint of the signed-in card after it.
//   bench_account_page [RUNS]
#include "account/AccountStore.h"
#include "dashboard/AccountPage.h"
#include "design/PaperCard.h"
#include "state/DefaultsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace nivora;

namespace {

class PaintWatch : public QObject
{
public:
    qint64 paintedAt = -1;
    const QElapsedTimer* clock = nullptr;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && paintedAt < 0)
            paintedAt = clock->nsecsElapsed();
        return false;
    }
};

void spin(const std::function<bool()>& done)
{
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QElapsedTimer clock;
    clock.start();
    qint64 repliedAt = -1;

    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket, buffer] {
            *buffer += socket->readAll();
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0 || !buffer->mid(end + 4).endsWith('}'))
                return;
            const QByteArray body =
                QJsonDocument(QJsonObject{{"access_token", "t"},
                                          {"refresh_token", "r"},
                                          {"user", QJsonObject{{"email", "ada@example.org"}}}})
                    .toJson(QJsonDocument::Compact);
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->flush();
            repliedAt = clock.nsecsElapsed();
            socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    });

    QTemporaryDir dir;
    DefaultsStore defaults(dir.filePath("defaults.json"));
    AccountStore store(
        defaults, SupabaseConfig::fromValues(QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()),
                                             "aaa.bbb.ccc"));
    AccountPage page(store);
    page.resize(900, 700);
    page.show();
    PaintWatch watch;
    watch.clock = &clock;
    page.signedInCard()->installEventFilter(&watch);
    spin([&] { return page.isVisible() && page.formCard()->isVisible(); });
    page.emailField()->setText("ada@example.org");
    page.passwordField()->setText("pw");

    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        repliedAt = -1;
        watch.paintedAt = -1;
        store.signIn(page.emailField()->text(), page.passwordField()->text());
        spin([&] { return watch.paintedAt >= 0 && repliedAt >= 0; });
        if (watch.paintedAt < 0 || repliedAt < 0) {
            std::fprintf(stderr, "run %d: no signed-in card\n", i);
            return 1;
        }
        ms.push_back((watch.paintedAt - repliedAt) / 1e6);
        store.signOut();
        // Let the form come back and settle before the next round.
        QElapsedTimer settle;
        settle.start();
        spin([&] { return settle.elapsed() > 50; });
    }
    std::sort(ms.begin(), ms.end());
    std::printf("reply_to_signed_in_card_ms median %.2f min %.2f max %.2f (runs %zu)\n", ms[ms.size() / 2],
                ms.front(), ms.back(), ms.size());
    return 0;
}
