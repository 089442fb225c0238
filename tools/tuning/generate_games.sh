#!/bin/sh
# Plays fast games for the evaluation tuner and appends them to game logs:
# rounds of fixed-depth self-play (every opening of the shared sets under
# free-style, standard and Renju, three random stones after each opening so that
# no round repeats another), and every other round a share of games against a
# peer engine at a short time control, whose moves label the positions better.
#
#   tools/tuning/generate_games.sh OUTDIR FIRST_SEED LAST_SEED [PEER_COMMAND]
#
# Environment: BUILD (default build), OPENINGS (default ../shared/data/openings),
# SELF_GAMES per round (default 120), RENJU_GAMES more self-play games per round
# under Renju alone (default 60: the other rules share the rest five to one),
# PEER_GAMES per peer round (default 24), DEPTH of the self-play games
# (default 5). Runs one game at a time.
set -eu
out=$1
first=$2
last=$3
peer=${4:-}
build=${BUILD:-build}
openings=${OPENINGS:-../shared/data/openings}
selfGames=${SELF_GAMES:-120}
renjuGames=${RENJU_GAMES:-60}
peerGames=${PEER_GAMES:-24}
depth=${DEPTH:-5}
mkdir -p "$out"
seed=$first
while [ "$seed" -le "$last" ]; do
    "$build/tools/vodaro_selfplay" --engine "$build/pbrain-vodaro" --games "$selfGames" \
        --rules 0,1,4 --sizes 15,20 --openings "$openings" --timeout-turn 2000 \
        --info "max_depth $depth" --max-memory 33554432 --random-moves 3 --seed "$seed" \
        --random-each-game --log "$out/self.log" > "$out/self-$seed.out" || true
    if [ "$renjuGames" -gt 0 ]; then
        "$build/tools/vodaro_selfplay" --engine "$build/pbrain-vodaro" --games "$renjuGames" \
            --rules 4 --sizes 15 --openings "$openings" --timeout-turn 2000 \
            --info "max_depth $depth" --max-memory 33554432 --random-moves 3 --seed "$((seed + 100000))" \
            --random-each-game --log "$out/self.log" > "$out/renju-$seed.out" || true
    fi
    if [ -n "$peer" ] && [ $((seed % 2)) -eq 0 ]; then
        "$build/tools/vodaro_selfplay" --engine "$build/pbrain-vodaro" --engine2 "$peer" --name2 peer \
            --games "$peerGames" --rules 0,1,4 --sizes 15,20 --openings "$openings" --timeout-turn 100 \
            --max-memory 83886080 --random-moves 3 --seed "$seed" \
            --log "$out/peer.log" > "$out/peer-$seed.out" || true
    fi
    echo "seed $seed done: $(wc -l < "$out/self.log") self-play games$( [ -f "$out/peer.log" ] && echo ", $(wc -l < "$out/peer.log") peer games")"
    seed=$((seed + 1))
done
