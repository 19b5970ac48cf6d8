#!/usr/bin/env bash
# check-pentium-code.sh OBJDUMP NM PROGRAM [SHIPPED]: fails when the code of
# PROGRAM, an unstripped x86 Windows program, holds an instruction that a
# Pentium (P5) lacks: CMOV, FCMOV, FCOMI/FUCOMI(P), the long NOP, MMX and SSE,
# SYSENTER/SYSEXIT, FXSAVE/FXRSTOR and every later extension. TZCNT may stay:
# a P5 runs its bytes as BSF, and the compiler emits it only where the two
# agree. With SHIPPED, the stripped file users get must hold the same code.
#
# Code is told from data by the symbols: MinGW's linker script ends .text
# with the constructor and destructor lists and the exception tables, which
# start at ___CTOR_LIST__ and would disassemble as nonsense.
set -euo pipefail
objdump=$1 nm=$2 program=$3 shipped=${4:-}

symbols=$("$nm" -n "$program")
data_start=$(awk '$3 == "___CTOR_LIST__" { print $1; exit }' <<<"$symbols")
[ -n "$data_start" ] || {
  echo "check-pentium-code.sh: $program has no symbols (___CTOR_LIST__): scan the unstripped build output" >&2
  exit 1
}
# Past the lists only data may stand: a function there would go unscanned.
late=$(awk -v start="$data_start" '
  ($2 == "T" || $2 == "t") && $1 >= start &&
  $3 !~ /^(___?[CD]TOR_LIST__|\.[cd]tors\.[0-9]+|\.gcc_except_table|_?_etext)$/' <<<"$symbols")
if [ -n "$late" ]; then
  echo "check-pentium-code.sh: code after the constructor lists is not scanned:" >&2
  echo "$late" >&2
  exit 1
fi

listing=$("$objdump" -d --insn-width=16 -j .text --stop-address="0x$data_start" "$program")
# Each instruction: its prefixes skipped, the opcode judged by what a P5
# decodes. Two-byte opcodes are allowed by list; everything else in 0F is
# later. x87 forms are judged by their ModRM byte.
found=$(awk -F '\t' '
  function hex(text,    i, v) {
    v = 0
    for (i = 1; i <= length(text); i++) v = v * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
    return v
  }
  BEGIN {
    split("00 01 02 03 06 08 09 0b 20 21 22 23 30 31 32 a0 a1 a2 a3 a4 a5 a8 a9 aa ab ac ad af " \
          "b0 b1 b2 b3 b4 b5 b6 b7 ba bb bc bd be bf c0 c1 c7 c8 c9 ca cb cc cd ce cf", ok, " ")
    for (i in ok) p5[ok[i]] = 1
    for (i = 128; i < 160; i++) p5[sprintf("%02x", i)] = 1   # Jcc, SETcc
    split("26 2e 36 3e 64 65 66 67 f0 f2 f3", pre, " ")
    for (i in pre) prefix[pre[i]] = 1
  }
  /^[0-9a-f]+ <.*>:$/ { symbol = $0; sub(/^[0-9a-f]+ /, "", symbol); sub(/:$/, "", symbol); next }
  NF < 3 { next }
  {
    n = split($2, b, " ")
    i = 1; rep = ""
    while (i <= n && (b[i] in prefix)) { if (b[i] == "f3" || b[i] == "f2") rep = b[i]; i++ }
    op = b[i]; next1 = b[i + 1]; modrm = hex(next1)
    bad = ""
    if ($3 ~ /\(bad\)/) bad = "undecodable"
    else if ($3 ~ /%([xyz]?mm[0-9]|k[0-7])/) bad = "MMX/SSE/AVX register"
    else if (op == "0f") {
      if (!(next1 in p5)) bad = "0F " next1
      else if (next1 == "bd" && rep == "f3") bad = "LZCNT"
      else if (next1 == "01" && int(hex(b[i + 2]) / 64) == 3) bad = "0F 01 register form"
      else if (next1 == "c7" && int(hex(b[i + 2]) / 8) % 8 != 1) bad = "0F C7 beyond CMPXCHG8B"
    }
    else if ((op == "c4" || op == "c5") && int(modrm / 64) == 3) bad = "VEX"
    else if (op == "da" && modrm >= 192 && modrm <= 223) bad = "FCMOV"
    else if (op == "db" && ((modrm >= 192 && modrm <= 223) || (modrm >= 232 && modrm <= 247))) bad = "FCMOV/FCOMI"
    else if (op == "df" && modrm >= 232 && modrm <= 247) bad = "FCOMIP"
    if (bad != "") {
      mnemonic = $3; sub(/ .*/, "", mnemonic)
      printf "%s %s %s\t%s\n", mnemonic, symbol, $1, bad
    }
  }' <<<"$listing")

if [ -n "$found" ]; then
  count=$(wc -l <<<"$found")
  echo "FAILED: $program holds $count instructions that a Pentium (P5) lacks."
  echo "By instruction:"
  awk '{ print $1 }' <<<"$found" | sort | uniq -c | sort -rn
  echo "By routine:"
  awk '{ print $2 }' <<<"$found" | sort | uniq -c | sort -rn | head -n 40
  exit 1
fi
instructions=$(grep -c $'^ *[0-9a-f]*:\t' <<<"$listing" || true)
echo "$program: $instructions instructions up to ___CTOR_LIST__, none beyond a Pentium (P5)"

if [ -n "$shipped" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  objcopy=${objdump%objdump}objcopy
  "$objcopy" -O binary -j .text "$program" "$work/built.text"
  "$objcopy" -O binary -j .text "$shipped" "$work/shipped.text"
  cmp -s "$work/built.text" "$work/shipped.text" || {
    echo "FAILED: the code of $shipped is not the scanned code of $program"
    exit 1
  }
  echo "$shipped: the same code"
fi
