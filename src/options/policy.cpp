#include "options/policy.h"

#include <cstring>
#include <mutex>

#include "store/change_watch.h"
#include "store/policy_tree.h"

namespace optora {
namespace {

class KeyPolicy : public ValueOverlay {
public:
    KeyPolicy(std::shared_ptr<const PolicySnapshot> policy, const char* ownedKey, std::string_view application)
        : policy_(std::move(policy)), key_(ownedKey), application_(application) {}

    std::optional<std::string> Read(const char* name, const std::optional<std::string>& stored) const override {
        const OwnedValue* owned = Owned(name);
        return owned ? policy_->Effective(*owned, application_, stored) : stored;
    }

    bool HoldsBack(const char* name, std::string_view bytes, const std::optional<std::string>& stored) const override {
        const OwnedValue* owned = Owned(name);
        if (!owned) return false;
        if (policy_->Mandatory(*owned, application_)) return true;
        const auto recommended = policy_->Recommended(*owned, application_);
        return recommended && *recommended->stored == bytes && policy_->Effective(*owned, application_, stored) == *recommended->stored;
    }

private:
    const OwnedValue* Owned(const char* name) const { return FindOwned(key_, name); }

    std::shared_ptr<const PolicySnapshot> policy_;
    const char* key_;
    std::string application_;
};

}  // namespace

std::shared_ptr<const PolicySnapshot> CurrentPolicy() {
    static std::mutex lock;
    static std::shared_ptr<const PolicySnapshot> snapshot;
    static std::uint64_t readAt = 0;
    ChangeWatch& watch = KestrelChangeWatch();
    if (!ChangeWatch::JustLooked::OnThisThread()) watch.Look();
    const std::uint64_t generation = watch.PolicyGeneration();
    const std::lock_guard<std::mutex> hold(lock);
    if (!snapshot || generation != readAt) {
        snapshot = std::make_shared<const PolicySnapshot>(ReadPolicyTrees());
        readAt = generation;
    }
    return snapshot;
}

std::shared_ptr<const ValueOverlay> PolicyOverlay(const char* ownedKey, std::string_view application) {
    std::shared_ptr<const PolicySnapshot> policy = CurrentPolicy();
    if (!policy->Touches(ownedKey)) return nullptr;
    return std::make_shared<KeyPolicy>(std::move(policy), ownedKey, application);
}

std::optional<PolicyLock> LockOf(const char* ownedKey, const char* name, std::string_view application) {
    const std::shared_ptr<const PolicySnapshot> policy = CurrentPolicy();
    const OwnedValue* owned = FindOwned(ownedKey, name);
    if (!owned) return std::nullopt;
    const auto mandatory = policy->Mandatory(*owned, application);
    if (!mandatory) return std::nullopt;
    return PolicyLock{*mandatory->entry, *mandatory->stored};
}

}  // namespace optora
