#include "scenes/end_card.h"

namespace lumaro {

float EndCardBrightness(float t) {
  if (t <= 0.5f) return 2 * t;
  if (t < 2.5f) return 1;
  return 2 * (3 - t);
}

}  // namespace lumaro
