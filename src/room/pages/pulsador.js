// A phone as a face-off buzzer. The player takes a seat (a team and a name), then the screen
// is one big button. A press carries the moment it was made on the phone's own clock, and the
// page answers each of the program's clock probes at once, so the program can tell which
// press came first however long each took to arrive. The seat is known to the program by an
// id the phone keeps, so a reload or a dropped link finds it again.
// Written for old phone browsers: no modules, no arrow functions.
(function () {
  "use strict";
  var seatKey = "velta.puesto";
  // Presses closer together than this are one press (the program closes a link that sends
  // too many messages).
  var repeatMs = 200;
  // A seat change the program has not answered within this long is given up, and the form
  // says so.
  var seatAnswerMs = 3000;
  var labels = { espera: "Espera", pulsa: "¡Pulsa!", primero: "¡Primero!", bloqueado: "Bloqueado" };

  var state = {};
  var seat = null;       // what the program last said of this seat: {team, name, state}
  var editing = false;   // the form reopened over a seat with "Cambiar de equipo"
  var chosen = null;     // the team picked on the form
  var asked = null;      // a seat change not yet answered
  var askedTimer = null;
  var link = null;
  var lastPress = -1e9;
  var lastTouch = -1e9;

  // The clock presses and probe answers are read on; a page clock of its own where the
  // browser has no performance.now().
  var now = window.performance && window.performance.now
    ? function () { return window.performance.now(); }
    : (function () {
      var start = Date.now();
      return function () { return Date.now() - start; };
    })();

  function byId(id) { return document.getElementById(id); }
  function setText(id, text) {
    var e = byId(id);
    if (e) { e.textContent = text === undefined || text === null ? "" : String(text); }
  }
  function show(id, on) {
    var e = byId(id);
    if (on) { e.removeAttribute("hidden"); } else { e.setAttribute("hidden", ""); }
  }
  function setStatus(text) {
    var e = byId("status");
    e.textContent = text;
    e.style.display = text ? "" : "none";
  }
  function trim(text) { return String(text).replace(/^\s+|\s+$/g, ""); }
  function buzz(pattern) {
    if (navigator.vibrate) {
      try { navigator.vibrate(pattern); } catch (e) { return; }
    }
  }

  function newSeatId() {
    var bytes = [];
    var i;
    var random = window.crypto || window.msCrypto;
    if (random && random.getRandomValues && window.Uint8Array) {
      var drawn = new Uint8Array(8);
      random.getRandomValues(drawn);
      for (i = 0; i < 8; i++) { bytes.push(drawn[i]); }
    } else {
      for (i = 0; i < 8; i++) { bytes.push(Math.floor(Math.random() * 256)); }
    }
    var hex = "";
    for (i = 0; i < 8; i++) { hex += (bytes[i] < 16 ? "0" : "") + bytes[i].toString(16); }
    return hex;
  }

  // The seat's id, made on the first visit. A browser that keeps nothing (storage off or
  // full) keeps the seat for this visit only.
  function seatId() {
    var id = null;
    try { id = window.localStorage.getItem(seatKey); } catch (e) { id = null; }
    if (id && /^[0-9a-f]{16}$/.test(id)) { return id; }
    id = newSeatId();
    try { window.localStorage.setItem(seatKey, id); } catch (e) { return id; }
    return id;
  }
  var puesto = seatId();

  function roomCode() {
    var found = /[?&]codigo=([^&#]*)/.exec(location.search);
    return found ? found[1] : "";
  }

  function send(message) {
    return link !== null && link.send(message);
  }

  function seated() { return seat !== null && (seat.team === 0 || seat.team === 1); }

  function teamName(team) {
    var teams = state.teams || [];
    return teams[team] || (team === 0 ? "Equipo izquierdo" : "Equipo derecho");
  }

  function render() {
    setText("title", state.title);
    var formShown = seat !== null && (!seated() || editing || asked !== null);
    show("seatForm", formShown);
    show("pad", seated() && !formShown);
    for (var team = 0; team < 2; team++) {
      var pick = byId("team" + team);
      pick.textContent = teamName(team);
      pick.className = "pick " + (team === 0 ? "left" : "right") + (chosen === team ? " chosen" : "");
      pick.setAttribute("aria-pressed", chosen === team ? "true" : "false");
    }
    var enter = byId("enter");
    enter.disabled = asked !== null;
    enter.textContent = asked !== null ? "Entrando…" : "Entrar";
    if (seated()) {
      setText("seatTeam", teamName(seat.team));
      setText("seatName", seat.name);
      var mode = labels.hasOwnProperty(seat.state) ? seat.state : "espera";
      byId("button").className = "bigbutton " + (seat.team === 0 ? "left" : "right") + " " + mode +
        (link && link.isOpen() ? "" : " offline");
      setText("buttonText", labels[mode]);
    }
  }

  function seatAnswered(message) {
    var wasFirst = seat !== null && seat.state === "primero";
    seat = {
      team: message.team === 0 || message.team === 1 ? message.team : null,
      name: typeof message.name === "string" ? message.name : "",
      state: message.state
    };
    if (seat.state === "primero" && !wasFirst) { buzz([200, 100, 200]); }
    if (asked !== null) {
      asked = null;
      clearTimeout(askedTimer);
    }
    // No seat: the form, with the name the program knew.
    if (!seated() && seat.name && !byId("name").value) { byId("name").value = seat.name; }
  }

  function sendAsked() {
    if (asked !== null) { send(asked); }
  }

  function press(t) {
    if (t - lastPress < repeatMs || !seated() || editing || asked !== null) { return; }
    if (!send({ type: "press", t: t })) { return; }
    lastPress = t;
    buzz(40);
  }

  // The moment of a press is the first thing each handler reads.
  function onTouch(event) {
    var t = now();
    lastTouch = t;
    // No mouse events made up after the touch, and no zoom on a double tap.
    if (event.cancelable !== false) { event.preventDefault(); }
    press(t);
  }
  function onMouse(event) {
    var t = now();
    if (t - lastTouch < 1000 || (event.button !== undefined && event.button !== 0)) { return; }
    press(t);
  }
  function onKey(event) {
    var t = now();
    var key = event.key;
    var isPress = key === " " || key === "Spacebar" || key === "Enter" ||
      event.keyCode === 32 || event.keyCode === 13;
    if (!isPress || event.repeat || byId("pad").hasAttribute("hidden") ||
        event.target === byId("change")) {
      return;
    }
    event.preventDefault();
    press(t);
  }

  var button = byId("button");
  button.addEventListener("touchstart", onTouch, false);
  button.addEventListener("mousedown", onMouse, false);
  document.addEventListener("keydown", onKey, false);

  byId("team0").onclick = function () { chosen = 0; render(); };
  byId("team1").onclick = function () { chosen = 1; render(); };
  byId("change").onclick = function () {
    editing = true;
    chosen = seat ? seat.team : null;
    byId("name").value = seat ? seat.name : "";
    setText("note", "");
    render();
    return false;
  };
  byId("seatForm").onsubmit = function () {
    var name = trim(byId("name").value);
    if (chosen === null) {
      setText("note", "Elija su equipo");
    } else if (!name) {
      setText("note", "Escriba su nombre");
    } else if (seated() && seat.team === chosen && seat.name === name) {
      setText("note", "");
      editing = false;
    } else {
      setText("note", "");
      editing = false;
      asked = { type: "seat", team: chosen, name: name };
      clearTimeout(askedTimer);
      askedTimer = setTimeout(function () {
        asked = null;
        editing = seated();
        setText("note", "Sin respuesta del programa: vuelva a intentarlo");
        render();
      }, seatAnswerMs);
      sendAsked();
    }
    render();
    return false;
  };

  link = veltaLink("/enlace?codigo=" + roomCode() + "&puesto=" + puesto, {
    message: function (message) {
      if (message.type === "sync") {
        send({ type: "sync", s: message.s, p: now() });
        return;
      }
      if (message.type === "state") {
        state = message.state || {};
      } else if (message.type === "change") {
        for (var key in message.state) {
          if (message.state.hasOwnProperty(key)) { state[key] = message.state[key]; }
        }
      } else if (message.type === "seat") {
        seatAnswered(message);
      } else {
        return;
      }
      setStatus("");
      render();
    },
    opened: function () {
      sendAsked();
      render();
    },
    dropped: function () {
      setStatus("Reconectando…");
      render();
    },
    refused: setStatus
  });
})();
