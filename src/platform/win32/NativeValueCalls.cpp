#include "NativeValueCalls.h"

#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace platform::win32 {
namespace {

constexpr LONG kStatusSuccess = 0;
constexpr LONG kStatusBufferOverflow = static_cast<LONG>(0x80000005u);
// KeyValuePartialInformation: the type, the data's length and the data.
constexpr ULONG kPartialInformation = 2;
constexpr std::size_t kTypeOffset = 4;
constexpr std::size_t kLengthOffset = 8;
constexpr std::size_t kDataOffset = 12;

std::uint32_t ReadNumber(const std::vector<std::byte>& buffer, std::size_t offset) noexcept
{
    std::uint32_t number = 0;
    std::memcpy(&number, buffer.data() + offset, sizeof(number));
    return number;
}

} // namespace

NativeValueCalls::NativeValueCalls()
    : library_(L"ntdll.dll"), query_(library_.Require<QueryFunction>("NtQueryValueKey")),
      set_(library_.Require<SetFunction>("NtSetValueKey")),
      delete_(library_.Require<DeleteFunction>("NtDeleteValueKey")),
      toError_(library_.Require<ErrorFunction>("RtlNtStatusToDosError"))
{
}

bool NativeValueCalls::Count(std::wstring_view name, CountedName& counted) noexcept
{
    constexpr std::size_t kLongest = std::numeric_limits<USHORT>::max() / sizeof(wchar_t);
    if (name.size() > kLongest) {
        return false;
    }
    const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    counted = CountedName{bytes, bytes, name.data()};
    return true;
}

ErrorCode NativeValueCalls::ErrorOf(Status status) const noexcept
{
    return status == kStatusSuccess ? ERROR_SUCCESS : static_cast<ErrorCode>(toError_(status));
}

ErrorCode NativeValueCalls::Query(HKEY key, std::wstring_view name, std::uint32_t* type,
                                  std::byte* data, std::uint32_t* dataSize) const noexcept
{
    if (data != nullptr && dataSize == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    CountedName counted{};
    if (!Count(name, counted)) {
        return ERROR_INVALID_PARAMETER;
    }
    try {
        // The data comes after a header, so it is read into a buffer of its own and copied out:
        // below the header's size Windows fills in nothing at all.
        const std::size_t room = data != nullptr && dataSize != nullptr ? *dataSize : 0;
        std::vector<std::byte> buffer(kDataOffset + room);
        ULONG needed = 0;
        const Status status = query_(key, &counted, kPartialInformation, buffer.data(),
                                     static_cast<ULONG>(buffer.size()), &needed);
        if (status != kStatusSuccess && status != kStatusBufferOverflow) {
            return ErrorOf(status);
        }
        const std::uint32_t size = ReadNumber(buffer, kLengthOffset);
        if (type != nullptr) {
            *type = ReadNumber(buffer, kTypeOffset);
        }
        if (dataSize != nullptr) {
            *dataSize = size;
        }
        if (data == nullptr) {
            return ERROR_SUCCESS;
        }
        if (status == kStatusBufferOverflow || size > room) {
            return ERROR_MORE_DATA;
        }
        if (size > 0) {
            std::memcpy(data, buffer.data() + kDataOffset, size);
        }
        return ERROR_SUCCESS;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

ErrorCode NativeValueCalls::Set(HKEY key, std::wstring_view name, std::uint32_t type,
                                std::span<const std::byte> data) const noexcept
{
    CountedName counted{};
    if (!Count(name, counted) || data.size() > std::numeric_limits<ULONG>::max()) {
        return ERROR_INVALID_PARAMETER;
    }
    return ErrorOf(set_(key, &counted, 0, type, data.data(), static_cast<ULONG>(data.size())));
}

ErrorCode NativeValueCalls::Delete(HKEY key, std::wstring_view name) const noexcept
{
    CountedName counted{};
    if (!Count(name, counted)) {
        return ERROR_INVALID_PARAMETER;
    }
    return ErrorOf(delete_(key, &counted));
}

} // namespace platform::win32
