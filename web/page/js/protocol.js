// The protocol lines the page writes to the engine and the plain replies it
// reads back (the analysis lines have their own reader in nbest.js).

// The whole position as `head` (BOARD, which asks for a move, or QVBOARD,
// which does not) with the stones in game order, so that the engine knows
// which colour each is: who 1 is the side to move, 2 the other.
export function positionCommands(moves, head) {
  const toMove = moves.length % 2;
  const stones = moves.map((m, i) => `${m.x},${m.y},${i % 2 === toMove ? 1 : 2}`);
  return [head, ...stones, 'DONE'];
}

// The engine's move, "x,y", or null.
export function parseMoveReply(text) {
  const m = /^\s*(\d+),(\d+)\s*$/.exec(text);
  return m ? { x: Number(m[1]), y: Number(m[2]) } : null;
}

// "FORBID 0907." lists points as two digits of x then two of y; null when the
// line is no such list.
export function parseForbidLine(text) {
  const m = /^FORBID\s*((?:\d{4})*)\.?\s*$/.exec(text);
  if (!m) return null;
  return (m[1].match(/\d{4}/g) || []).map((p) => ({ x: Number(p.slice(0, 2)), y: Number(p.slice(2)) }));
}
