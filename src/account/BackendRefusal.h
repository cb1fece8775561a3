#pragma once

#include <QJsonObject>
#include <QString>

namespace nivora {

// What the backend's refusals mean, in the user's language. The backend words
// them in English and names them with a stable code ("error_code", or "code" as
// text on newer API versions); older servers only send the English message, so
// their known messages are recognised too. A refusal this table does not know
// keeps the server's own words after "Le serveur a répondu : ".
namespace BackendRefusal {

// True when the reply carries any of the members the backend refuses with.
bool isRefusal(const QJsonObject& reply);

// The French text for a refusal; `fallback` when the reply names nothing at all.
QString text(const QJsonObject& reply, const QString& fallback);

} // namespace BackendRefusal

} // namespace nivora
