// A game as text: either board names ("h8 i9 j10", also run together as
// "h8i9j10") or the protocol's points ("7,7 8,6 9,5"). Move numbers such as
// "1." are allowed between moves so that lists copied from diagrams paste.

import { boardName, isOnBoard, parseBoardName, protocolName } from './coords.js';

export const NOTATIONS = ['board', 'protocol'];

export function formatMoveList(moves, size, notation) {
  const name = notation === 'protocol' ? (m) => protocolName(m.x, m.y) : (m) => boardName(m.x, m.y, size);
  return moves.map(name).join(' ');
}

// Which notation a pasted text is written in: a letter followed by a digit
// can only be a board name.
export function detectNotation(text) {
  return /[a-t]\d/i.test(text) ? 'board' : 'protocol';
}

function boardTokenMoves(token, size) {
  if (!/^([a-t]\d{1,2})+$/i.test(token)) return null;
  return token.match(/[a-t]\d{1,2}/gi).map((name) => ({ name, point: parseBoardName(name, size) }));
}

function protocolTokenMoves(token, size) {
  const m = /^(\d+),(\d+)$/.exec(token);
  if (!m) return null;
  const x = Number(m[1]);
  const y = Number(m[2]);
  return [{ name: token, point: isOnBoard(x, y, size) ? { x, y } : null }];
}

// Returns { moves } or { error } naming the first bad move.
export function parseMoveList(text, size) {
  const notation = detectNotation(text);
  const separators = notation === 'board' ? /[\s,;]+/ : /[\s;]+/;
  const tokenMoves = notation === 'board' ? boardTokenMoves : protocolTokenMoves;
  const moves = [];
  const taken = new Set();
  for (const token of text.split(separators).filter(Boolean)) {
    if (/^\d+\.$/.test(token)) continue;
    const found = tokenMoves(token, size);
    if (!found) return { error: `"${token}" is not a move` };
    for (const { name, point } of found) {
      if (!point) return { error: `${name} is not on a ${size}x${size} board` };
      const key = point.y * size + point.x;
      if (taken.has(key)) return { error: `${name} is played twice` };
      taken.add(key);
      moves.push(point);
    }
  }
  return { moves, notation };
}
