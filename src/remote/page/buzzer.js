'use strict';

// The phone's side of the buzzer: joins with the game code once, keeps its token so a lost
// connection comes back to the same team, and shows what became of each press.
(function () {
  const TokenKey = 'zefiroToken';
  const Results = {
    booked: ['Prenotato!', 'prenotato'],
    late: ['Troppo tardi', 'tardi'],
    locked: ['Siete fuori per questa canzone', 'fuori'],
    nosong: ['Nessuna canzone in corso', ''],
  };
  const Refusals = {
    code: 'Codice sbagliato',
    token: 'La partita è ricominciata: scrivi il nuovo codice',
    blocked: 'Troppi codici sbagliati',
    full: 'La partita è al completo',
  };

  const $ = (id) => document.getElementById(id);
  let socket = null;
  let teams = [];
  let team = -1;
  let pendingCode = '';
  let retry = true;
  let retryTimer = 0;
  let refusal = false; // the server closed on a refusal: its word stays on the screen

  function show(part) {
    for (const id of ['accesso', 'scelta', 'gioco']) $(id).hidden = id !== part;
  }

  function status(text) { $('stato').textContent = text; }

  function result(text, kind) {
    $('esito').textContent = text;
    $('esito').className = kind || '';
  }

  function send(message) {
    if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(message));
  }

  function connect() {
    socket = new WebSocket('ws://' + location.host + '/ws');
    socket.onopen = () => {
      const token = localStorage.getItem(TokenKey);
      if (pendingCode) {
        send({ type: 'join', code: pendingCode });
      } else if (token) {
        send({ type: 'join', token: token });
      } else if ($('accesso').hidden) {
        status('');
        show('accesso');
        $('codice').focus();
      }
    };
    socket.onmessage = (event) => receive(JSON.parse(event.data));
    socket.onclose = () => {
      socket = null;
      if (!retry) return;
      if (!refusal) status('Connessione persa, riprovo…');
      retryTimer = setTimeout(connect, 1000);
    };
  }

  function receive(message) {
    if (message.type === 'welcome') welcome(message);
    else if (message.type === 'refused') refused(message.reason);
    else if (message.type === 'team') pick(message.team);
    else if (message.type === 'press') pressResult(message.result);
    else if (message.type === 'song') song(message);
  }

  function welcome(message) {
    pendingCode = '';
    refusal = false;
    localStorage.setItem(TokenKey, message.token);
    teams = message.teams;
    status('');
    buildTeams();
    pick(message.team);
    song(message.song);
  }

  function refused(reason) {
    pendingCode = '';
    refusal = true;
    if (reason === 'token' || reason === 'code') localStorage.removeItem(TokenKey);
    retry = reason !== 'blocked' && reason !== 'full';
    status(Refusals[reason] || 'Accesso rifiutato');
    show(retry ? 'accesso' : '');
  }

  function buildTeams() {
    const list = $('squadre');
    list.replaceChildren();
    teams.forEach((t, index) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'squadra';
      button.textContent = t.name;
      button.style.background = t.colour;
      button.addEventListener('click', () => send({ type: 'team', team: index }));
      list.appendChild(button);
    });
  }

  function pick(index) {
    team = index;
    if (team < 0 || team >= teams.length) {
      show('scelta');
      return;
    }
    $('squadra').textContent = teams[team].name;
    $('buzzer').style.background = teams[team].colour;
    show('gioco');
  }

  function pressResult(name) {
    const [text, kind] = Results[name] || ['', ''];
    result(text, kind);
  }

  function song(message) {
    if (message.state === 'open') {
      $('canzone').textContent = 'Canzone in corso: premi!';
      result('', '');
    } else if (message.state === 'booked' && teams[message.team]) {
      $('canzone').textContent = 'Prenotata: ' + teams[message.team].name;
    } else {
      $('canzone').textContent = 'In attesa della prossima canzone';
    }
    if (message.locked.includes(team)) pressResult('locked');
  }

  $('accesso').addEventListener('submit', (event) => {
    event.preventDefault();
    pendingCode = $('codice').value.trim();
    retry = true;
    status('Collegamento…');
    if (socket && socket.readyState === WebSocket.OPEN) send({ type: 'join', code: pendingCode });
    else if (!socket) {
      clearTimeout(retryTimer);
      connect();
    }
  });
  $('buzzer').addEventListener('click', () => {
    result('…', '');
    send({ type: 'press' });
  });
  $('cambia').addEventListener('click', () => show('scelta'));

  connect();
})();
