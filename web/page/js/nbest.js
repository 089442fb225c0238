// The engine's multi-line analysis output (`QVNBEST n`):
//   NBEST <rank> <x>,<y> value <v> depth <d> pv <x>,<y> ...
//   NBEST INFO depth <d> nodes <N> ms <t> nps <S>
//   NBEST DONE depth <d> nodes <N> ms <t>
// A value is an evaluation for the side to move, or W<k> / L<k>: that side
// wins / loses with a five as the k-th stone from now.

function parsePoint(token) {
  const m = /^(\d+),(\d+)$/.exec(token);
  return m ? { x: Number(m[1]), y: Number(m[2]) } : null;
}

export function parseValue(token) {
  const m = /^([WL])(\d+)$/.exec(token);
  if (m) return m[1] === 'W' ? { win: Number(m[2]) } : { loss: Number(m[2]) };
  return /^-?\d+$/.test(token) ? { score: Number(token) } : null;
}

export function formatValue(value) {
  if ('win' in value) return `W${value.win}`;
  if ('loss' in value) return `L${value.loss}`;
  return value.score > 0 ? `+${value.score}` : String(value.score);
}

// "key value key value ..." into an object of numbers; null if any is not one.
function numberFields(tokens) {
  const fields = {};
  for (let i = 0; i + 1 < tokens.length; i += 2) {
    if (!/^\d+$/.test(tokens[i + 1])) return null;
    fields[tokens[i]] = Number(tokens[i + 1]);
  }
  return fields;
}

function parseRankedLine(tokens) {
  const rank = Number(tokens[1]);
  const move = parsePoint(tokens[2]);
  if (!Number.isInteger(rank) || rank < 1 || !move) return null;
  if (tokens[3] !== 'value' || tokens[5] !== 'depth' || tokens[7] !== 'pv') return null;
  const value = parseValue(tokens[4]);
  const depth = Number(tokens[6]);
  const pv = tokens.slice(8).map(parsePoint);
  if (!value || !Number.isInteger(depth) || pv.some((p) => !p)) return null;
  return { kind: 'line', rank, move, value, depth, pv: pv.length ? pv : [move] };
}

// One output line of the engine as { kind: 'line' | 'info' | 'done', ... },
// or null when it is no NBEST line.
export function parseNbestLine(text) {
  const tokens = text.trim().split(/\s+/);
  if (tokens[0] !== 'NBEST' || tokens.length < 2) return null;
  if (tokens[1] === 'INFO' || tokens[1] === 'DONE') {
    const fields = numberFields(tokens.slice(2));
    return fields && 'depth' in fields && 'nodes' in fields ? { kind: tokens[1].toLowerCase(), ...fields } : null;
  }
  return parseRankedLine(tokens);
}

// Gathers ranked lines until the INFO or DONE line that closes their set, so
// that a reader only ever sees whole sets.
export class NbestCollector {
  constructor(onSet) {
    this.onSet = onSet;
    this.pending = [];
  }

  // Returns true when the line was NBEST output.
  feed(text) {
    const parsed = parseNbestLine(text);
    if (!parsed) return false;
    if (parsed.kind === 'line') {
      if (parsed.rank === 1) this.pending = [];
      this.pending.push(parsed);
      return true;
    }
    this.onSet({ lines: this.pending, stats: parsed, done: parsed.kind === 'done' });
    this.pending = [];
    return true;
  }
}
