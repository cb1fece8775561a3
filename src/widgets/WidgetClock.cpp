#include "widgets/WidgetClock.h"

#include <ctime>

namespace nivora {

namespace {

class SystemWidgetClock final : public WidgetClock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    qint64 uptimeMilliseconds() const override
    {
        // CLOCK_MONOTONIC counts from boot and stops while the machine is
        // suspended, so the face shows how long the machine has been running.
        timespec ts{};
        if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0)
            return 0;
        return static_cast<qint64>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
    }
};

} // namespace

const WidgetClock& WidgetClock::system()
{
    static const SystemWidgetClock clock;
    return clock;
}

} // namespace nivora
