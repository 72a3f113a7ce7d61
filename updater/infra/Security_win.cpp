#include "Security.h"

#include "Exception.h"
#include "OsVersion.h"

#include <aclapi.h>

#include <cstdlib>

namespace {

[[noreturn]] void raise(const char* message, DWORD code, const char* source, int line)
{
    throw Win32Exception(message, static_cast<std::int32_t>(code), source, line);
}

}  // namespace

Security::Security() : attributes_(), applies_(OsVersion::current().isNT())
{
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = nullptr;
    attributes_.bInheritHandle = TRUE;
}

Security::~Security() = default;

void Security::applyToKernelObject(HANDLE handle)
{
    if (!applies_)
        return;
    if (!SetKernelObjectSecurity(handle, DACL_SECURITY_INFORMATION,
                                 attributes_.lpSecurityDescriptor))
        raise("Security::doApply() SetKernelObjectSecurity failed ", GetLastError(), "Security",
              __LINE__);
}

void Security::doApply(HKEY key)
{
    if (!applies_)
        return;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    ACL* dacl = nullptr;
    if (!GetSecurityDescriptorDacl(attributes_.lpSecurityDescriptor, &present, &dacl, &defaulted))
        raise("Security::doApply() GetSecurityDescriptorDacl failed ", GetLastError(), "Security",
              __LINE__);
    DWORD result = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                   nullptr, dacl, nullptr);
    if (result != ERROR_SUCCESS)
        raise("Security::doApply() SetSecurityInfo failed ", result, "Security", __LINE__);
}

SecurityEveryone::SecurityEveryone(bool inheritToSubContainers)
{
    if (!applies_)
        return;
    try {
        descriptor_ = static_cast<SECURITY_DESCRIPTOR*>(std::calloc(1, sizeof(SECURITY_DESCRIPTOR)));
        if (descriptor_ == nullptr)
            raise("SecurityEveryone::SecurityEveryone() InitializeSecurityDescriptor failed",
                  ERROR_NOT_ENOUGH_MEMORY, "SecurityEveryone", __LINE__);
        if (!InitializeSecurityDescriptor(descriptor_, SECURITY_DESCRIPTOR_REVISION))
            raise("SecurityEveryone::SecurityEveryone() InitializeSecurityDescriptor failed",
                  GetLastError(), "SecurityEveryone", __LINE__);
        setSecurityIdEveryone();
        if (!IsValidSid(everyone_))
            raise("SecurityEveryone::SecurityEveryone() IsValidSid failed", GetLastError(),
                  "SecurityEveryone", __LINE__);

        // The ACL header, then one entry: its header and mask (8 bytes) and the SID.
        DWORD aclSize = sizeof(ACL) + GetLengthSid(everyone_) + 8;
        acl_ = static_cast<ACL*>(std::calloc(1, aclSize));
        if (acl_ == nullptr)
            raise("", ERROR_NOT_ENOUGH_MEMORY, "SecurityEveryone", __LINE__);
        if (!InitializeAcl(acl_, aclSize, ACL_REVISION))
            raise("", GetLastError(), "SecurityEveryone", __LINE__);
        if (!AddAccessAllowedAce(acl_, ACL_REVISION, GENERIC_ALL, everyone_))
            raise("", GetLastError(), "SecurityEveryone", __LINE__);
        if (!SetSecurityDescriptorDacl(descriptor_, TRUE, acl_, FALSE))
            raise("", GetLastError(), "SecurityEveryone", __LINE__);
        if (inheritToSubContainers) {
            ACE_HEADER* ace = nullptr;
            if (!GetAce(acl_, 0, reinterpret_cast<void**>(&ace)))
                raise("", GetLastError(), "SecurityEveryone", __LINE__);
            ace->AceFlags |= CONTAINER_INHERIT_ACE;
        }
        attributes_.lpSecurityDescriptor = descriptor_;
    } catch (...) {
        if (everyone_ != nullptr)
            FreeSid(everyone_);
        std::free(acl_);
        std::free(descriptor_);
        throw;
    }
}

SecurityEveryone::~SecurityEveryone()
{
    if (everyone_ != nullptr)
        FreeSid(everyone_);
    std::free(acl_);
    std::free(descriptor_);
}

void SecurityEveryone::setSecurityIdEveryone()
{
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                  &everyone_))
        raise("SecurityEveryone::setSecurityIdEveryone() AllocateAndInitializeSid failed",
              GetLastError(), "SecurityEveryone", __LINE__);
}
