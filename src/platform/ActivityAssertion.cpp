#include "platform/ActivityAssertion.h"

namespace nivora {

void ActivityAssertion::begin(quint64, const QString& reason)
{
    if (m_held)
        return;
    m_held = true;
    m_reason = reason;
}

void ActivityAssertion::end()
{
    m_held = false;
    m_reason.clear();
}

} // namespace nivora
