#pragma once

#include <gtest/gtest.h>

// Whether this is an AddressSanitizer build: GCC defines the first, clang answers the second.
#if defined(__SANITIZE_ADDRESS__)
#define VEX_ADDRESS_SANITIZER_BUILD 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEX_ADDRESS_SANITIZER_BUILD 1
#endif
#endif

// Skips the test in an AddressSanitizer build, with the reason why it cannot run there.
#ifdef VEX_ADDRESS_SANITIZER_BUILD
#define VEX_SKIP_IN_ADDRESS_SANITIZER_BUILD(why) GTEST_SKIP() << why
#else
#define VEX_SKIP_IN_ADDRESS_SANITIZER_BUILD(why) (void)0
#endif
