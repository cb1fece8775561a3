#pragma once

#include "platform/dbus/ControlBus.h"

namespace nivora {

class AppState;
class AppDelegate;

// Answers the commands `nivora ctl` sends to the running instance.
class ControlCommands
{
public:
    // `screenNames` gives the screens connected now, which `--screen` accepts
    // besides those that already have values of their own; without it any
    // name is accepted.
    ControlCommands(AppState& state, AppDelegate* delegate, std::function<QJsonObject()> status,
                    std::function<QStringList()> screenNames = {});

    ControlReply handle(const QString& command, const QStringList& args);

    static const QStringList& commands();

private:
    ControlReply account(const QStringList& args);
    // `get`, `set` and `reset` with `--screen NAME`; `args` follow the name.
    ControlReply screen(const QString& command, const QString& name, const QStringList& args);

    AppState& m_state;
    AppDelegate* m_delegate;
    std::function<QJsonObject()> m_status;
    std::function<QStringList()> m_screenNames;
};

} // namespace nivora
