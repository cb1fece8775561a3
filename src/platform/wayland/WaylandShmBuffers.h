#pragma once

#include <QSize>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

struct wl_buffer;
struct wl_shm;

namespace nivora {

// A surface's shared-memory buffers: up to maxCount buffers of one pixel size
// and wl_shm format in one memfd-backed pool, each marked held from the moment it
// is handed to the compositor until the compositor releases it.
//
// The object stays for its surface's life and allocate() replaces the
// buffers when their size or number changes, rather than a new object being made: the
// compositor's release events name it as their target and are read on the
// main thread, possibly while another thread (a render thread) allocates.
//
// Threads: allocate(), freeBuffer(), data(), buffer() and markHeld() on one
// thread at a time (the thread that draws); released() and the release
// handler on the thread that reads the connection's events. The held flags
// are atomic, so the drawing thread sees a release at once. The destructor
// runs when no thread draws any more.
class WaylandShmBuffers
{
public:
    static constexpr int maxCount = 3;

    // `name` names the memfd (seen in /proc/PID/maps); `format` is a wl_shm
    // format of 4 bytes a pixel. No memory until allocate().
    WaylandShmBuffers(wl_shm* shm, uint32_t format, const char* name);
    ~WaylandShmBuffers();
    WaylandShmBuffers(const WaylandShmBuffers&) = delete;
    WaylandShmBuffers& operator=(const WaylandShmBuffers&) = delete;

    // Frees the buffers and makes `count` (1..maxCount) new ones of `pixels`:
    // two let one be drawn while the compositor reads the other, one is
    // enough for a picture that is drawn once. False (and
    // none) when the memory or the pool cannot be made. A buffer the
    // compositor still shows is destroyed too: its memory is never written
    // again, so what it shows stays defined until the next commit.
    bool allocate(QSize pixels, int count);
    void free();

    QSize pixelSize() const { return m_pixels; }
    int count() const { return m_count.load(); }
    qsizetype stride() const { return qsizetype(m_pixels.width()) * 4; }

    // A buffer the compositor does not hold, or -1 when it holds them all (or
    // none is allocated).
    int freeBuffer() const;
    unsigned char* data(int index) const;
    wl_buffer* buffer(int index) const;
    // Before the buffer is attached and committed.
    void markHeld(int index);
    bool isHeld(int index) const;

    // Called after a buffer was released (event thread), e.g. to send a
    // frame that waited for one.
    void setReleaseHandler(std::function<void()> handler) { m_onRelease = std::move(handler); }
    // Listener entry point.
    void released(wl_buffer* buffer);

private:
    struct Slot
    {
        std::atomic<wl_buffer*> buffer{nullptr};
        unsigned char* data = nullptr;
        std::atomic<bool> held{false};
    };

    wl_shm* m_shm;
    uint32_t m_format;
    const char* m_name;
    std::atomic<int> m_count{0};
    // All maxCount slots exist for the object's life, so the event thread
    // may look through them while the drawing thread allocates.
    std::array<Slot, maxCount> m_slots;
    int m_fd = -1;
    size_t m_poolBytes = 0;
    unsigned char* m_memory = nullptr;
    QSize m_pixels;
    std::function<void()> m_onRelease;
};

} // namespace nivora
