#pragma once
// W7_UNDER_ASAN is defined in a build with the address sanitizer (either
// compiler's way of saying so). Its own bookkeeping makes resident sizes
// meaningless and every process start slower, so tests of memory bounds and
// long loops of child processes ask for it.
#if defined(__SANITIZE_ADDRESS__)
#define W7_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define W7_UNDER_ASAN 1
#endif
#endif
