// Forward 8x8 DCT: the Arai-Agui-Nakajima scaled flow graph in single
// precision. The outputs stay scaled; the divisor tables undo the scaling.
#pragma once

namespace jpeg {

// block: 64 floats, natural order (x + 8y). Columns are transformed first,
// then rows; every intermediate value is a float.
void ForwardDct(float* block);

}  // namespace jpeg
