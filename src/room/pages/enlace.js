// The live link every page of the room keeps with the program: it reconnects by itself with
// a growing wait, says when its code no longer opens the room, and takes a link that hears
// nothing for a while as dropped. Written for old phone and television browsers: no modules,
// no arrow functions.
//   var link = veltaLink("/enlace?...", {
//     message: function (message) {},  // each message the program sends, parsed
//     opened: function () {},            // the link is up (again)
//     dropped: function () {},           // the link went down; it is being made again
//     refused: function (text) {}        // the room will not take this page: why
//   });
//   link.send({...}); link.isOpen(); link.isRefused();
var veltaLink = (function () {
  "use strict";
  return function (path, handlers) {
    var socket = null;
    var retryMs = 1000;
    var lastHeard = 0;
    var refused = false;

    function connect() {
      var scheme = location.protocol === "https:" ? "wss://" : "ws://";
      socket = new WebSocket(scheme + location.host + path);
      var opened = false;
      socket.onmessage = function (event) {
        lastHeard = Date.now();
        var message;
        try { message = JSON.parse(event.data); } catch (e) { return; }
        if (message) { handlers.message(message); }
      };
      socket.onopen = function () {
        opened = true;
        retryMs = 1000;
        lastHeard = Date.now();
        if (handlers.opened) { handlers.opened(); }
      };
      socket.onclose = function () {
        socket = null;
        handlers.dropped();
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

    function stop(text) {
      refused = true;
      handlers.refused(text);
    }

    function isOpen() { return socket !== null && socket.readyState === 1; }

    function send(message) {
      if (!isOpen()) { return false; }
      socket.send(JSON.stringify(message));
      return true;
    }

    // A link that hears nothing for a while is taken as dropped (Wi-Fi gone) and made again.
    setInterval(function () {
      if (!isOpen()) { return; }
      if (Date.now() - lastHeard > 25000) {
        socket.close();
        return;
      }
      send({ type: "ping" });
    }, 10000);

    connect();
    return { send: send, isOpen: isOpen, isRefused: function () { return refused; } };
  };
})();
