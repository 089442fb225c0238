// When a game is over, under each rule the page offers. The values are the
// engine's `INFO rule` values.

export const RULE = { FREESTYLE: 0, STANDARD: 1, RENJU: 4, CARO: 8 };
export const BLACK = 1;
export const WHITE = 2;

const DIRECTIONS = [[1, 0], [0, 1], [1, 1], [1, -1]];

function stoneAt(grid, size, x, y) {
  return x >= 0 && y >= 0 && x < size && y < size ? grid[y * size + x] : 0;
}

// The unbroken row of one colour through (x, y) along (dx, dy), and the
// points just past its two ends.
function rowThrough(grid, size, x, y, dx, dy) {
  const colour = grid[y * size + x];
  const points = [{ x, y }];
  let [ax, ay] = [x - dx, y - dy];
  while (stoneAt(grid, size, ax, ay) === colour) { points.unshift({ x: ax, y: ay }); ax -= dx; ay -= dy; }
  let [bx, by] = [x + dx, y + dy];
  while (stoneAt(grid, size, bx, by) === colour) { points.push({ x: bx, y: by }); bx += dx; by += dy; }
  return { points, ends: [{ x: ax, y: ay }, { x: bx, y: by }] };
}

// Under Caro only an opponent stone closes an end; the edge does not.
function closedByOpponent(grid, size, end, colour) {
  const other = stoneAt(grid, size, end.x, end.y);
  return other !== 0 && other !== colour;
}

function rowWins(grid, size, row, colour, rule) {
  const length = row.points.length;
  if (length < 5) return false;
  if (rule === RULE.FREESTYLE) return true;
  if (rule === RULE.RENJU) return colour === WHITE || length === 5;
  if (rule === RULE.CARO) return length === 5 && !row.ends.every((end) => closedByOpponent(grid, size, end, colour));
  return length === 5;
}

// The winning row made by the stone at (x, y), or null. `grid` holds size*size
// cells, row by row from the top: 0 empty, BLACK or WHITE.
export function winningRow(grid, size, x, y, rule) {
  const colour = grid[y * size + x];
  if (!colour) return null;
  for (const [dx, dy] of DIRECTIONS) {
    const row = rowThrough(grid, size, x, y, dx, dy);
    if (rowWins(grid, size, row, colour, rule)) return row.points;
  }
  return null;
}

// Plays `moves` (black first) and reports the first win: { winner, row,
// moveIndex }; { draw: true } once the board is full; null while the game
// goes on.
export function gameResult(moves, size, rule) {
  const grid = new Uint8Array(size * size);
  for (let i = 0; i < moves.length; i++) {
    const { x, y } = moves[i];
    const colour = i % 2 === 0 ? BLACK : WHITE;
    grid[y * size + x] = colour;
    const row = winningRow(grid, size, x, y, rule);
    if (row) return { winner: colour, row, moveIndex: i };
  }
  return moves.length === size * size ? { draw: true } : null;
}
