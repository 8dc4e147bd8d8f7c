#!/usr/bin/env bash
# Seed for the settings fuzzer: a small settings file with every kind of value.
set -euo pipefail
printf '[General]\r\nVersion=300\r\n[Config]\r\nR\xe9pertoire=/tmp\r\nNbColASCII=80\r\n[ParamEcran]\r\nFontNotes_Name=Arial\r\nFontNotes_Size=8\r\nCoefPImp=15\r\n[ChordsLib]\r\nTotal=2\r\nC001=ONNNNOOOOAAAAAAABABBCBDEAC\r\nC002=NONNNNNNNFAAAAAABCBCDDCBBBBGDCEF barre\r\n' > "$1/seed.ini"
