#include "platform/ThreadScheduling.h"

#include <pthread.h>
#include <sched.h>

namespace nivora::ThreadScheduling {

bool setRunsAfterWaker(bool on)
{
    // Linux's batch policy is the ordinary time-sharing policy without
    // preemption on wake-up: the woken thread is weighed against the others
    // as before but does not displace the running one. Any thread may switch
    // itself between the two.
    sched_param param{};
    param.sched_priority = 0;
    return pthread_setschedparam(pthread_self(), on ? SCHED_BATCH : SCHED_OTHER, &param) == 0;
}

} // namespace nivora::ThreadScheduling
