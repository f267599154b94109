#include "platform/large_blocks.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quorlin::platform {

void ReturnLargeBlocksAtOnce() {
#if defined(__GLIBC__)
  // A fixed bar: setting it also stops the library from raising it.
  constexpr int kLargeBlockBytes = 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
  // The C libraries of Windows and macOS return large blocks themselves.
}

}  // namespace quorlin::platform
