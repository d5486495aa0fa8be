#pragma once

#include <utility>

namespace platform {

// Sole owner of one handle. Traits names the handle type (`pointer`), its empty value
// (`invalid()`) and how it is closed (`close(h)`); traits may carry state, such as the registry a
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
    [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

    // For out-parameters of the functions that open handles: the old handle is closed first.
    [[nodiscard]] pointer* put() noexcept
    {
        reset();
        return &handle_;
    }

    [[nodiscard]] pointer release() noexcept { return std::exchange(handle_, Traits::invalid()); }

    void reset(pointer handle = Traits::invalid()) noexcept
    {
        if (handle_ != Traits::invalid()) {
            traits_.close(handle_);
        }
        handle_ = handle;
    }

private:
    pointer handle_ = Traits::invalid();
    Traits traits_{};
};

} // namespace platform
