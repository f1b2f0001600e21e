#pragma once
// How much memory this process holds, for tests that bound memory: the resident size from
// /proc/self/statm. Under AddressSanitizer, whose quarantine keeps freed memory resident for a
// while, it is the bytes allocated and not freed instead.
#include "support/Sanitizer.h"

#include <cstddef>
#include <fstream>
#include <unistd.h>

#if TARNWICK_TEST_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

namespace tw::test {

inline std::size_t residentBytes()
{
#if TARNWICK_TEST_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    std::size_t pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * std::size_t(::sysconf(_SC_PAGESIZE));
#endif
}

// The bytes allocated on the heap and not freed yet, for tests that look for leaks.
inline std::size_t heapBytesInUse()
{
#if TARNWICK_TEST_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 m = ::mallinfo2();
    return m.uordblks + m.hblkhd;
#endif
}

inline constexpr std::size_t MiB = 1024 * 1024;

} // namespace tw::test
