#!/bin/sh
# zuvo-bank end to end: build the shipped source, dump every table, and check that a damaged field is reported
# with its question's id and a failing exit code.
set -eu
tool=$1
shift
# The remaining arguments are the files of the question source.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat "$@" > "$work/source.txt"
source=$work/source.txt

fail() { echo "FAIL: $*"; exit 1; }

"$tool" build "$@" "$work/Word.mdb"
"$tool" dump "$work/Word.mdb" > "$work/word.tsv"
"$tool" dump "$work/Word.mdb" word > "$work/word2.tsv"
cmp -s "$work/word.tsv" "$work/word2.tsv" || fail "word is not the default table"
"$tool" dump "$work/Word.mdb" tmlx > "$work/tmlx.tsv"
"$tool" dump "$work/Word.mdb" Tmfl > "$work/tmfl.tsv"

questions=$(grep -c '^[[:space:]]*- id:' "$source" || true)
[ "$(wc -l < "$work/word.tsv")" -eq "$questions" ] || fail "dump has $(wc -l < "$work/word.tsv") rows, source $questions"
# Twelve columns on every row: Id, Tmlx, kslx, tmfldm, zdtm, DA, image, Tm, HD1 to HD4.
awk -F'\t' 'NF != 12 { print "row " NR " has " NF " columns"; bad = 1 } END { exit bad }' "$work/word.tsv" || fail "column count"
# The question and option texts come out decoded, as the source has them.
cut -f8-12 "$work/word.tsv" | tr '\t' '\n' | while IFS= read -r text; do
  [ -z "$text" ] || grep -qF -- "$text" "$source" || fail "decoded text not in the source: $text"
done
[ -s "$work/tmlx.tsv" ] && [ -s "$work/tmfl.tsv" ] || fail "empty tmlx or Tmfl dump"

# Building twice gives the same bank, row for row.
"$tool" build "$@" "$work/Again.mdb"
"$tool" dump "$work/Again.mdb" > "$work/again.tsv"
cmp -s "$work/word.tsv" "$work/again.tsv" || fail "a second build differs"

# A field that does not decode: exit non-zero, naming the question.
first=$(cut -f1 "$work/word.tsv" | head -n 1)
python3 - "$work/Word.mdb" "$first" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("update word set Tm = x'E5E59B9B' where Id = ?", (int(sys.argv[2]),))
db.commit()
PY
if "$tool" dump "$work/Word.mdb" > /dev/null 2> "$work/err.txt"; then fail "a broken field dumped without error"; fi
grep -q "question $first, Tm: '\$zz' is not a valid integer value" "$work/err.txt" || fail "message: $(cat "$work/err.txt")"

# Bad calls; a forgotten bank argument must not overwrite a source file.
last=$(eval "echo \${$#}")
cp "$last" "$work/before.yaml"
if "$tool" build "$@" 2>/dev/null; then fail "a source file accepted as the bank"; fi
cmp -s "$last" "$work/before.yaml" || fail "a source file was overwritten"
if "$tool" dump "$work/Word.mdb" nosuch 2>/dev/null; then fail "unknown table accepted"; fi
if "$tool" dump "$work/missing.mdb" 2>/dev/null; then fail "missing bank accepted"; fi
if "$tool" 2>/dev/null; then fail "no arguments accepted"; fi
# A made-up bank: the count asked for, a third true/false, every text decodable, every picture one the program has
# (the dump decodes every field; the program's own tests show the pictures).
"$tool" synth 300 "$work/Synth.mdb"
"$tool" dump "$work/Synth.mdb" > "$work/synth.tsv"
[ "$(wc -l < "$work/synth.tsv")" -eq 300 ] || fail "synth made $(wc -l < "$work/synth.tsv") questions, not 300"
[ "$(cut -f2 "$work/synth.tsv" | grep -c '^pd$')" -eq 100 ] || fail "synth: not a third true/false"
"$tool" synth 300 "$work/Again.mdb"
"$tool" dump "$work/Again.mdb" | cmp -s - "$work/synth.tsv" || fail "synth: the same count gave another bank"
for count in 0 -5 x 12x 10000001 ""; do
  if "$tool" synth "$count" "$work/Bad.mdb" 2>/dev/null; then fail "synth accepted the count '$count'"; fi
done
[ ! -e "$work/Bad.mdb" ] || fail "a refused synth left a bank"

echo "zuvo-bank: all checks passed"
