// The page of an optgrind session: the drawing, the command line, and the
// forms and boxes of the open prompt. Every action of the page is sent as
// the line a user would type at the terminal.
'use strict';

const $ = (id) => document.getElementById(id);
// A click snaps to the coarsest decimal step finer than this many pixels,
// so that a click aimed at 25,0 answers 25,0 and not 24.97,0.03.
const SNAP_PIXELS = 4;
const ZOOM_STEP = 1.2;
const DRAG_PIXELS = 3;
// The page keeps this much of the transcript's end, as the server does.
const TRANSCRIPT_CHARS = 1 << 20;

const page = {
  version: 0, from: 0, drawingVersion: -1, prompt: null, ended: false,
  svg: null, base: null, view: null, userView: false, drag: null,
};

async function send(line, view) {
  page.prompt = null;
  showPrompt();
  const body = view ? { line, view } : { line };
  const res = await fetch('answer', { method: 'POST', headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body) });
  if (!res.ok) $('hint').textContent = await res.text();
}

// ---- the drawing ----

function applyView() {
  const v = page.view;
  if (page.svg && v) page.svg.setAttribute('viewBox', `${v.x} ${v.y} ${v.w} ${v.h}`);
}

function fit() {
  page.view = page.base && { ...page.base };
  page.userView = false;
  applyView();
}

async function loadDrawing(version) {
  const res = await fetch('drawing.svg');
  if (!res.ok) return;
  $('drawing').innerHTML = await res.text();
  page.drawingVersion = version;
  page.svg = $('drawing').querySelector('svg');
  if (!page.svg) return;
  page.svg.removeAttribute('width');
  page.svg.removeAttribute('height');
  const [x, y, w, h] = page.svg.getAttribute('viewBox').split(/\s+/).map(Number);
  page.base = { x, y, w, h };
  if (!page.userView || !page.view) page.view = { ...page.base };
  applyView();
}

// The drawing point under a mouse event: the page's y runs down.
function pointAt(ev) {
  const m = page.svg.getScreenCTM().inverse();
  const p = new DOMPoint(ev.clientX, ev.clientY).matrixTransform(m);
  return { x: p.x, y: -p.y };
}

function unitsPerPixel() {
  const r = page.svg.getBoundingClientRect();
  return Math.max(page.view.w / r.width, page.view.h / r.height);
}

function snapStep() {
  return Math.pow(10, Math.ceil(Math.log10(SNAP_PIXELS * unitsPerPixel())));
}

function formatted(value, step) {
  const digits = Math.max(0, -Math.round(Math.log10(step)));
  const text = (Math.round(value / step) * step).toFixed(digits);
  return text === '-0' || /^-0\.0*$/.test(text) ? text.slice(1) : text;
}

// The visible view in drawing units: the session measures its pick box in it.
function visibleView() {
  const r = page.svg.getBoundingClientRect();
  const upp = unitsPerPixel();
  return { cx: page.view.x + page.view.w / 2, cy: -(page.view.y + page.view.h / 2), height: r.height * upp };
}

function picking() {
  return page.prompt && (page.prompt.kind === 'point' || page.prompt.kind === 'entity');
}

function onDrawingEvents() {
  const pane = $('drawing');
  pane.addEventListener('wheel', (ev) => {
    if (!page.svg) return;
    ev.preventDefault();
    const m = page.svg.getScreenCTM().inverse();
    const p = new DOMPoint(ev.clientX, ev.clientY).matrixTransform(m);
    const f = ev.deltaY > 0 ? ZOOM_STEP : 1 / ZOOM_STEP;
    const v = page.view;
    page.view = { x: p.x - (p.x - v.x) * f, y: p.y - (p.y - v.y) * f, w: v.w * f, h: v.h * f };
    page.userView = true;
    applyView();
  }, { passive: false });
  pane.addEventListener('mousedown', (ev) => {
    if (page.svg) page.drag = { x: ev.clientX, y: ev.clientY, view: { ...page.view }, moved: false };
  });
  window.addEventListener('mousemove', (ev) => {
    if (!page.svg) return;
    const step = snapStep();
    const p = pointAt(ev);
    $('cursor').textContent = `${formatted(p.x, step)}, ${formatted(p.y, step)}`;
    const d = page.drag;
    if (!d) return;
    const dx = ev.clientX - d.x, dy = ev.clientY - d.y;
    if (!d.moved && Math.hypot(dx, dy) < DRAG_PIXELS) return;
    d.moved = true;
    const upp = unitsPerPixel();
    page.view = { ...d.view, x: d.view.x - dx * upp, y: d.view.y - dy * upp };
    page.userView = true;
    applyView();
  });
  window.addEventListener('mouseup', (ev) => {
    const d = page.drag;
    page.drag = null;
    if (!d || d.moved || !page.svg || !picking() || !pane.contains(ev.target)) return;
    const step = snapStep();
    const p = pointAt(ev);
    send(`${formatted(p.x, step)},${formatted(p.y, step)}`, visibleView());
  });
  $('fit').addEventListener('click', fit);
  document.addEventListener('keydown', (ev) => {
    const typing = ev.target instanceof HTMLInputElement || ev.target instanceof HTMLSelectElement;
    if (!typing && (ev.key === 'f' || ev.key === 'F')) fit();
  });
}

// ---- the prompt: command line, form, box, path ----

function showForm(p) {
  const panel = $('form-panel'), grid = $('form-grid');
  const editing = p && p.kind === 'formEdit';
  panel.hidden = !p || (p.kind !== 'form' && !editing);
  if (panel.hidden) return;
  $('form-title').textContent = p.form.title.trim();
  grid.replaceChildren();
  grid.style.width = `${p.form.cols + 2}ch`;
  grid.style.height = `${(p.form.rows + 1) * 1.8}em`;
  const place = (el, row, col) => { el.style.top = `${row * 1.8}em`; el.style.left = `${col}ch`; };
  for (const l of p.form.labels) {
    const el = document.createElement('span');
    el.className = 'label';
    el.textContent = l.text;
    place(el, l.row, l.col);
    grid.append(el);
  }
  p.form.fields.forEach((f, i) => {
    let el;
    if (editing && p.field === i + 1) {
      el = editorFor(p);
    } else {
      el = document.createElement('button');
      el.type = 'button';
      el.textContent = f.caption;
      el.dataset.field = i + 1;
      el.addEventListener('click', () => send(`#${i + 1}`));
      if (editing) el.disabled = true;
    }
    el.classList.add('field');
    el.style.width = `${Math.max(f.width, f.caption.length) + 1}ch`;
    place(el, f.row, f.col);
    grid.append(el);
  });
}

// A field edited in place: Enter sends its value, Escape cancels.
function editorFor(p) {
  let el;
  if (p.editor === 'list') {
    el = document.createElement('select');
    p.choices.forEach((c, k) => {
      const o = new Option(c, `#${k + 1}`, false, c === p.value);
      el.add(o);
    });
    el.addEventListener('change', () => send(el.value));
  } else {
    el = document.createElement('input');
    el.value = p.value;
  }
  el.classList.add('editing');
  el.id = 'field-editor';
  el.addEventListener('keydown', (ev) => {
    if (ev.key === 'Enter') { ev.preventDefault(); send(el.value); }
    if (ev.key === 'Escape') { ev.preventDefault(); send('^C'); }
  });
  setTimeout(() => el.focus(), 0);
  return el;
}

function showBox(p) {
  const box = $('box');
  if (!p || p.kind !== 'box') { if (box.open) box.close(); return; }
  $('box-title').textContent = p.title;
  $('box-text').textContent = p.text;
  const buttons = $('box-buttons');
  buttons.replaceChildren();
  for (const caption of p.choices) {
    const b = document.createElement('button');
    b.textContent = caption;
    b.addEventListener('click', () => send(caption));
    buttons.append(b);
  }
  if (!box.open) box.showModal();
}

function showPath(p) {
  const d = $('path-dialog');
  if (!p || p.kind !== 'path') { if (d.open) d.close(); return; }
  $('path-title').textContent = p.title;
  if (!d.open) { $('path').value = ''; d.showModal(); }
}

function showPrompt() {
  const p = page.prompt;
  $('prompt').textContent = p ? p.prompt.replace(/^\n+/, '') : '';
  document.body.dataset.prompt = p ? p.kind : '';
  $('drawing').classList.toggle('picking', !!picking());
  $('hint').textContent = picking() ? 'click picks a point' : '';
  showForm(p);
  showBox(p);
  showPath(p);
}

function onPromptEvents() {
  $('command').addEventListener('submit', (ev) => {
    ev.preventDefault();
    send($('answer').value);
    $('answer').value = '';
  });
  $('answer').addEventListener('keydown', (ev) => {
    if (ev.key === 'Escape') { ev.preventDefault(); send('^C'); }
  });
  for (const b of document.querySelectorAll('#tools button[data-line]')) {
    b.addEventListener('click', () => send(b.dataset.line));
  }
  $('box').addEventListener('cancel', (ev) => { ev.preventDefault(); send('^C'); });
  $('path-dialog').addEventListener('cancel', (ev) => { ev.preventDefault(); send('^C'); });
  $('path-form').addEventListener('submit', (ev) => { ev.preventDefault(); send($('path').value); });
  $('path-cancel').addEventListener('click', () => send(''));
}

// ---- following the session ----

function appendTranscript(s) {
  const t = $('transcript');
  if (s.transcriptStart !== page.from) t.textContent = '';
  t.textContent += s.transcript;
  if (t.textContent.length > TRANSCRIPT_CHARS) t.textContent = t.textContent.slice(-TRANSCRIPT_CHARS / 2);
  page.from = s.transcriptEnd;
  t.scrollTop = t.scrollHeight;
}

async function follow() {
  while (!page.ended) {
    let s;
    try {
      const res = await fetch(`state?since=${page.version}&from=${page.from}`);
      if (!res.ok) {
        $('hint').textContent = await res.text();
        return;
      }
      s = await res.json();
    } catch (e) {
      $('hint').textContent = 'the session does not answer';
      await new Promise((r) => setTimeout(r, 1000));
      continue;
    }
    page.version = s.version;
    appendTranscript(s);
    if (s.drawingVersion !== page.drawingVersion) await loadDrawing(s.drawingVersion);
    page.ended = s.ended;
    page.prompt = s.ended ? null : s.prompt;
    showPrompt();
    if (s.ended) $('hint').textContent = 'the session has ended';
  }
}

onDrawingEvents();
onPromptEvents();
follow();
