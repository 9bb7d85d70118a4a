// What the C++ side tells the page (web/page/hooks.js implements these).
#pragma once
#include <cstdint>

extern "C" {
void lumaro_page_message(const char* caption, const char* text);
void lumaro_page_phase(int phase);
void lumaro_page_table(const char* text);
void lumaro_page_still(int index, float clock, uint32_t frameNumber);
void lumaro_page_canvas(int width, int height);  // the drawing size changed
char* lumaro_page_renderer();                    // the unmasked renderer's name where the browser tells it; malloc'd
}
