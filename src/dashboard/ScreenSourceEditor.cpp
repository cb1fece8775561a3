#include "dashboard/ScreenSourceEditor.h"

#include "model/SettingsSchema.h"
#include "state/SettingsCodec.h"

#include <QJsonArray>
#include <QMetaMethod>

namespace nivora {

namespace {

// Settings the pages never edit and whose assignment reaches outside the store.
bool isMirrored(const QString& key)
{
    return key != QLatin1String("launchAtLogin");
}

// Assigns a value the store already holds somewhere, as loading does: the
// palette's name and colours each as they are, since the codec's checked
// assignment ties one to the other.
void assign(AppState& state, const QString& key, const QJsonValue& value)
{
    if (key == QLatin1String("paletteName")) {
        state.setPaletteName(value.toString());
    } else if (key == QLatin1String("paletteHex")) {
        QList<QColor> colors;
        for (const QJsonValue& c : value.toArray())
            colors.append(colorFromHex(static_cast<quint32>(c.toInteger())));
        state.setPaletteColors(colors);
    } else {
        SettingsCodec::apply(state, key, value);
    }
}

} // namespace

ScreenSourceEditor::ScreenSourceEditor(AppState& state, QObject* parent)
    : QObject(parent), m_state(state), m_store(QString()), m_edited(m_store, false)
{
    // The copy is never saved: its saving is driven by its own willChange(),
    // which is cut here before anything else listens to it.
    disconnect(&m_edited, &AppState::willChange, nullptr, nullptr);
    pull();
    // Every property's change signal, at once: a page that writes a value
    // reads it back from the store in the same turn, and so may its tests.
    const auto follow = [this](AppState* from, const char* slot) {
        const QMetaMethod target = metaObject()->method(metaObject()->indexOfSlot(slot));
        const QMetaObject* mo = from->metaObject();
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
            const QMetaMethod signal = mo->method(i);
            if (signal.methodType() == QMetaMethod::Signal && signal.name() != "willChange" &&
                signal.name() != "saved")
                connect(from, signal, this, target);
        }
    };
    follow(&m_state, "pull()");
    follow(&m_edited, "push()");
}

ScreenSourceEditor::~ScreenSourceEditor() = default;

bool ScreenSourceEditor::editsScreen() const
{
    return !m_target.isEmpty() && m_state.screenOverrides().contains(m_target);
}

void ScreenSourceEditor::setTarget(const QString& screen)
{
    if (screen == m_target)
        return;
    m_target = screen;
    pull();
    Q_EMIT targetChanged(m_target);
}

QJsonObject ScreenSourceEditor::shownValues() const
{
    QJsonObject values = SettingsCodec::toJson(m_state);
    if (editsScreen()) {
        const QJsonObject own = SettingsCodec::screenJson(m_state, m_target);
        for (auto it = own.begin(); it != own.end(); ++it)
            values.insert(it.key(), it.value());
    }
    return values;
}

void ScreenSourceEditor::pull()
{
    if (m_pushing || m_pulling)
        return;
    const QJsonObject values = shownValues();
    const QJsonObject current = SettingsCodec::toJson(m_edited);
    m_pulling = true;
    for (const QString& key : SettingsCodec::keys()) {
        if (isMirrored(key) && current.value(key) != values.value(key))
            assign(m_edited, key, values.value(key));
    }
    m_pulling = false;
    // A screen's own speed runs its previews on a clock of their own, as its
    // desktop view does (see ScenePreviewSurface).
    m_edited.setProperty("ownAnimationClock",
                         editsScreen() &&
                             m_state.screenOverrides().value(m_target).contains(QStringLiteral("speed")));
    // What the copy holds: a value it could not take (one the settings file
    // brought out of range) must not count as an edit later.
    m_pulled = SettingsCodec::toJson(m_edited);
}

void ScreenSourceEditor::push()
{
    if (m_pulling || m_pushing)
        return;
    m_pushing = true;
    const QJsonObject current = SettingsCodec::toJson(m_edited);
    const bool toScreen = editsScreen();
    ScreenOverrideMap overrides = m_state.screenOverrides();
    bool screenEdited = false;
    for (const QString& key : SettingsCodec::keys()) {
        if (!isMirrored(key) || current.value(key) == m_pulled.value(key))
            continue;
        if (toScreen && SettingsSchema::get(key).perScreen) {
            overrides[m_target].insert(key, current.value(key));
            screenEdited = true;
        } else {
            assign(m_state, key, current.value(key));
        }
    }
    if (screenEdited)
        m_state.setScreenOverrides(overrides);
    m_pushing = false;
    m_pulled = current;
}

} // namespace nivora
