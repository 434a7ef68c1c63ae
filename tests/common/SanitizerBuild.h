#pragma once

// Whether the tests are built with the address or the thread sanitizer.
// Memory figures and wall-clock limits mean nothing there: the address
// sanitizer keeps freed memory in quarantine and adds its own to every
// allocation, the thread sanitizer shadows every byte, and both make every
// step several times slower, by how much depending on the machine's load.

namespace SanitizerBuild {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool active = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool active = true;
#else
inline constexpr bool active = false;
#endif
#else
inline constexpr bool active = false;
#endif

} // namespace SanitizerBuild
