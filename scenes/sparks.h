// Drawing of the spark pool, shared by the fountain and the fireworks.
#pragma once

namespace lumaro {

void DrawSparkSprite(int index);  // one 0.06-unit square facing the viewer
void DrawLiveSparks();            // every live record in index order, additively

}  // namespace lumaro
