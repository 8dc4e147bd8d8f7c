#!/usr/bin/env bash
# Seeds for the patch fuzzer: the shipped language patches.
set -euo pipefail
cd "$(dirname "$0")/.."
cp data/*.pll "$1"/ 2>/dev/null || true
