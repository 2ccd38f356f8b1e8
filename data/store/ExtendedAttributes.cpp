// The ACL and the other extended attributes a save keeps (Linux), copied onto the temporary file.
#include "data/store/private/ExtendedAttributes.h"

#include <sys/xattr.h>

#include <cerrno>
#include <vector>

namespace vemo {

namespace {

constexpr const char* kAclAttribute = "system.posix_acl_access";

// The names of the extended attributes of the file name, or false with errno set.
bool AttributeNames(const std::string& name, std::vector<std::string>& names) {
    std::vector<char> list;
    for (;;) {
        const ssize_t size = listxattr(name.c_str(), nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP; // a file system without them: nothing to keep
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = listxattr(name.c_str(), list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE) // ERANGE: the list grew meanwhile
            return false;
    }
    for (std::size_t at = 0; at < list.size();) {
        names.emplace_back(list.data() + at);
        at += names.back().size() + 1;
    }
    return true;
}

bool AttributeValue(const std::string& file, const std::string& name, std::vector<char>& value) {
    for (;;) {
        const ssize_t size = getxattr(file.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            return false;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = getxattr(file.c_str(), name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

} // namespace

bool CopyExtendedAttributes(const std::string& old, int fd) {
    std::vector<std::string> names;
    if (!AttributeNames(old, names))
        return false;
    bool hasAcl = false;
    std::vector<char> value;
    for (const std::string& name : names) {
        if (!AttributeValue(old, name, value)) {
            if (errno == ENODATA) // removed meanwhile
                continue;
            return false;
        }
        const bool acl = name == kAclAttribute;
        hasAcl = hasAcl || acl;
        if (fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0 &&
            (acl || (errno != EPERM && errno != EACCES && errno != ENOTSUP)))
            return false;
    }
    // The temporary file may have taken an ACL from the folder's default that the old file
    // did not have.
    if (!hasAcl && fremovexattr(fd, kAclAttribute) != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    return true;
}

} // namespace vemo
