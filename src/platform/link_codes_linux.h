// How the Linux interface table turns the kernel's link facts into the codes Windows reports.
#pragma once

#include <cstdint>

// dwType from the link's ARPHRD_* type; an Ethernet-framed link may be a wireless one.
std::uint32_t ifTypeFromLink(unsigned linkType, bool wireless);

// dwAdminStatus from the IFF_* flags: up when IFF_UP is set.
std::uint32_t adminStatusFromFlags(unsigned flags);

// dwOperStatus from the RFC 2863 IF_OPER_* state and the IFF_* flags. A wide-area link (PPP)
// is "connected" where a local one is "operational", as on Windows.
std::uint32_t operStatusFromLink(unsigned operState, unsigned flags, bool wideArea);

// dwSpeed in bits per second from sysfs' megabits per second; unknown (0 or less) gives 0,
// and anything beyond 32 bits reports the largest value, as RFC 2863's ifSpeed does.
std::uint32_t speedFromMbits(long long mbits);
