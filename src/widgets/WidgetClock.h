#pragma once

#include <QDateTime>

namespace nivora {

// Where the widget faces read the time: the wall clock for dates and the
// system's uptime for the uptime face. Faces take a clock so that tests can
// show them any instant; the application uses system().
class WidgetClock
{
public:
    virtual ~WidgetClock() = default;

    virtual QDateTime now() const = 0;
    // Time since boot, excluding time spent suspended, in milliseconds.
    virtual qint64 uptimeMilliseconds() const = 0;

    // The real clocks of this machine; lives for the whole process.
    static const WidgetClock& system();
};

} // namespace nivora
