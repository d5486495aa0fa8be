#include "RegistryTestBase.h"

#include "platform/Utf16.h"

namespace tolvan::test {

using namespace platform;

void RegistryTest::Put(RootKey root, const platform::NulTerminated& subKey,
                       const platform::NulTerminated& name, std::uint32_t type,
                       const std::vector<std::byte>& data)
{
    // RegSetValueExW adds a string's terminator when the caller left it out of the size but it
    // happens to follow the data in memory. A guard after the data keeps the stored bytes exact.
    std::vector<std::byte> guarded(data);
    guarded.insert(guarded.end(), {std::byte{0xFF}, std::byte{0xFF}});
    KeyHandle key = 0;
    ASSERT_EQ(Registry().CreateKey(root, subKey, reg::kKeySetValue, key), 0);
    EXPECT_EQ(Registry().SetValue(key, name, type, std::span(guarded).first(data.size())), 0);
    EXPECT_EQ(Registry().CloseKey(key), 0);
}

bool RegistryTest::Get(RootKey root, const platform::NulTerminated& subKey,
                       const platform::NulTerminated& name, std::uint32_t& type,
                       std::vector<std::byte>& data)
{
    KeyHandle key = 0;
    if (Registry().OpenKey(root, subKey, reg::kKeyQueryValue, key) != 0) {
        return false;
    }
    std::uint32_t size = 0;
    bool found = Registry().QueryValue(key, name, &type, nullptr, &size) == 0;
    if (found) {
        data.assign(size, std::byte{0});
        found = Registry().QueryValue(key, name, &type, data.data(), &size) == 0;
    }
    EXPECT_EQ(Registry().CloseKey(key), 0);
    return found;
}

std::vector<std::byte> Bytes(std::initializer_list<int> values)
{
    std::vector<std::byte> bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<std::byte>(value));
    }
    return bytes;
}

std::vector<std::byte> Utf16(std::wstring_view text, bool terminated)
{
    std::vector<std::byte> bytes = ToUtf16Le(text);
    if (terminated) {
        bytes.resize(bytes.size() + 2);
    }
    return bytes;
}

std::string BackendName(const ::testing::TestParamInfo<BackendKind>& info)
{
    return info.param.name;
}

} // namespace tolvan::test
