#pragma once

#include "RegistryBackend.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tolvan::test {

// Base of the tests that run once per registry backend.
class RegistryTest : public ::testing::TestWithParam<BackendKind> {
protected:
    void SetUp() override
    {
        backend_ = GetParam().make();
        backend_->Reset();
    }
    void TearDown() override { backend_->Reset(); }

    platform::Registry& Registry() { return backend_->Registry(); }
    RegistryBackend& Backend() { return *backend_; }

    // Writes a value with exactly these bytes, creating the key.
    void Put(platform::RootKey root, const platform::NulTerminated& subKey,
             const platform::NulTerminated& name, std::uint32_t type,
             const std::vector<std::byte>& data);
    // Reads a value back: its type and bytes; false when it is not there.
    bool Get(platform::RootKey root, const platform::NulTerminated& subKey,
             const platform::NulTerminated& name, std::uint32_t& type,
             std::vector<std::byte>& data);

private:
    std::unique_ptr<RegistryBackend> backend_;
};

std::vector<std::byte> Bytes(std::initializer_list<int> values);
// Text as UTF-16LE bytes, followed by a two-byte NUL when `terminated`.
std::vector<std::byte> Utf16(std::wstring_view text, bool terminated = true);

std::string BackendName(const ::testing::TestParamInfo<BackendKind>& info);

} // namespace tolvan::test

#define TOLVAN_FOR_EACH_REGISTRY(Suite)                                                            \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite,                                                      \
                             ::testing::ValuesIn(::tolvan::test::AllRegistryBackends()),           \
                             ::tolvan::test::BackendName)
