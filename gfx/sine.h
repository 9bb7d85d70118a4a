// Table sine and cosine for per-frame motion: one multiply, one truncation, one read.
#pragma once

namespace lumaro {

constexpr int kSineTableSize = 10240;  // 1.25 turns so the cosine reads a quarter turn further on
struct SineTableData {
  float SineTable[kSineTableSize];
};
// Built at the first use and never changed afterwards.
const SineTableData& Sines();
void BuildSineTable();  // builds it now, so the first frame does not pay for it
float FastSin(float x);
float FastCos(float x);
int SineIndex(float x);  // 0 .. 8191

// A polar angle from u in [-1, 1]: (tan u + tan 1) * pi / (2 tan 1) runs from 0 to pi and
// gathers its values towards both ends (the poles) more than an even spread would.
float TangentPolarAngle(float u);

// Upper bound first; an unordered value (NaN) falls through to low.
float Clamp(float value, float low, float high);

}  // namespace lumaro
