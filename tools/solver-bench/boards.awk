# Turns `cardenza --print-deal GAME --deals K` into one fc-solve board per deal,
# DIR/SEED.board: foundations, free cells, then one line per column, bottom first.
#   awk -v dir=DIR -f boards.awk
function flush() {
    if (seed == "") return
    file = dir "/" seed ".board"
    print "Foundations:" found > file
    print "Freecells:" cells > file
    for (i = 1; i <= n; ++i) print ":" column[i] > file
    close(file)
}
/^# seed / { flush(); seed = $3; found = ""; cells = ""; n = 0; next }
/^Free/ { cells = cells " " (NF > 1 ? $2 : "-"); next }
/^Found/ { if (NF > 1) { card = $NF; found = found " " substr(card, 2, 1) "-" substr(card, 1, 1) }; next }
/^Tableau/ { line = $0; sub(/^[^:]*:/, "", line); column[++n] = line; next }
END { flush() }
