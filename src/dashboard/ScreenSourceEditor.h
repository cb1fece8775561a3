#pragma once

#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QJsonObject>
#include <QObject>
#include <QString>

namespace nivora {

// What the Scenes, Colours and Media pages edit: the main settings, or the
// values of one screen that has its own. The pages are built over edited(), a
// store of their own that never saves: this keeps it equal to what the target
// shows and writes every edit made on it to the main settings or to the
// screen's own values, so each existing control edits the target without
// knowing of screens. Main thread.
class ScreenSourceEditor : public QObject
{
    Q_OBJECT

public:
    explicit ScreenSourceEditor(AppState& state, QObject* parent = nullptr);
    ~ScreenSourceEditor() override;

    AppState& edited() { return m_edited; }
    // The screen chosen on the pages; empty for the main settings.
    const QString& target() const { return m_target; }
    void setTarget(const QString& screen);
    // Whether edits go to the target screen's own values: it is chosen and has
    // values of its own. A screen that follows the main settings edits them.
    bool editsScreen() const;

Q_SIGNALS:
    void targetChanged(const QString& screen);

private Q_SLOTS:
    // The target's values into edited(), and edits made on edited() out.
    void pull();
    void push();

private:
    QJsonObject shownValues() const;

    AppState& m_state;
    DefaultsStore m_store;
    AppState m_edited;
    QString m_target;
    // What pull() last put into edited(): an edit is what differs from it.
    QJsonObject m_pulled;
    bool m_pulling = false;
    bool m_pushing = false;
};

} // namespace nivora
