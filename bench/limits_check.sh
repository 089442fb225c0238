#!/bin/sh
# Memory and reply-time limits as a manager sees them, through fresh engine
# processes (not part of `make test`: the figures depend on the machine).
#
#   bench/limits_check.sh [engine] [processes]
#
# 1. Peak resident memory (VmHWM, read just before END) of a short game sent
#    with INFO max_memory 80 MB and 350 MB and thread_num 1, 2 and 8. The game
#    has a pause between moves for the work done after a reply, and a hash_size
#    far above the limit right before one TURN.
# 2. The worst and the median first reply over [processes] fresh processes (default 200) at
#    timeout_turn 100 and 200, timed as a manager does: from the INFO lines
#    and the request, sent at once after START's OK, to the move; half of
#    them BEGIN and half a BOARD that needs a search.
exec python3 - "${1:-build/pbrain-vodaro}" "${2:-200}" <<'EOF'
import subprocess, sys, time

engine, processes = sys.argv[1], int(sys.argv[2])

def start():
    return subprocess.Popen([engine], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            text=True, bufsize=1)

def send(p, text):
    p.stdin.write(text if text.endswith("\n") else text + "\n")
    p.stdin.flush()

def read_move(p):
    while True:
        line = p.stdout.readline()
        if not line:
            raise RuntimeError("engine closed its output")
        if not line.startswith(("MESSAGE", "OK", "DEBUG")):
            return line.strip()

def peak_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])

POSITION = "BOARD\n7,7,2\n8,8,1\n8,7,2\n6,7,1\n7,9,2\n9,6,1\nDONE"

def peak_of_game(memory, threads):
    p = start()
    send(p, f"START 15\nINFO max_memory {memory}\nINFO thread_num {threads}\nINFO timeout_turn 200")
    send(p, POSITION)
    move = read_move(p)
    taken = {move}
    for turn in range(6):
        time.sleep(0.5)  # the engine prepares its tables and helpers meanwhile
        if turn == 3:
            send(p, "INFO hash_size 8388608")
        x, y = next((x, y) for x in range(15) for y in range(15)
                    if f"{x},{y}" not in taken and (x, y) not in
                    [(7, 7), (8, 8), (8, 7), (6, 7), (7, 9), (9, 6)])
        taken.add(f"{x},{y}")
        send(p, f"TURN {x},{y}")
        taken.add(read_move(p))
    time.sleep(1.0)
    peak = peak_kib(p.pid)
    send(p, "END")
    p.wait(5)
    return peak

print("peak resident memory (VmHWM) of a game, by max_memory and thread_num")
for memory in (83886080, 367001600):
    for threads in (1, 2, 8):
        kib = peak_of_game(memory, threads)
        verdict = "ok" if kib * 1024 <= memory else "OVER THE LIMIT"
        print(f"  max_memory {memory:>9}  thread_num {threads}:  {kib:>7} kB  ({kib * 100 // (memory // 1024)}% of the limit) {verdict}")

print(f"first replies of {processes} fresh processes (half BEGIN, half BOARD)")
for turn in (100, 200):
    times = {"BEGIN": [], "BOARD": []}
    for i in range(processes):
        p = start()
        request = "BEGIN" if i % 2 == 0 else POSITION
        send(p, "START 15")
        while p.stdout.readline().strip() != "OK":
            pass
        sent = time.monotonic()
        send(p, f"INFO timeout_turn {turn}\nINFO max_memory 367001600\n" + request)
        read_move(p)
        took = (time.monotonic() - sent) * 1000
        kind = request.split("\n")[0]
        times[kind].append(took)
        send(p, "END")
        p.wait(5)
    summary = ", ".join(f"{kind} worst {max(t):.0f} ms (median {sorted(t)[len(t) // 2]:.0f})"
                        for kind, t in times.items())
    print(f"  timeout_turn {turn}: {summary}")
EOF
