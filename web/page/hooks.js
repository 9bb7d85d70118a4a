// The C++ side's calls into the page (web/shell/page.h): each hands its values to the
// handlers page.js puts on Module.page.
mergeInto(LibraryManager.library, {
  lumaro_page_message: function (caption, text) {
    Module.page.message(UTF8ToString(caption), UTF8ToString(text));
  },
  // SDL2's Web Audio code calls these from its inline JavaScript, which declares no
  // dependencies of its own: pulled in here, with a hook every build uses.
  lumaro_page_phase__deps: ['$autoResumeAudioContext', '$dynCall'],
  lumaro_page_phase: function (phase) {
    Module.page.phase(phase);
  },
  lumaro_page_table: function (text) {
    Module.page.table(UTF8ToString(text));
  },
  lumaro_page_still: function (index, clock, frameNumber) {
    Module.page.still(index, clock, frameNumber >>> 0);
  },
  lumaro_page_canvas: function (width, height) {
    Module.page.canvas(width, height);
  },
  lumaro_page_renderer: function () {
    return allocateUTF8(Module.page.renderer());
  },
});
