#include "raster/CpuFeatures.h"

namespace moravel {

bool CpuHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
  // Asked once; GCC and Clang also check that the system enables AVX state.
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
#else
  return false;
#endif
}

}  // namespace moravel
