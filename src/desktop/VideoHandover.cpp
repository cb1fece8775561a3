#include "desktop/VideoHandover.h"

#include "platform/FreedMemory.h"

#include <algorithm>

namespace nivora {

namespace {

// The longest a screen's previous wallpaper waits for a video's first frame.
constexpr int kHandoverMs = 3000;

} // namespace

VideoHandover::VideoHandover(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { end({}); });
}

VideoHandover::~VideoHandover()
{
    ScreenWallpaper::tearDown(m_held);
}

bool VideoHandover::holds(const QString& screen) const
{
    return std::any_of(m_held.begin(), m_held.end(), [&](const auto& w) { return w->screenKey() == screen; });
}

void VideoHandover::hold(ScreenWallpaper::List& previous, const QSet<QString>& screens, QObject* owner)
{
    for (auto& old : previous) {
        if (old && screens.contains(old->screenKey()))
            m_held.push_back(std::move(old));
    }
    // A player kept draws into every window it showed on: those stay too.
    for (auto& old : previous) {
        if (old && old->video() && std::any_of(m_held.begin(), m_held.end(), [&](const auto& held) {
                return held->video() == old->video();
            }))
            m_held.push_back(std::move(old));
    }
    for (const auto& w : m_held)
        w->holdStill(owner);
}

void VideoHandover::end(const QSet<QString>& screens)
{
    // A player shared by several screens draws into all their windows: they
    // go together.
    QSet<QString> going = screens;
    for (bool grew = true; grew && !screens.isEmpty();) {
        grew = false;
        for (const auto& a : m_held) {
            if (!a->video() || !going.contains(a->screenKey()))
                continue;
            for (const auto& b : m_held) {
                if (b->video() == a->video() && !going.contains(b->screenKey())) {
                    going.insert(b->screenKey());
                    grew = true;
                }
            }
        }
    }
    ScreenWallpaper::List done;
    for (auto& old : m_held) {
        if (screens.isEmpty() || going.contains(old->screenKey()))
            done.push_back(std::move(old));
    }
    std::erase(m_held, nullptr);
    if (m_held.empty())
        m_timer.stop();
    // The crash marker is left alone: it names the new file, which has not
    // shown yet.
    if (ScreenWallpaper::tearDown(done))
        QTimer::singleShot(0, this, [] { FreedMemory::release(); });
}

void VideoHandover::settle(const ScreenWallpaper::List& built)
{
    // Screens no video was built for after all give up theirs at once, but
    // for a player that still covers a screen waiting for one.
    QSet<QString> waiting;
    for (const auto& w : built) {
        if (w->overPrevious())
            waiting.insert(w->screenKey());
    }
    QSet<QString> done;
    for (const auto& old : m_held) {
        const bool coversWaiting = std::any_of(m_held.begin(), m_held.end(), [&](const auto& other) {
            return waiting.contains(other->screenKey()) &&
                   (other == old || (old->video() && other->video() == old->video()));
        });
        if (!coversWaiting)
            done.insert(old->screenKey());
    }
    if (!done.isEmpty())
        end(done);
    if (!m_held.empty())
        m_timer.start(kHandoverMs);
}

} // namespace nivora
