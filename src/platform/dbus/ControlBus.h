#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace nivora {

// What a command sent to the running instance returns: an exit status for the
// command line (0 done, 2 refused) and the text to print (stdout on 0, stderr
// otherwise).
struct ControlReply
{
    int status = 0;
    QString output;
};

// The running instance's end of the session-bus remote control. It owns the
// app's well-known bus name, which is also what keeps a second instance from
// starting. Main thread only.
class ControlServer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<ControlReply(const QString& command, const QStringList& args)>;

    enum class Registration
    {
        Registered,     // we own the name and answer commands
        AlreadyRunning, // another instance owns the name
        NoBus,          // no session bus: run alone, without remote control
    };

    explicit ControlServer(Handler handler, QObject* parent = nullptr);
    ~ControlServer() override;

    Registration registerInstance();

    // Called by the bus adaptor.
    ControlReply handle(const QString& command, const QStringList& args);

private:
    Handler m_handler;
    bool m_registered = false;
};

// The command line's end. Blocking; for short-lived `nivora ctl` processes and
// for the second-launch hand-over.
namespace ControlClient {

enum class Outcome
{
    Answered,
    NoInstance,
    NoBus,
    Failed
};

struct Result
{
    Outcome outcome = Outcome::Failed;
    ControlReply reply;
    QString error; // set unless Answered
};

Result call(const QString& command, const QStringList& args, int timeoutMs = 15000);

// True when some process owns the app's bus name.
bool instanceRunning();

} // namespace ControlClient

QString controlServiceName();

} // namespace nivora
