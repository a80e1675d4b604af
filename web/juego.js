'use strict';
// The page client of the table protocol (docs/protocol.md): the server chooses every game text;
// the page shows, says and keeps them, and sends the keys.
(() => {
  const $ = (id) => document.getElementById(id);
  const store = {
    get(k) { try { return localStorage.getItem('fortuna.' + k); } catch (e) { return null; } },
    set(k, v) {
      try { if (v == null) localStorage.removeItem('fortuna.' + k); else localStorage.setItem('fortuna.' + k, v); } catch (e) { /* private mode */ }
    },
  };

  const state = {
    ws: null, token: store.get('token'), name: store.get('nombre'), table: null, as: null,
    creator: false, started: false, roster: null, choices: [], last: '', cursor: -1,
    retry: 0, closing: false, escapeAt: 0, renaming: 0,
  };

  function show(view) {
    for (const v of ['vista-nombre', 'vista-mesas', 'vista-mesa']) $(v).hidden = v !== view;
    $('vista-historial').hidden = view !== 'vista-mesa';
  }
  function status(text) { $('estado').textContent = text; }

  // Local texts (repeats, history, help, refusals) are said but are not the seat's stream.
  function notice(text) {
    const a = $('aviso');
    a.textContent = '';
    // A fresh node makes screen readers say the same text twice in a row too.
    setTimeout(() => { a.textContent = text; }, 30);
    voice.say(text, 'none');
  }

  // A text that purges (wait none or after) is put in the log while the log is assertive, so
  // screen readers cut what they were saying; a text that waits before is put in while it is
  // polite, so it queues. The politeness changes only once the accessibility tree has had time
  // to report the texts put in before with theirs.
  const SETTLE_MS = 40;
  const pending = [];
  let timer = null;
  let lastAppend = -Infinity;
  const politeness = (wait) => (wait === 'before' || wait === 'both' ? 'polite' : 'assertive');
  function addText(text, wait, n) {
    pending.push({ text, wait, n });
    if (!timer) flush();
  }
  function flush() {
    timer = null;
    if (!pending.length) return;
    const log = $('historial');
    const live = politeness(pending[0].wait);
    if (log.getAttribute('aria-live') !== live) {
      const wait = SETTLE_MS - (performance.now() - lastAppend);
      if (wait > 0) { timer = setTimeout(flush, wait); return; }
      log.setAttribute('aria-live', live);
    }
    while (pending.length && politeness(pending[0].wait) === live) {
      const t = pending.shift();
      const p = document.createElement('p');
      p.textContent = t.text;
      if (t.n != null) p.dataset.n = t.n;
      log.appendChild(p);
      p.scrollIntoView({ block: 'nearest' });
      state.last = t.text;
      $('ultimo').textContent = t.text;
      voice.say(t.text, t.wait);
    }
    lastAppend = performance.now();
    state.cursor = log.children.length;
    saveLog();
    if (pending.length) flush();
  }
  function logTexts() { return Array.from($('historial').children, (p) => p.textContent); }

  // The history survives a reload, so coming back shows what came before what was missed.
  function logKey() { return 'historial:' + state.token + ':' + state.table; }
  function saveLog() {
    const items = Array.from($('historial').children).slice(-400)
      .map((p) => ({ t: p.textContent, n: p.dataset.n ? +p.dataset.n : null }));
    try {
      sessionStorage.setItem(logKey(), JSON.stringify(items));
      sessionStorage.setItem('mesa', state.table);
    } catch (e) { /* full or private */ }
  }
  function restoreLog() {
    const log = $('historial');
    delete log.dataset.table;
    log.textContent = '';
    let items = [];
    try { items = JSON.parse(sessionStorage.getItem(logKey()) || '[]'); } catch (e) { items = []; }
    // Said before the reload: put back silently, not said again.
    log.setAttribute('aria-live', 'off');
    for (const it of items) {
      const p = document.createElement('p');
      p.textContent = it.t;
      if (it.n != null) p.dataset.n = it.n;
      log.appendChild(p);
    }
    log.dataset.table = state.table;
    lastAppend = performance.now();
    state.cursor = log.children.length;
  }

  function historyMove(where) {
    const items = $('historial').children;
    if (!items.length) { notice('El historial está vacío.'); return; }
    let i = state.cursor;
    if (where === 'PageUp') i = Math.max(0, i - 1);
    else if (where === 'PageDown') i = Math.min(items.length - 1, i + 1);
    else if (where === 'Home') i = 0;
    else i = items.length - 1;
    state.cursor = i;
    const place = i === 0 ? 'Primer mensaje: ' : i === items.length - 1 ? 'Último mensaje: ' : '';
    notice(place + items[i].textContent);
  }

  const voice = {
    on: store.get('voz') === '1',
    rate: parseFloat(store.get('velocidad')) || 1,
    keepUntilSaid: false,
    pick() {
      const synth = window.speechSynthesis;
      const sel = $('voces');
      const list = synth ? synth.getVoices().filter((v) => /^es\b|^es[-_]/i.test(v.lang)) : [];
      const chosen = store.get('nombre-voz');
      sel.textContent = '';
      if (!list.length) {
        const o = document.createElement('option');
        o.textContent = synth ? 'La del navegador' : 'Este navegador no tiene voz';
        o.value = '';
        sel.appendChild(o);
      }
      for (const v of list) {
        const o = document.createElement('option');
        o.value = v.name;
        o.textContent = v.name + ' (' + v.lang + ')';
        if (v.name === chosen) o.selected = true;
        sel.appendChild(o);
      }
      this.voices = list;
    },
    say(text, wait) {
      const synth = window.speechSynthesis;
      if (!this.on || !synth) return;
      const purge = wait === 'none' || wait === 'after';
      if (purge && !this.keepUntilSaid) synth.cancel();
      const u = new SpeechSynthesisUtterance(text);
      u.lang = 'es-ES';
      u.rate = this.rate;
      const v = (this.voices || []).find((x) => x.name === $('voces').value);
      if (v) { u.voice = v; u.lang = v.lang; }
      this.keepUntilSaid = wait === 'after' || wait === 'both';
      u.onend = () => { this.keepUntilSaid = false; };
      synth.speak(u);
    },
    silence() { if (window.speechSynthesis) window.speechSynthesis.cancel(); this.keepUntilSaid = false; },
    setRate(r) {
      this.rate = Math.min(3, Math.max(0.5, Math.round(r * 10) / 10));
      store.set('velocidad', String(this.rate));
      $('velocidad').value = this.rate;
      $('velocidad-valor').textContent = this.rate;
    },
  };

  let audio = null;
  function beep() {
    if (navigator.vibrate) navigator.vibrate(60);
    try {
      audio = audio || new (window.AudioContext || window.webkitAudioContext)();
      const o = audio.createOscillator();
      const g = audio.createGain();
      o.frequency.value = 330;
      g.gain.value = 0.15;
      o.connect(g).connect(audio.destination);
      o.start();
      o.stop(audio.currentTime + 0.12);
    } catch (e) { /* no audio */ }
  }

  function send(msg) {
    if (state.ws && state.ws.readyState === 1) state.ws.send(JSON.stringify(msg));
  }
  function connect() {
    if (!state.name) { show('vista-nombre'); status('Escriba su nombre para entrar.'); $('nombre').focus(); return; }
    const url = (location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + '/ws';
    let ws;
    try { ws = new WebSocket(url); } catch (e) { status('No se puede conectar.'); return; }
    state.ws = ws;
    ws.onopen = () => {
      state.retry = 0;
      const hello = { type: 'hello', version: 1, name: state.name };
      if (state.token) {
        hello.token = state.token;
        // What this page already holds: the server sends what came after it as missed.
        const seen = Math.max(0, ...Array.from($('historial').children, (p) => +p.dataset.n || 0));
        if (seen && $('historial').dataset.table) hello.seen = seen;
      }
      send(hello);
    };
    ws.onmessage = (ev) => {
      let msg;
      try { msg = JSON.parse(ev.data); } catch (e) { return; }
      const handler = handlers[msg.type];
      if (handler) handler(msg);
    };
    ws.onclose = () => {
      if (state.ws !== ws) return;
      state.ws = null;
      if (state.closing) return;
      // Bounded backoff: a server restarting is back within seconds; the token keeps the seat.
      const delay = Math.min(30000, 1000 * 2 ** state.retry++);
      status('Sin conexión con el servidor; se vuelve a intentar en ' + Math.round(delay / 1000) + ' segundos.');
      setTimeout(connect, delay);
    };
  }

  const handlers = {
    welcome(m) {
      state.token = m.token;
      store.set('token', m.token);
      state.name = m.name;
      status('Conectado como ' + m.name + '.');
      if (!m.resumed) { leftTable(); send({ type: 'list' }); }
      else if (!state.table) send({ type: 'list' });
    },
    tables(m) {
      renderTables(m.tables || []);
      // Back with a token but at no table: the list is where this person is.
      if (!state.table) show('vista-mesas');
    },
    joined(m) {
      const same = state.table === m.table;
      state.table = m.table;
      state.as = m.as;
      state.creator = !!m.creator;
      state.started = !!m.started;
      $('t-mesa').textContent = m.table + (m.as === 'onlooker' ? ' (escuchando)' : '');
      if (!same && !(state.restored && $('historial').dataset.table === m.table)) restoreLog();
      state.restored = false;
      show('vista-mesa');
      renderTable();
      status('En la mesa ' + m.table + '.');
    },
    roster(m) {
      state.roster = m;
      if (m.started) state.started = true;
      renderTable();
    },
    say(m) {
      addText(m.text, m.wait || 'none', m.n);
    },
    missed(m) {
      for (const t of m.texts || []) addText(t.text, 'before', t.n);
    },
    label(m) { $('etiqueta').textContent = m.text; },
    beep() { beep(); },
    choices(m) {
      state.choices = m.choices || [];
      if (state.choices.length && !state.started) { state.started = true; renderTable(); }
      renderChoices();
    },
    error(m) {
      if (m.code === 'unknown_token') {
        state.token = null;
        store.set('token', null);
        send({ type: 'hello', version: 1, name: state.name });
        return;
      }
      if (m.code === 'bad_name' && !state.token) { state.name = null; store.set('nombre', null); }
      if (m.code === 'started') { state.started = true; renderTable(); }
      status(m.message);
      notice(m.message);
      if (m.code === 'bad_name' && !state.name) { show('vista-nombre'); $('nombre').focus(); }
    },
    goodbye(m) {
      status(m.message);
      notice(m.message);
      if (m.reason === 'replaced') state.closing = true;
      if (m.reason === 'table_closed') leftTable();
    },
  };

  function leftTable() {
    state.table = null; state.as = null; state.started = false; state.roster = null;
    state.choices = []; renderChoices();
    try { sessionStorage.removeItem('mesa'); } catch (e) { /* private mode */ }
    delete $('historial').dataset.table;
    show('vista-mesas');
    if (state.name) status('Conectado como ' + state.name + '. Elija una mesa o cree una.');
  }

  function button(text, onclick, cls) {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = text;
    if (cls) b.className = cls;
    b.addEventListener('click', onclick);
    return b;
  }

  function renderTables(list) {
    const ul = $('mesas');
    ul.textContent = '';
    if (!list.length) {
      const li = document.createElement('li');
      li.textContent = 'No hay ninguna mesa. Cree una.';
      ul.appendChild(li);
    }
    for (const t of list) {
      const li = document.createElement('li');
      const h = document.createElement('h3');
      h.textContent = t.name;
      const p = document.createElement('p');
      p.textContent = plural(t.players, 'jugador', 'jugadores') + ', ' + plural(t.onlookers, 'oyente', 'oyentes') + ', ' +
        (t.started ? 'partida empezada' : 'sin empezar') + ', ' + plural((t.free || []).length, 'personaje libre', 'personajes libres') + '.';
      li.append(h, p);
      if ((t.free || []).length) li.appendChild(button('Jugar en ' + t.name, () => send({ type: 'join', table: t.name, as: 'player' })));
      li.appendChild(button('Escuchar ' + t.name, () => send({ type: 'join', table: t.name, as: 'onlooker' })));
      ul.appendChild(li);
    }
  }
  function plural(n, one, many) { return n + ' ' + (n === 1 ? one : many); }

  function renderTable() {
    const r = state.roster;
    // The start button goes with the start screen: its focus moves to the game's keys, where a
    // screen reader passes them on to the page.
    const lost = document.activeElement === document.body || $('inicio').contains(document.activeElement);
    $('inicio').hidden = state.started;
    $('partida').hidden = !state.started;
    if (state.started && lost) $('teclado').focus();
    $('empezar').hidden = !(state.creator && !state.started && state.as === 'player');
    if (!r) return;
    const people = (r.players || []).join(', ');
    $('gente').textContent = 'Crea la mesa: ' + r.creator + '. Jugadores: ' + (people || 'ninguno') + '. ' +
      plural(r.onlookers || 0, 'oyente', 'oyentes') + '.';
    const ul = $('personajes');
    const focusedNumber = document.activeElement && document.activeElement.dataset.number;
    ul.textContent = '';
    for (const c of r.characters || []) {
      const li = document.createElement('li');
      const mine = c.yours === true;
      const who = mine ? 'suyo' : c.holder ? 'de ' + c.holder : 'libre, lo juega el ordenador';
      let b;
      if (state.as !== 'player') {
        const p = document.createElement('p');
        p.textContent = c.number + '. ' + c.name + ': ' + who + '.';
        li.appendChild(p);
      } else if (mine) {
        b = button(c.number + '. ' + c.name + ': ' + who + '. Dejarlo', () => send({ type: 'release', character: c.number }), 'mio');
        li.appendChild(b);
        if (!state.started) {
          li.appendChild(button('Cambiar el nombre de ' + c.name, () => askRename(c), 'secundario'));
        }
      } else {
        b = button(c.number + '. ' + c.name + ': ' + who + (c.holder ? '' : '. Tomarlo'),
          () => send({ type: 'take', character: c.number }));
        if (c.holder) b.disabled = true;
        li.appendChild(b);
      }
      if (b) b.dataset.number = c.number;
      ul.appendChild(li);
    }
    // A rebuilt list must not drop the focus of someone walking through it.
    if (focusedNumber) {
      const again = ul.querySelector('[data-number="' + focusedNumber + '"]:not([disabled])');
      if (again) again.focus();
    }
  }

  function askRename(c) {
    state.renaming = c.number;
    $('e-renombrar').textContent = 'Nombre nuevo para ' + c.name;
    $('nuevo-nombre').value = c.name;
    $('form-renombrar').hidden = false;
    $('nuevo-nombre').focus();
    $('nuevo-nombre').select();
  }

  function renderChoices() {
    const box = $('opciones');
    const hadFocus = box.contains(document.activeElement) ? document.activeElement.dataset.key : null;
    const same = box.children.length === state.choices.length &&
      state.choices.every((c, i) => box.children[i].dataset.key === c.key && box.children[i].textContent === c.name);
    if (same) return;
    box.textContent = '';
    for (const c of state.choices) {
      const b = button(c.name, () => sendKey(c.key));
      b.dataset.key = c.key;
      box.appendChild(b);
    }
    if (hadFocus) {
      const again = box.querySelector('[data-key="' + CSS.escape(hadFocus) + '"]');
      (again || box).focus();
    }
  }

  const spokenKey = (k) => k.replace(/^Ctrl\+(\d)$/, 'Mayúsculas y $1 (o Control y $1)')
    .replace('Space', 'Espacio').replace('Enter', 'Intro').replace('Escape', 'Escape');

  function help() {
    const now = state.choices.map((c) => spokenKey(c.key) + ': ' + c.name);
    const always = [
      'F1 o A: esta ayuda',
      'F5 o R: repite el último texto',
      'F6 o D: descripciones cortas o largas de las cartas',
      'Los dígitos: eligen sala, carta u objetivo',
      'Mayúsculas y un dígito, o Control y el dígito donde el navegador lo deje: descartan esa carta',
      'Espacio: continúa; C: sus cartas; P: su situación; H: el heredero actual',
      'Re Pág y Av Pág: mensaje anterior y siguiente del historial; Inicio y Fin: el primero y el último',
      'F7 o menos, F8 o más: velocidad de la voz de la página; Control: la calla',
      'Escape dos veces: dejar la mesa',
    ];
    const ul = $('ayuda-lista');
    ul.textContent = '';
    for (const line of (now.length ? ['Ahora:'].concat(now) : []).concat(['Siempre:'], always)) {
      const li = document.createElement('li');
      li.textContent = line;
      ul.appendChild(li);
    }
    $('ayuda').hidden = false;
    notice((now.length ? 'Teclas de ahora: ' + now.join('. ') + '. ' : '') + 'Teclas de siempre: ' + always.join('. ') + '.');
  }

  // The server closes a connection sending over 20 messages a second.
  const sentAt = [];
  function sendKey(key) {
    if (state.as !== 'player') { notice('Está escuchando: las teclas de la partida son de quienes juegan.'); return; }
    const now = performance.now();
    while (sentAt.length && now - sentAt[0] > 1000) sentAt.shift();
    if (sentAt.length >= 12) { beep(); return; }
    sentAt.push(now);
    send({ type: 'key', key });
  }

  const typing = (el) => el && (el.tagName === 'INPUT' || el.tagName === 'TEXTAREA' || el.tagName === 'SELECT' || el.isContentEditable);

  document.addEventListener('keydown', (e) => {
    if (e.key === 'Control') { voice.silence(); return; }
    if (typing(e.target) && e.key !== 'F1') return;
    const atTable = !!state.table;
    const playing = atTable && state.started;
    const k = e.key;
    // A key held down repeats; a game key counts once.
    if (e.repeat && playing && !['PageUp', 'PageDown', 'F7', 'F8', '-', '+'].includes(k)) { e.preventDefault(); return; }
    const letter = k.length === 1 && !e.ctrlKey && !e.altKey && !e.metaKey ? k.toUpperCase() : '';
    let handled = true;
    if (k === 'F1' || letter === 'A') help();
    else if (k === 'F7' || (k === '-' && !e.ctrlKey)) { voice.setRate(voice.rate - 0.1); notice('Velocidad ' + voice.rate); }
    else if (k === 'F8' || (k === '+' && !e.ctrlKey)) { voice.setRate(voice.rate + 0.1); notice('Velocidad ' + voice.rate); }
    else if (!atTable) handled = false;
    else if (k === 'F5' || letter === 'R') notice(state.last || 'Todavía no se ha dicho nada.');
    else if (['PageUp', 'PageDown', 'Home', 'End'].includes(k)) historyMove(k);
    else if (k === 'Escape') {
      if (Date.now() - state.escapeAt < 5000) { state.escapeAt = 0; send({ type: 'leave' }); leftTable(); send({ type: 'list' }); }
      else { state.escapeAt = Date.now(); notice('Pulse Escape otra vez para dejar la mesa.'); }
    } else if (!playing) handled = false;
    else {
      const digit = /^(Digit|Numpad)(\d)$/.exec(e.code || '');
      // Browsers keep Control with a digit for their tabs: Shift with the digit stands for it.
      // Where digits need Shift (AZERTY), Shift with a digit is the digit itself.
      if (digit && !e.altKey && !e.metaKey) sendKey((e.ctrlKey || (e.shiftKey && !/^\d$/.test(k)) ? 'Ctrl+' : '') + digit[2]);
      else if (/^\d$/.test(k) && !e.altKey && !e.metaKey) sendKey((e.ctrlKey ? 'Ctrl+' : '') + k);
      else if ((k === ' ' || k === 'Enter') && !(e.target.tagName === 'BUTTON')) sendKey(k === ' ' ? 'Space' : 'Enter');
      else if (k === 'F6' || letter === 'D') sendKey('F6');
      else if (letter === 'C' || letter === 'P' || letter === 'H') sendKey(letter);
      else handled = false;
    }
    if (handled) e.preventDefault();
  });

  $('form-nombre').addEventListener('submit', (e) => {
    e.preventDefault();
    const n = $('nombre').value.trim();
    if (!n) return;
    state.name = n;
    store.set('nombre', n);
    if (state.ws) send({ type: 'hello', version: 1, name: n }); else connect();
  });
  $('form-crear').addEventListener('submit', (e) => {
    e.preventDefault();
    const t = $('nombre-mesa').value.trim();
    if (t) send({ type: 'create', table: t });
  });
  $('form-renombrar').addEventListener('submit', (e) => {
    e.preventDefault();
    const n = $('nuevo-nombre').value.trim();
    if (n && state.renaming) send({ type: 'rename', character: state.renaming, name: n });
    closeRename();
  });
  // Back to the character, so the focus is not lost with the hidden form.
  function closeRename() {
    $('form-renombrar').hidden = true;
    const b = $('personajes').querySelector('[data-number="' + state.renaming + '"]');
    if (b) b.focus();
  }
  $('cancelar-renombrar').addEventListener('click', closeRename);
  $('actualizar').addEventListener('click', () => send({ type: 'list' }));
  $('empezar').addEventListener('click', () => send({ type: 'start' }));
  $('dejar').addEventListener('click', () => { send({ type: 'leave' }); leftTable(); send({ type: 'list' }); });
  $('ayuda-boton').addEventListener('click', help);
  $('cerrar-ayuda').addEventListener('click', () => { $('ayuda').hidden = true; });
  $('voz').checked = voice.on;
  $('voz').addEventListener('change', () => {
    voice.on = $('voz').checked;
    store.set('voz', voice.on ? '1' : '0');
    if (!voice.on) voice.silence(); else voice.say('Voz de la página activada.', 'none');
  });
  $('voces').addEventListener('change', () => store.set('nombre-voz', $('voces').value));
  $('velocidad').addEventListener('input', () => voice.setRate(parseFloat($('velocidad').value)));
  voice.setRate(voice.rate);
  voice.pick();
  if (window.speechSynthesis) window.speechSynthesis.addEventListener('voiceschanged', () => voice.pick());

  // A page left for another keeps its socket open in the back-forward cache: the table would
  // never hear that its player is away.
  window.addEventListener('pagehide', () => { state.closing = true; if (state.ws) state.ws.close(1000); });
  window.addEventListener('pageshow', (e) => { if (e.persisted) { state.closing = false; connect(); } });

  // What tests and people measuring read: the log's texts in order.
  window.fortunaLog = logTexts;
  // This tab was at a table: its history is back before the server answers.
  try { state.table = state.token && sessionStorage.getItem('mesa'); } catch (e) { state.table = null; }
  if (state.table) restoreLog();
  state.table = null;
  state.restored = true;
  connect();
})();
