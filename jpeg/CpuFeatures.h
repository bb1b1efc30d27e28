// What the processor running the encoder offers, asked once at run time,
// so that one build uses the widest vector instructions available.
#pragma once

namespace jpeg {

// AVX2 with the bit-manipulation instructions of its generation (BMI1,
// BMI2, LZCNT), and the vector registers saved by the operating system.
bool CpuHasAvx2();

}  // namespace jpeg
