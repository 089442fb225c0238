#!/usr/bin/env bash
# Runs the protocol test program against a Windows engine under wine:
#   tools/windows/wine_tests.sh TEST_PROGRAM ENGINE_EXE GTEST_FILTER
# The engine's path must hold no blank (the tests split the command at blanks).
set -u
tests=$1
exe=$2
filter=$3
export WINEDEBUG=-all
wineboot --init >/dev/null 2>&1 || true
# A wineserver that stays up for the whole run: otherwise it exits three seconds
# after its last client, and an engine started in that moment loses its
# connection ("recvmsg: Connection reset by peer") before its first line. The
# prefix must exist first (wineboot makes it), and the server that wineboot
# started must be gone before a persistent one can start.
wineserver -w
wineserver -p
# Without address randomisation: now and then a random mapping lands where wine
# must place the shared user data (0x7ffe0000), and the engine then never starts
# ("failed to map the shared user data", exit code 1; about one start in 2,000
# here). A machine that refuses the personality change runs as before.
norandom=()
arch=$(uname -m)
if setarch "$arch" -R true 2>/dev/null; then norandom=(setarch "$arch" -R); fi
VODARO_ENGINE_CMD="wine $exe" "${norandom[@]}" "$tests" --gtest_filter="$filter"
status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
