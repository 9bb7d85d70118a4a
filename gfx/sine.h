// Table sine and cosine for per-frame motion: one multiply, one truncation, one read.
#pragma once

namespace lumaro {

constexpr int SineTableSize = 10240;  // 1.25 turns so the cosine reads a quarter turn further on
extern float SineTable[SineTableSize];

void BuildSineTable();
float FastSin(float x);
float FastCos(float x);
int SineIndex(float x);  // 0 .. 8191

// Upper bound first; an unordered value (NaN) falls through to low.
float Clamp(float value, float low, float high);

}  // namespace lumaro
