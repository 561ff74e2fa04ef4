#pragma once
// What the processor running the program can do, for picking kernel sets at
// run time. The program itself is built for the plain x86-64 baseline.

namespace moravel {

// True when the processor (and the system, which must save the wide
// registers) supports AVX2. Always false off x86.
bool CpuHasAvx2();

}  // namespace moravel
