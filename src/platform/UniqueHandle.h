#pragma once

#include <utility>

namespace platform {

// Sole owner of one handle. Traits names the handle type (`pointer`), its empty value
// (`Invalid()`) and how it is closed (`Close(h)`); traits may carry state, such as the registry a
// key must be closed through.
template <typename Traits> class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer handle, Traits traits = {}) noexcept
        : handle_(handle), traits_(std::move(traits))
    {
    }
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(other.release()), traits_(std::move(other.traits_))
    {
    }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
            traits_ = std::move(other.traits_);
        }
        return *this;
    }

    [[nodiscard]] pointer get() const noexcept { return handle_; }
    [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    // For out-parameters of the functions that open handles: the old handle is closed first.
    [[nodiscard]] pointer* put() noexcept
    {
        reset();
        return &handle_;
    }

    [[nodiscard]] pointer release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

    void reset(pointer handle = Traits::Invalid()) noexcept
    {
        if (handle_ != Traits::Invalid()) {
            traits_.Close(handle_);
        }
        handle_ = handle;
    }

private:
    pointer handle_ = Traits::Invalid();
    Traits traits_{};
};

} // namespace platform
