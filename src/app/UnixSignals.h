#pragma once

#include <QObject>

class QSocketNotifier;

namespace nivora {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread (through
// a self-pipe), so the app can save pending settings and quit cleanly.
class UnixSignals : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignals(QObject* parent = nullptr);
    ~UnixSignals() override;

    bool isValid() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace nivora
