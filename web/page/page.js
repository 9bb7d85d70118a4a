// The page around the show: checks that it can run here (a web server, WebGL) before the
// download, loads the program and the music module with their progress on the button,
// starts the show on the button's click (browsers start sound only after a gesture), keeps
// the picture's shape in the window with black bars, and shows messages, the timedemo's
// table and the touch controls. window.lumaro tells a test (or a curious person) where the
// show stands.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const canvas = $('canvas'), stage = $('stage'), show = $('show'), panel = $('panel'), button = $('start');
  const safeButton = $('safe');
  const message = $('message'), table = $('table'), controls = $('controls'), pause = $('pause'), state = $('state');
  const phases = ['idle', 'catching up', 'running', 'paused', 'still', 'ended'];
  const spoken = { running: 'playing', paused: 'paused', still: 'showing a still', ended: 'stopped' };
  const stills = [];
  const messages = [];
  let runtimeReady = false;
  let music = null;  // the module's bytes, or the reason it could not be fetched
  let musicWritten = false;
  let loadFailed = false;
  let contextLost = false;

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

  const onShow = () => ['catching up', 'running', 'paused', 'still'].includes(document.body.dataset.phase);

  // --- loading -------------------------------------------------------------------------
  const progress = {};  // file: [bytes so far, bytes in all or 0 when the server does not say]

  function showProgress() {
    if (loadFailed || runtimeReady) return;
    let loaded = 0, total = 0, known = true;
    for (const [got, all] of Object.values(progress)) {
      loaded += got;
      total += all;
      known = known && all > 0 && got <= all;  // a compressed reply counts more bytes than it announced
    }
    const megabytes = (bytes) => (bytes / 1e6).toFixed(1);
    button.textContent = known ? `Loading… ${Math.floor((100 * loaded) / total)} % of ${megabytes(total)} MB`
                               : `Loading… ${megabytes(loaded)} MB`;
  }

  async function download(file) {
    progress[file] = [0, 0];
    const reply = await fetch(file);
    if (!reply.ok) throw new Error(`${file}: ${reply.status} ${reply.statusText}`.trim());
    progress[file][1] = Number(reply.headers.get('content-length')) || 0;
    const parts = [];
    let got = 0;
    for (const reader = reply.body.getReader();;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(value);
      got += value.length;
      progress[file][0] = got;
      showProgress();
    }
    const bytes = new Uint8Array(got);
    parts.reduce((at, part) => (bytes.set(part, at), at + part.length), 0);
    return bytes;
  }

  function cannotLoad(label, text) {
    loadFailed = true;
    button.disabled = true;
    button.textContent = label;
    say(text);
  }

  function enableStart() {
    if (!runtimeReady || music === null || loadFailed || contextLost) return;
    button.disabled = safeButton.disabled = false;
    button.textContent = 'Start';
  }

  function load() {
    if (location.protocol === 'file:') {
      return cannotLoad('Cannot load', 'Lumaro has to come from a web server: a browser lets no page opened as a ' +
                        'file load its program. Serve this folder (scripts/web.sh serve, or python3 -m http.server ' +
                        'in it) and open the page at its http:// address.');
    }
    if (!hasWebGL()) {  // before the download, which would be for nothing
      return cannotLoad('No WebGL', 'This browser offers no WebGL, and Lumaro draws with WebGL: the show cannot run here.');
    }
    const program = download('lumaro.wasm');
    program.catch((error) => cannotLoad('Not loaded', `The program could not be loaded (${error.message}): the ` +
                                        'site is missing lumaro.wasm, or the connection broke. Reload to try again.'));
    download('SongM.xm')
      .then((bytes) => { music = bytes; })
      .catch((error) => { music = String(error); })  // the program then says the module is missing and plays silently
      .then(enableStart);
    // The program's bytes come from the download above, whose progress the button shows.
    Module.instantiateWasm = (imports, receive) => {
      program.then((bytes) => WebAssembly.instantiate(bytes, imports))
        .then((made) => receive(made.instance, made.module))
        .catch((error) => loadFailed || cannotLoad('Not loaded', 'The program could not start: ' + error.message));
      return {};
    };
    const script = document.createElement('script');
    script.src = 'lumaro.js';
    script.onerror = () => cannotLoad('Not loaded', 'The program could not be loaded: the site is missing lumaro.js.');
    document.body.appendChild(script);
  }

  // --- the show ------------------------------------------------------------------------
  // The query as given, or with the tamed flashes asked for ("?safe").
  function query(safe) {
    if (!safe) return location.search;
    return location.search ? location.search + '&safe' : '?safe';
  }

  function start(safe) {
    if (contextLost) return location.reload();
    if (music instanceof Uint8Array && !musicWritten) {
      Module.FS.writeFile('/SongM.xm', music);  // the program reads it from its working directory
      musicWritten = true;
    }
    say('');
    table.hidden = true;
    stills.length = 0;
    const started = Module.ccall('lumaro_start', 'number', ['string'], [query(safe)]);
    if (started === 0) {
      panel.hidden = true;
      controls.hidden = false;
      canvas.focus();
    }
  }

  function phaseChanged(phase) {
    const name = phases[phase];
    document.body.dataset.phase = name;
    if (spoken[name]) state.textContent = spoken[name];
    pause.textContent = name === 'paused' ? '▶' : '❚❚';
    pause.setAttribute('aria-label', name === 'paused' ? 'Play' : 'Pause');
    if (name !== 'ended') return;
    // Shown inside the full screen, if that is on, with the keyboard's focus on the button.
    controls.hidden = true;
    show.classList.remove('awake');
    panel.hidden = false;
    button.textContent = contextLost ? 'Reload' : 'Play again';
    button.focus();
  }

  // The browser may take the context away (a reset or starved graphics card); every texture
  // and list the show made goes with it, so the show stops and says so.
  function lostContext() {
    contextLost = true;
    say('The browser took the picture\'s WebGL context away (as it does when the graphics card is reset or ' +
        'short of memory): the show stopped. Reload the page to play it again.');
    if (runtimeReady && onShow()) {
      Module._lumaro_stop(1);
    } else if (!loadFailed) {
      button.disabled = false;
      button.textContent = 'Reload';
    }
  }

  // --- touch and mouse -------------------------------------------------------------------
  // The controls come with the pointer (a tap pauses, so they stay while paused), never
  // with a key: a keyboard has its own.
  let sleepTimer = 0;
  function wake() {
    show.classList.add('awake');
    clearTimeout(sleepTimer);
    sleepTimer = setTimeout(() => document.body.dataset.phase === 'paused' || show.classList.remove('awake'), 3000);
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) return document.exitFullscreen();
    show.requestFullscreen().catch((error) => say('Full screen is not allowed here: ' + error.message));
  }

  function control(id, action) {
    $(id).addEventListener('click', (event) => {
      if (runtimeReady) action();
      wake();
      if (event.detail > 0) canvas.focus();  // a tapped button keeps no focus for Space to press again
    });
  }

  control('pause', () => Module._lumaro_pause());
  control('previous', () => Module._lumaro_jump(-1));
  control('next', () => Module._lumaro_jump(1));
  control('stop', () => Module._lumaro_stop(0));
  control('fullscreen', toggleFullscreen);
  stage.addEventListener('click', () => runtimeReady && onShow() && Module._lumaro_pause());  // a tap pauses
  show.addEventListener('pointermove', () => onShow() && wake());
  show.addEventListener('pointerdown', () => onShow() && wake());

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

  button.addEventListener('click', () => start(false));
  safeButton.addEventListener('click', () => start(true));
  canvas.addEventListener('webglcontextlost', lostContext);
  new ResizeObserver(fit).observe(stage);
  fit();
  load();

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
