// Drawing of the spark pool, shared by the fountain and the fireworks.
#pragma once

namespace lumaro {

void DrawSparkSprite(int index);  // one 0.06-unit square facing the viewer
// Every live record, additively, grouped by sprite; the fountain binds sprite 0 first.
void DrawLiveSparks(bool bindFirstSprite);

}  // namespace lumaro
