#pragma once

#include "platform/OcclusionMonitor.h"

#include <QHash>
#include <QWindow>

namespace nivora {

// Occlusion set by a test through setCovered().
class FakeOcclusionMonitor : public OcclusionMonitor
{
    Q_OBJECT

public:
    using OcclusionMonitor::OcclusionMonitor;

    void watch(QWindow* window, const QRect&) override { m_covered.insert(window, false); }
    void unwatch(QWindow* window) override { m_covered.remove(window); }
    bool isCovered(QWindow* window) const override { return m_covered.value(window, false); }

    QList<QWindow*> watched() const { return m_covered.keys(); }
    void setCovered(QWindow* window, bool covered)
    {
        auto it = m_covered.find(window);
        if (it == m_covered.end() || *it == covered)
            return;
        *it = covered;
        Q_EMIT coveredChanged(window, covered);
    }

private:
    QHash<QWindow*, bool> m_covered;
};

} // namespace nivora
