#!/bin/bash
# Starts the program, asks it to stop with a signal, and checks that it ends normally and leaves
# no temporary files behind.
set -euo pipefail
program=$1
signal=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch/tmp
mkdir "$TMPDIR"

# With job control on, the program does not start with SIGINT ignored, as a background job would.
set -m
QT_QPA_PLATFORM=offscreen "$program" &
pid=$!
# The window has made its private directory once it is up.
for _ in $(seq 100); do
    compgen -G "$TMPDIR/quorvane-*" >/dev/null && break
    sleep 0.1
done
compgen -G "$TMPDIR/quorvane-*" >/dev/null || { echo "the program did not start"; exit 1; }

kill -s "$signal" "$pid"
status=0
wait "$pid" || status=$?
if ((status != 0)); then
    echo "the program ended with status $status on SIG$signal"
    exit 1
fi
if compgen -G "$TMPDIR/*" >/dev/null; then
    echo "left behind:" "$TMPDIR"/*
    exit 1
fi
