#pragma once

#include <QString>

namespace nivora {

// Keeps the process from being throttled while the wallpaper runs. Nothing
// throttles a background process on Linux, so this only records whether an
// assertion is held, for status reports and for symmetry of the begin and end
// calls. Main thread.
class ActivityAssertion
{
public:
    // Begins an assertion; a second begin while one is held changes nothing.
    void begin(quint64 options, const QString& reason);
    // Ends the held assertion, if any.
    void end();
    bool isHeld() const { return m_held; }
    QString reason() const { return m_reason; }

private:
    bool m_held = false;
    QString m_reason;
};

} // namespace nivora
