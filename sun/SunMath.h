#pragma once
// Sine, cosine and arctangent for doubles, owned by the program so that the
// native build and the 32-bit Windows build compute bit for bit the same
// values. The C runtimes differ: mingw-w64's i686 functions use the x87 unit,
// and under Wine msvcrt is Wine's own code. These functions reduce the
// argument exactly enough for any double (Cody-Waite for moderate
// arguments, Payne-Hanek with 2/pi to 1280 bits beyond) and evaluate in
// double-double arithmetic before one final rounding, so the error stays
// well below one unit in the last place and the result is the correctly
// rounded one for all but a vanishing fraction of arguments. They use
// nothing but IEEE double operations (no fused multiply-add, no x87).
namespace velmora::sunmath {

double sin(double x);
double cos(double x);
double atan(double x);

}  // namespace velmora::sunmath
