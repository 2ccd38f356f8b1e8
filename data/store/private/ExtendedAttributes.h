#pragma once
// Internal to the POSIX save system: the old file's extended attributes, its ACL among them,
// given to the file that replaces it.

#include <string>

namespace vemo {

// Copies the extended attributes of the file old onto the open file fd; false with errno set
// when that fails. An attribute the process may not set (a security label, trusted.*) is left
// out; the ACL never is, since without it the group bits would give the owning group what the
// ACL's mask gave. An ACL that fd took from its folder's default and old lacks is removed.
bool CopyExtendedAttributes(const std::string& old, int fd);

} // namespace vemo
