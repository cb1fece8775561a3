#pragma once

#include "platform/dbus/ControlBus.h"

namespace nivora {

class AppState;
class AppDelegate;

// Answers the commands `nivora ctl` sends to the running instance.
class ControlCommands
{
public:
    ControlCommands(AppState& state, AppDelegate* delegate, std::function<QJsonObject()> status);

    ControlReply handle(const QString& command, const QStringList& args);

    static const QStringList& commands();

private:
    ControlReply account(const QStringList& args);

    AppState& m_state;
    AppDelegate* m_delegate;
    std::function<QJsonObject()> m_status;
};

} // namespace nivora
