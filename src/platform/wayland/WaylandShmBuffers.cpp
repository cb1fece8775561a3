#include "platform/wayland/WaylandShmBuffers.h"

#include "platform/wayland/WaylandProtocols.h"

#include <sys/mman.h>
#include <unistd.h>

namespace nivora {

namespace {

void onRelease(void* data, wl_buffer* buffer)
{
    static_cast<WaylandShmBuffers*>(data)->released(buffer);
}

const wl_buffer_listener bufferListener = {onRelease};

} // namespace

WaylandShmBuffers::WaylandShmBuffers(wl_shm* shm, uint32_t format, const char* name)
    : m_shm(shm), m_format(format), m_name(name)
{
}

WaylandShmBuffers::~WaylandShmBuffers()
{
    free();
}

void WaylandShmBuffers::free()
{
    for (Slot& s : m_slots) {
        if (wl_buffer* b = s.buffer.exchange(nullptr))
            wl_buffer_destroy(b);
        s.data = nullptr;
        s.held.store(false);
    }
    if (m_memory)
        munmap(m_memory, m_poolBytes);
    if (m_fd >= 0)
        close(m_fd);
    m_memory = nullptr;
    m_fd = -1;
    m_poolBytes = 0;
    m_pixels = QSize();
    m_count.store(0);
}

bool WaylandShmBuffers::allocate(QSize pixels, int count)
{
    free();
    if (pixels.isEmpty() || count < 1 || count > maxCount)
        return false;
    const size_t stride = size_t(pixels.width()) * 4;
    const size_t frameBytes = stride * size_t(pixels.height());
    const size_t total = frameBytes * size_t(count);
    // A pool's size travels as a signed 32-bit number.
    if (total > size_t(INT32_MAX))
        return false;
    m_fd = memfd_create(m_name, MFD_CLOEXEC);
    if (m_fd < 0 || ftruncate(m_fd, off_t(total)) != 0) {
        free();
        return false;
    }
    void* memory = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (memory == MAP_FAILED) {
        free();
        return false;
    }
    m_memory = static_cast<unsigned char*>(memory);
    m_poolBytes = total;
    wl_shm_pool* pool = wl_shm_create_pool(m_shm, m_fd, int32_t(total));
    for (int i = 0; i < count; ++i) {
        Slot& s = m_slots[size_t(i)];
        wl_buffer* b = wl_shm_pool_create_buffer(pool, int32_t(size_t(i) * frameBytes), pixels.width(),
                                                 pixels.height(), int32_t(stride), m_format);
        s.data = m_memory + size_t(i) * frameBytes;
        s.held.store(false);
        wl_buffer_add_listener(b, &bufferListener, this);
        s.buffer.store(b);
    }
    // The buffers keep the memory; the pool object is not needed any more.
    wl_shm_pool_destroy(pool);
    m_pixels = pixels;
    m_count.store(count);
    return true;
}

int WaylandShmBuffers::freeBuffer() const
{
    for (int i = 0; i < count(); ++i) {
        const Slot& s = m_slots[size_t(i)];
        if (s.buffer.load() && !s.held.load())
            return i;
    }
    return -1;
}

unsigned char* WaylandShmBuffers::data(int index) const
{
    return index >= 0 && index < count() ? m_slots[size_t(index)].data : nullptr;
}

wl_buffer* WaylandShmBuffers::buffer(int index) const
{
    return index >= 0 && index < count() ? m_slots[size_t(index)].buffer.load() : nullptr;
}

void WaylandShmBuffers::markHeld(int index)
{
    if (index >= 0 && index < count())
        m_slots[size_t(index)].held.store(true);
}

bool WaylandShmBuffers::isHeld(int index) const
{
    return index >= 0 && index < count() && m_slots[size_t(index)].held.load();
}

void WaylandShmBuffers::released(wl_buffer* buffer)
{
    bool ours = false;
    for (Slot& s : m_slots) {
        if (s.buffer.load() == buffer) {
            s.held.store(false);
            ours = true;
        }
    }
    if (ours && m_onRelease)
        m_onRelease();
}

} // namespace nivora
