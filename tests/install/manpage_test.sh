#!/usr/bin/env bash
# Checks the man page against the program: every option that `varnok --help`
# lists is documented and the page documents no other; every exit status the
# program gives (0, 1 and 2, each provoked here) has its entry; the page reads
# without warnings.
# Usage: manpage_test.sh VARNOK MAN_PAGE
set -euo pipefail
varnok=$1 page=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { env -u WAYLAND_DISPLAY DISPLAY= QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$varnok" "$@"; }

# The long options, one a line, as --help lists them and as the page writes them.
run --help | grep -oE '^ +(-[a-z], )?--[a-z-]+' | grep -oE -- '--[a-z-]+' | sort -u >"$work/help"
grep -oE '\\-\\-[a-z\\-]+' "$page" | sed 's/\\-/-/g' | sort -u >"$work/page"
test -s "$work/help"
diff "$work/help" "$work/page" || { echo "--help and the man page name different options"; exit 1; }
# The short ones too.
for short in $(run --help | grep -oE '^ +-[a-z],' | tr -d ' ,'); do
  grep -qF -- "\\$short\"" "$page" || grep -qF -- ".BR \\$short " "$page" ||
    { echo "the man page lacks $short"; exit 1; }
done

# The exit status the program gives, each with its entry under STATO DI USCITA.
statuses=$(sed -n '/^\.SH STATO DI USCITA/,/^\.SH /p' "$page" | grep -A1 '^\.TP' | grep -oE '^\.B [0-9]+' | cut -c4-)
status_of() { set +e; run "$@" </dev/null >/dev/null 2>&1; echo $?; set -e; }
mkdir "$work/empty"
test "$(status_of --version)" = 0
test "$(status_of --no-such-option)" = 2
test "$(status_of --pdf "$work/out.pdf" --months xyz "$work/empty")" = 2
# A folder without data: nothing to write.
test "$(status_of --pdf "$work/out.pdf" --months set "$work/empty")" = 1
test ! -e "$work/out.pdf"
test "$(echo $statuses)" = "0 1 2" || { echo "exit statuses documented: $statuses"; exit 1; }

# The page reads cleanly.
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null || true)
test -z "$warnings" || { echo "$warnings"; exit 1; }
echo "man page checked against $varnok"
