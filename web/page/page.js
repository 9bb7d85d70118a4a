// The page around the show: loads the program and the music module, checks for WebGL,
// starts the show on the button's click (browsers start sound only after a gesture), keeps
// the picture's shape in the window with black bars, and shows messages and the
// timedemo's table. window.lumaro tells a test (or a curious person) where the show stands.
'use strict';
(function () {
  const canvas = document.getElementById('canvas');
  const stage = document.getElementById('stage');
  const panel = document.getElementById('panel');
  const button = document.getElementById('start');
  const message = document.getElementById('message');
  const table = document.getElementById('table');
  const phases = ['idle', 'catching up', 'running', 'paused', 'still', 'ended'];
  const stills = [];
  const messages = [];
  let runtimeReady = false;
  let music = null;  // the module's bytes, or the reason it could not be fetched
  let musicWritten = false;

  function say(text) {
    message.textContent = text;
    messages.push(text);
  }

  // The largest box of the drawing's shape inside the stage, centred by the stage's flex.
  function fit() {
    const scale = Math.min(stage.clientWidth / canvas.width, stage.clientHeight / canvas.height);
    canvas.style.width = Math.floor(canvas.width * scale) + 'px';
    canvas.style.height = Math.floor(canvas.height * scale) + 'px';
  }

  function hasWebGL() {
    try {
      const probe = document.createElement('canvas');
      return !!(probe.getContext('webgl') || probe.getContext('experimental-webgl'));
    } catch (e) {
      return false;
    }
  }

  function renderer() {
    const gl = canvas.getContext('webgl');  // the show's own context
    if (!gl) return '';
    const info = gl.getExtension('WEBGL_debug_renderer_info');
    return String(gl.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : gl.RENDERER));
  }

  function enableStart() {
    if (!runtimeReady || music === null) return;
    if (!hasWebGL()) {
      button.textContent = 'No WebGL';
      say('This browser offers no WebGL, and Lumaro draws with WebGL: the show cannot run here.');
      return;
    }
    button.disabled = false;
    button.textContent = 'Start';
  }

  function start() {
    if (music instanceof Uint8Array && !musicWritten) {
      Module.FS.writeFile('/SongM.xm', music);  // the program reads it from its working directory
      musicWritten = true;
    }
    say('');
    table.hidden = true;
    stills.length = 0;
    const started = Module.ccall('lumaro_start', 'number', ['string'], [location.search]);
    if (started === 0) {
      panel.hidden = true;
      canvas.focus();
    }
  }

  function phaseChanged(phase) {
    document.body.dataset.phase = phases[phase];
    if (phases[phase] !== 'ended') return;
    panel.hidden = false;
    button.textContent = 'Play again';
  }

  window.Module = {
    canvas: canvas,
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    onRuntimeInitialized: () => {
      runtimeReady = true;
      enableStart();
    },
    onAbort: (what) => say('The program stopped: ' + what),
    page: {
      message: (caption, text) => say(caption + ': ' + text),
      phase: phaseChanged,
      table: (text) => {
        table.textContent = text;
        table.hidden = false;
      },
      still: (index, clock, frameNumber) => stills.push({ index, clock, frameNumber }),
      canvas: fit,
      renderer: renderer,
    },
  };

  fetch('SongM.xm')
    .then((reply) => (reply.ok ? reply.arrayBuffer() : Promise.reject(new Error(reply.status + ' ' + reply.statusText))))
    .then((bytes) => { music = new Uint8Array(bytes); })
    .catch((error) => { music = String(error); })  // the program then says the module is missing and plays silently
    .then(enableStart);

  button.addEventListener('click', start);
  new ResizeObserver(fit).observe(stage);
  fit();

  const call = (name) => Module['_' + name]();
  window.lumaro = {
    status: () => ({
      phase: phases[call('lumaro_phase')],
      clock: call('lumaro_clock'),
      scene: call('lumaro_scene'),
      frames: call('lumaro_frames'),
      frameNumber: call('lumaro_frame_number') >>> 0,
    }),
    next: () => call('lumaro_next'),
    stills: stills,
    messages: messages,
  };
})();
