// Security descriptors for what the Updater creates: registry keys and the
// log file must be usable from every account, elevated or not.
#pragma once

#include <windows.h>

class Security {
public:
    virtual ~Security() = 0;
    Security(const Security&) = delete;
    Security& operator=(const Security&) = delete;

    virtual SECURITY_ATTRIBUTES* securityAttributes() { return &attributes_; }
    virtual void applyToKernelObject(HANDLE handle);
    // Sets the descriptor's DACL on a registry key.
    virtual void doApply(HKEY key);

protected:
    Security();

    SECURITY_ATTRIBUTES attributes_;
    bool applies_;  // only the NT family has security
};

// Grants generic-all to Everyone (the world SID).
class SecurityEveryone : public Security {
public:
    explicit SecurityEveryone(bool inheritToSubContainers);
    ~SecurityEveryone() override;

private:
    void setSecurityIdEveryone();

    SECURITY_DESCRIPTOR* descriptor_ = nullptr;
    ACL* acl_ = nullptr;
    PSID everyone_ = nullptr;
};
