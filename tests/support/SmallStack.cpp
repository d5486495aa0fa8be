#include "SmallStack.h"

#ifdef _WIN32
#include "platform/UniqueHandle.h"

#include <windows.h>
#else
#include <pthread.h>
#endif

namespace tolvan::test {
namespace {

#ifdef _WIN32
struct ThreadHandleTraits {
    using pointer = HANDLE;
    static pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer handle) noexcept { CloseHandle(handle); }
};

DWORD WINAPI RunWork(void* work) noexcept
{
    (*static_cast<const std::function<void()>*>(work))();
    return 0;
}
#else
void* RunWork(void* work) noexcept
{
    (*static_cast<const std::function<void()>*>(work))();
    return nullptr;
}
#endif

} // namespace

bool RunOnSmallStack(std::size_t stackBytes, const std::function<void()>& work)
{
    auto* argument = const_cast<std::function<void()>*>(&work);
#ifdef _WIN32
    const platform::UniqueHandle<ThreadHandleTraits> thread(CreateThread(
        nullptr, stackBytes, RunWork, argument, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread) {
        return false;
    }
    WaitForSingleObject(thread.get(), INFINITE);
    return true;
#else
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        return false;
    }
    pthread_t thread{};
    const bool started = pthread_attr_setstacksize(&attributes, stackBytes) == 0 &&
                         pthread_create(&thread, &attributes, RunWork, argument) == 0;
    pthread_attr_destroy(&attributes);
    if (started) {
        pthread_join(thread, nullptr);
    }
    return started;
#endif
}

} // namespace tolvan::test
