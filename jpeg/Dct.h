// Forward 8x8 DCT: the Arai-Agui-Nakajima scaled flow graph in single
// precision, the portable reference of the kernels. The outputs stay
// scaled; the divisor tables undo the scaling.
#pragma once

namespace jpeg {

// block: 64 floats, natural order (x + 8y). Columns are transformed first,
// then rows; every intermediate value is a float.
void ForwardDct(float* block);

// The same transform, leaving the result transposed: the coefficient of
// row r, column c at index r + 8c, the layout the kernels quantize from.
void ForwardDctTransposed(float* block);

}  // namespace jpeg
