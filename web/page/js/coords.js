// Points on the board, in the engine's coordinates: x is the column from the
// left, y the row from the top, both from 0. Printed diagrams count rows from
// the bottom and name columns by letter, so `h8` is (7, 7) on a 15x15 board
// but (7, 12) on a 20x20 one.

// Every letter is used, 'i' included, so column t is the 20th.
export const COLUMN_LETTERS = 'abcdefghijklmnopqrst';

export function isOnBoard(x, y, size) {
  return Number.isInteger(x) && Number.isInteger(y) && x >= 0 && y >= 0 && x < size && y < size;
}

export function boardName(x, y, size) {
  return COLUMN_LETTERS[x] + String(size - y);
}

export function protocolName(x, y) {
  return `${x},${y}`;
}

// The point a board name such as "h8" stands for, or null when the name is
// malformed or off this board.
export function parseBoardName(name, size) {
  const m = /^([a-t])(\d{1,2})$/i.exec(name.trim());
  if (!m) return null;
  const x = COLUMN_LETTERS.indexOf(m[1].toLowerCase());
  const y = size - Number(m[2]);
  return isOnBoard(x, y, size) ? { x, y } : null;
}
