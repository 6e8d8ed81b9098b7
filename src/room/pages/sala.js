// The room's pages: one live link to the program, the whole state on connecting, then what
// changed. Written for old phone and television browsers: no modules, no arrow functions.
(function () {
  "use strict";
  var page = document.body.getAttribute("data-page");
  var state = {};
  var strikesSeen = null;

  function byId(id) { return document.getElementById(id); }
  function setText(id, text) {
    var e = byId(id);
    if (e) { e.textContent = text === undefined || text === null ? "" : String(text); }
  }
  function show(id, on) {
    var e = byId(id);
    if (e) { e.style.display = on ? "" : "none"; }
  }
  function setStatus(text) {
    var e = byId("status");
    e.textContent = text;
    e.style.display = text ? "" : "none";
  }

  function listItems(id, count) {
    var list = byId(id);
    while (list.children.length < count) { list.appendChild(document.createElement("li")); }
    return list.children;
  }

  function renderTotals() {
    var teams = state.teams || ["", ""];
    setText("leftName", teams[0]);
    setText("rightName", teams[1]);
    var hidden = state.scores === null || state.scores === undefined;
    show("leftScore", !hidden);
    show("rightScore", !hidden);
    show("pot", state.pot !== null && state.pot !== undefined);
    if (!hidden) {
      setText("leftScore", state.scores[0]);
      setText("rightScore", state.scores[1]);
    }
    setText("pot", state.pot);
  }

  function renderSlots() {
    var fm = state.fastMoney || { answers: [], scores: [] };
    var items = listItems("slots", 10);
    for (var i = 0; i < 10; i++) {
      var a = fm.answers[i] || "";
      var s = fm.scores[i] || "";
      items[i].textContent = a || s ? a + "  " + s : "";
    }
  }

  function renderBoard() {
    var view = state.view || "cover";
    // The title in the board's own colours, as on its title bar; the rest keeps a dark
    // ground the back of the room can read.
    var title = byId("title");
    title.style.backgroundColor = state.background || "";
    title.style.color = state.titleColour || "";
    setText("title", state.title);
    setText("coverTitle", state.title);
    show("cover", view === "cover");
    show("game", view === "game");
    show("fastMoney", view === "fastMoney");
    setText("question", state.question);
    var rows = state.rows || [];
    var items = listItems("rows", 5);
    for (var i = 0; i < 5; i++) {
      var r = rows[i] || { state: "blank" };
      items[i].className = r.state;
      items[i].textContent = "";
      if (r.state === "open") {
        var t = document.createElement("span");
        t.textContent = r.text;
        var p = document.createElement("b");
        p.textContent = r.points;
        items[i].appendChild(t);
        items[i].appendChild(p);
      } else if (r.state === "covered") {
        items[i].textContent = String(i + 1);
      }
    }
    renderTotals();
    renderSlots();
    setText("clock", state.clock);
    setText("fastTotal", state.pot);
    if (strikesSeen !== null && state.strikes !== strikesSeen && state.strikes > 0) {
      flash("strikes", new Array(state.strikes + 1).join("X "));
    }
    strikesSeen = state.strikes;
  }

  // The double or triple splash, for as long as the board shows it; put away at once when
  // the board puts its game back.
  var splashTimer = null;
  function showSplash(message) {
    var e = byId("splash");
    if (!e) { return; }
    clearTimeout(splashTimer);
    if (message.stop || (message.multiplier !== 2 && message.multiplier !== 3)) {
      e.style.display = "none";
      return;
    }
    e.textContent = message.multiplier === 3 ? "¡TRIPLE!" : "¡DOBLE!";
    e.style.display = "block";
    splashTimer = setTimeout(function () { e.style.display = "none"; }, message.ms || 3000);
  }

  // Browsers keep a page silent until it is tapped: "Activar sonido" unlocks sound within
  // the tap, and from then on the page plays the board's effects when the board plays them.
  // Each effect is fetched from the program the first time and kept decoded.
  var sound = { on: false, context: null, element: null, buffers: {}, voice: null, wanted: null };

  function quietly(promise) {
    if (promise && promise.then) { promise.then(null, function () {}); }
  }
  function effectUrl(name) { return "/sonido/" + encodeURIComponent(name) + ".wav"; }
  function startSource(source) {
    if (source.start) { source.start(0); } else { source.noteOn(0); }
  }
  function heard(name) { document.body.setAttribute("data-sonido", name); }

  function unlockSound() {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (Context) {
      sound.context = new Context();
      // A silent sample played inside the tap lets the context play from then on.
      var source = sound.context.createBufferSource();
      source.buffer = sound.context.createBuffer(1, 1, 22050);
      source.connect(sound.context.destination);
      startSource(source);
      if (sound.context.resume) { quietly(sound.context.resume()); }
    } else if (window.Audio) {
      sound.element = new window.Audio();
    } else {
      return false;
    }
    sound.on = true;
    return true;
  }

  function withBuffer(name, use) {
    if (sound.buffers[name]) {
      use(sound.buffers[name]);
      return;
    }
    var request = new XMLHttpRequest();
    request.open("GET", effectUrl(name), true);
    request.responseType = "arraybuffer";
    request.onload = function () {
      if (request.status !== 200) { return; }
      quietly(sound.context.decodeAudioData(request.response, function (buffer) {
        sound.buffers[name] = buffer;
        use(buffer);
      }, function () {}));
    };
    request.send();
  }

  function stopEffect() {
    sound.wanted = null;
    if (sound.voice) {
      try {
        if (sound.voice.stop) { sound.voice.stop(0); } else { sound.voice.noteOff(0); }
      } catch (e) { /* already ended */ }
      sound.voice = null;
    }
    if (sound.element) { sound.element.pause(); }
  }

  // One effect at a time, as on the board: a new one replaces whatever plays, even one
  // still being fetched.
  function playEffect(name, loop) {
    stopEffect();
    if (sound.element) {
      sound.element.src = effectUrl(name);
      sound.element.loop = loop;
      quietly(sound.element.play());
      heard(name);
      return;
    }
    var wanted = {};
    sound.wanted = wanted;
    withBuffer(name, function (buffer) {
      if (sound.wanted !== wanted) { return; }
      var source = sound.context.createBufferSource();
      source.buffer = buffer;
      source.loop = loop;
      source.connect(sound.context.destination);
      startSource(source);
      sound.voice = source;
      heard(name);
    });
  }

  function followSound(message) {
    if (!sound.on) { return; }
    if (message.stop) {
      stopEffect();
    } else if (typeof message.play === "string") {
      playEffect(message.play, message.loop === true);
    }
  }

  function flash(id, text) {
    var e = byId(id);
    e.textContent = text;
    e.style.display = "block";
    setTimeout(function () { e.style.display = "none"; }, 1500);
  }

  function renderHost() {
    setText("title", state.title);
    setText("card", state.card ? "Tarjeta " + state.card : "");
    setText("question", state.question);
    var rows = state.rows || [];
    var items = listItems("rows", 5);
    for (var i = 0; i < 5; i++) {
      var r = rows[i] || {};
      items[i].className = r.open ? "open" : "hidden";
      items[i].textContent = r.text ? r.text + " — " + r.points + (r.open ? " ✔" : "") : "";
    }
    renderTotals();
    renderSlots();
    setText("strikeCount", state.strikes);
    setText("multiplier", state.multiplier);
    setText("clock", state.clock);
    renderTyped();
  }

  // The operator's fast-money fields as typed, before they are shown on the board.
  function renderTyped() {
    var typed = state.typed || { answers: [], scores: [] };
    var items = listItems("typed", 10);
    for (var i = 0; i < 10; i++) {
      var a = typed.answers[i] || "";
      var s = typed.scores[i] || "";
      items[i].textContent = a || s ? a + "  " + s : "";
    }
  }

  // The face-off's winner: the team's score panel blinks in the team's colours for three
  // seconds, the player's name under the team's.
  var winnerTimer = null;
  function showWinner(message) {
    var side = message.team === 0 ? "left" : message.team === 1 ? "right" : "";
    var panel = byId(side + "Team");
    if (!side || !panel) { return; }
    endWinner();
    setText(side + "Name", (state.teams || [])[message.team]);
    setText(side + "Player", message.name);
    var blinks = 0;
    panel.className = "team winner " + side + " lit";
    winnerTimer = setInterval(function () {
      blinks++;
      if (blinks >= 12) {
        endWinner();
      } else {
        panel.className = "team winner " + side + (blinks % 2 ? "" : " lit");
      }
    }, 250);
  }

  function endWinner() {
    clearInterval(winnerTimer);
    winnerTimer = null;
    var sides = ["left", "right"];
    for (var i = 0; i < 2; i++) {
      var panel = byId(sides[i] + "Team");
      if (panel) { panel.className = "team"; }
      setText(sides[i] + "Player", "");
    }
  }

  function render() {
    if (page === "presentador") { renderHost(); } else { renderBoard(); }
  }

  var link = veltaLink("/enlace" + location.search, {
    message: function (message) {
      if (message.type === "state") {
        state = message.state;
      } else if (message.type === "change") {
        for (var key in message.state) {
          if (message.state.hasOwnProperty(key)) { state[key] = message.state[key]; }
        }
      } else if (message.type === "winner") {
        showWinner(message);
        return;
      } else if (message.type === "sound") {
        followSound(message);
        return;
      } else if (message.type === "splash") {
        showSplash(message);
        return;
      } else {
        return;
      }
      setStatus("");
      render();
    },
    dropped: function () { setStatus("Reconectando…"); },
    refused: setStatus
  });

  var soundButton = byId("sound");
  if (soundButton) {
    soundButton.onclick = function () {
      if (sound.on) { return; }
      var unlocked = false;
      try { unlocked = unlockSound(); } catch (e) { unlocked = false; }
      soundButton.textContent = unlocked ? "Sonido activado" : "Este navegador no reproduce sonido";
      soundButton.disabled = true;
    };
  }

  var full = byId("fullscreen");
  if (full) {
    full.onclick = function () {
      var e = document.documentElement;
      var go = e.requestFullscreen || e.webkitRequestFullscreen || e.msRequestFullscreen;
      if (go) { go.call(e); }
      keepAwake();
    };
  }

  // A phone on the board's page can become a player's buzzer, with the same code.
  var toBuzzer = byId("toBuzzer");
  if (toBuzzer) { toBuzzer.href = "/pulsador" + location.search; }

  // Where the browser allows it, the screen stays on while the board is shown.
  function keepAwake() {
    if (navigator.wakeLock && navigator.wakeLock.request) {
      navigator.wakeLock.request("screen").then(null, function () {});
    }
  }
  document.addEventListener("visibilitychange", function () {
    if (document.visibilityState === "visible" && !link.isRefused()) {
      keepAwake();
      // A phone may suspend the page's sound while it is put away.
      if (sound.context && sound.context.resume) { quietly(sound.context.resume()); }
    }
  });
  keepAwake();
})();
