// What tests do to the in-memory registry besides the calls Windows has: fail a call on cue, deny
// a key, remove a whole tree and look at what is there.
#include "CaseFold.h"
#include "MemoryRegistry.h"

#include <algorithm>

namespace platform::portable {

std::optional<ErrorCode> MemoryRegistry::BeginCall(RegistryCall call) noexcept
{
    ++callCount_;
    ++callsByKind_[static_cast<std::size_t>(call)];
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->call == call && --it->remaining == 0) {
            const ErrorCode code = it->code;
            faults_.erase(it);
            return code;
        }
    }
    return std::nullopt;
}

void MemoryRegistry::DenyAccess(RootKey root, std::wstring_view subKey)
{
    Key* current = Root(root);
    if (current == nullptr) {
        return;
    }
    for (const std::wstring_view part : SplitPath(subKey)) {
        Key* child = FindChild(*current, part);
        current = child != nullptr ? child : &AddChild(*current, part);
    }
    current->denied = true;
}

void MemoryRegistry::FailCall(RegistryCall call, int nth, ErrorCode code)
{
    faults_.push_back(Fault{call, nth, code});
}

bool MemoryRegistry::DeleteKeyTree(RootKey root, std::wstring_view subKey)
{
    auto parts = SplitPath(subKey);
    if (parts.empty()) {
        return false;
    }
    const std::wstring_view last = parts.back();
    parts.pop_back();
    Key* parent = Find(root, parts);
    if (parent == nullptr) {
        return false;
    }
    auto& children = parent->subKeys;
    const auto it = std::find_if(children.begin(), children.end(), [&](const auto& child) {
        return EqualsIgnoringCase(child->name, last);
    });
    if (it == children.end()) {
        return false;
    }
    // Handles still open on the removed keys would dangle; they behave as closed from now on.
    std::erase_if(open_, [&](const auto& item) {
        std::vector<const Key*> stack{it->get()};
        while (!stack.empty()) {
            const Key* k = stack.back();
            stack.pop_back();
            if (k == item.second.key) {
                return true;
            }
            for (const auto& child : k->subKeys) {
                stack.push_back(child.get());
            }
        }
        return false;
    });
    children.erase(it);
    Written(*parent);
    return true;
}

bool MemoryRegistry::KeyExists(RootKey root, std::wstring_view subKey) const
{
    return Find(root, SplitPath(subKey)) != nullptr;
}

} // namespace platform::portable
