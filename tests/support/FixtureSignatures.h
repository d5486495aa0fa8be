#pragma once

#include "platform/SignatureCheck.h"
#include "portable/DriveMap.h"

#include <map>
#include <string>
#include <vector>

namespace tolvan::test {

// What Windows says of the signed fixtures (tests/fixtures/make-signed-fixtures.sh), known by
// their bytes: a file on the drives that is a copy of one of them gets its verdict, with its
// catalog installed and the test authority trusted nowhere; any other file is not signed.
class FixtureSignatures final : public platform::SignatureCheck {
public:
    explicit FixtureSignatures(const platform::portable::DriveMap& drives);

    platform::SignatureVerdict Check(const platform::NulTerminated& path) override;

private:
    const platform::portable::DriveMap& drives_;
    std::map<std::vector<char>, platform::SignatureVerdict> known_;
};

} // namespace tolvan::test
