// Exact comparison of a vector with its three expected components, for the GL-free tests.
#pragma once
#include <gtest/gtest.h>

#include "base/vec3.h"

inline void ExpectAt(lumaro::Vec3 v, float x, float y, float z) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
}
