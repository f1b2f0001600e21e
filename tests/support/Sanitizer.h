#pragma once
// Whether this is the sanitizer build, and how much slower it runs, for the few tests that
// bound a time or measure memory.
#if defined(__SANITIZE_ADDRESS__)
#define TARNWICK_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARNWICK_TEST_ASAN 1
#endif
#endif
#ifndef TARNWICK_TEST_ASAN
#define TARNWICK_TEST_ASAN 0
#endif

namespace tw::test {

inline constexpr double SanitizerSlowdown = TARNWICK_TEST_ASAN ? 4 : 1;

} // namespace tw::test
