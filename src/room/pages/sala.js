// The room's pages: one live link to the program, the whole state on connecting, then what
// changed. Written for old phone and television browsers: no modules, no arrow functions.
(function () {
  "use strict";
  var page = document.body.getAttribute("data-page");
  var state = {};
  var socket = null;
  var retryMs = 1000;
  var lastHeard = 0;
  var refused = false;
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
    var splash = byId("splash");
    if (state.multiplier > 1) {
      splash.textContent = state.multiplier === 3 ? "¡TRIPLE!" : "¡DOBLE!";
      splash.style.display = "block";
    } else {
      splash.style.display = "none";
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

  function render() {
    if (page === "presentador") { renderHost(); } else { renderBoard(); }
  }

  function connect() {
    var scheme = location.protocol === "https:" ? "wss://" : "ws://";
    socket = new WebSocket(scheme + location.host + "/enlace" + location.search);
    socket.onmessage = function (event) {
      lastHeard = Date.now();
      var message;
      try { message = JSON.parse(event.data); } catch (e) { return; }
      if (message.type === "state") {
        state = message.state;
      } else if (message.type === "change") {
        for (var key in message.state) {
          if (message.state.hasOwnProperty(key)) { state[key] = message.state[key]; }
        }
      } else {
        return;
      }
      setStatus("");
      render();
    };
    var opened = false;
    socket.onopen = function () { opened = true; retryMs = 1000; lastHeard = Date.now(); };
    socket.onclose = function () {
      socket = null;
      setStatus("Reconectando…");
      if (opened) {
        retry();
        return;
      }
      // A link refused at once: the page itself says whether its code still opens it.
      var check = new XMLHttpRequest();
      check.open("GET", location.href, true);
      check.onreadystatechange = function () {
        if (check.readyState !== 4) { return; }
        if (check.status === 403) {
          stop("Código incorrecto: vuelva a la entrada de la sala");
        } else if (check.status === 429) {
          stop("Demasiados intentos: espere un minuto y recargue la página");
        } else {
          retry();
        }
      };
      check.send();
    };
  }

  function retry() {
    setTimeout(connect, retryMs);
    retryMs = Math.min(retryMs * 2, 5000);
  }

  function stop(message) {
    refused = true;
    setStatus(message);
  }

  // A link that hears nothing for a while is taken as dropped (Wi-Fi gone) and made again.
  setInterval(function () {
    if (!socket || socket.readyState !== 1) { return; }
    if (Date.now() - lastHeard > 25000) {
      socket.close();
      return;
    }
    socket.send('{"type":"ping"}');
  }, 10000);

  var full = byId("fullscreen");
  if (full) {
    full.onclick = function () {
      var e = document.documentElement;
      var go = e.requestFullscreen || e.webkitRequestFullscreen || e.msRequestFullscreen;
      if (go) { go.call(e); }
      keepAwake();
    };
  }

  // Where the browser allows it, the screen stays on while the board is shown.
  function keepAwake() {
    if (navigator.wakeLock && navigator.wakeLock.request) {
      navigator.wakeLock.request("screen").then(null, function () {});
    }
  }
  document.addEventListener("visibilitychange", function () {
    if (document.visibilityState === "visible" && !refused) { keepAwake(); }
  });
  keepAwake();
  connect();
})();
