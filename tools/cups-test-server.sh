# A private CUPS server for the printing tests, sourced by tools/test.sh.
#
# start_cups_test_server runs its own cupsd on a socket in a temporary folder,
# with one queue, VarnokPDF (cups-pdf), as the default destination, and exports:
#   CUPS_SERVER          the server's socket: Qt's CUPS back end, lp and lpstat use it
#   VARNOK_TEST_PDF_DIR  the folder where cups-pdf writes each printed document
#   VARNOK_TEST_SECOND_QUEUE  a second PDF queue, VarnokPDF2, for choosing a printer
# and, made from real printer drivers where the server offers them:
#   VARNOK_TEST_PS_QUEUE        VarnokPS: a PostScript driver (openprinting-ppds) with
#                               input trays, printing into cups-pdf like VarnokPDF
#   VARNOK_TEST_PAUSED_QUEUE    VarnokPaused: the same driver, stopped (cupsdisable):
#                               its jobs wait
#   VARNOK_TEST_REJECTING_QUEUE VarnokRejecting: an hpcups driver that refuses every
#                               job (cupsreject)
# stop_cups_test_server stops that cupsd and removes what start made.
# Where no server can run (not root, cupsd or cups-pdf missing), start says why
# and exports nothing, so the end-to-end printing test reports itself skipped.
# The system's own cupsd, if any, is neither used nor touched.

VARNOK_CUPS_QUEUE=VarnokPDF
VARNOK_CUPS_SECOND_QUEUE=VarnokPDF2
# cups-pdf reads its settings from /etc/cups/cups-pdf-<instance>.conf, where the
# instance is the path of the queue's device URI; each server has its own.
VARNOK_CUPS_PDF_INSTANCE=""
VARNOK_CUPS_DIR=""
VARNOK_CUPS_PID=""

_varnok_cups_fail() {
    echo "cups-test-server: $*; the end-to-end printing test will be skipped" >&2
    _varnok_cups_cleanup
    return 0
}

_varnok_cups_cleanup() {
    if [ -n "$VARNOK_CUPS_PID" ]; then
        kill "$VARNOK_CUPS_PID" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$VARNOK_CUPS_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$VARNOK_CUPS_PID" 2>/dev/null || true
    fi
    if [ -n "$VARNOK_CUPS_PDF_INSTANCE" ]; then
        rm -f "/etc/cups/cups-pdf-$VARNOK_CUPS_PDF_INSTANCE.conf"
    fi
    VARNOK_CUPS_PDF_INSTANCE=""
    if [ -n "$VARNOK_CUPS_DIR" ]; then
        rm -rf "$VARNOK_CUPS_DIR"
    fi
    VARNOK_CUPS_PID=""
    VARNOK_CUPS_DIR=""
    unset CUPS_SERVER VARNOK_TEST_PDF_DIR VARNOK_TEST_SECOND_QUEUE VARNOK_TEST_PS_QUEUE \
        VARNOK_TEST_PAUSED_QUEUE VARNOK_TEST_REJECTING_QUEUE
}

_varnok_cups_write_config() {
    local dir=$1
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User lp
Group lp
SystemGroup root lpadmin
FileDevice No
Sandboxing Relaxed
EOF
    cat >"$dir/etc/cupsd.conf" <<EOF
LogLevel info
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
MaxJobs 0
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    # Every document gets its own file named after its title and job id.
    cat >"/etc/cups/cups-pdf-$VARNOK_CUPS_PDF_INSTANCE.conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/spool/cups-pdf
Log $dir/log
Label 2
TitlePref 1
Grp lp
EOF
}

start_cups_test_server() {
    if [ "$(id -u)" -ne 0 ]; then
        _varnok_cups_fail "not running as root (cups-pdf and cupsd need it)"
        return 0
    fi
    local cupsd
    cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
    if [ ! -x "$cupsd" ] || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
        _varnok_cups_fail "cupsd or the cups-pdf back end is not installed"
        return 0
    fi
    local lpadmin
    lpadmin=$(command -v lpadmin || echo /usr/sbin/lpadmin)

    VARNOK_CUPS_DIR=$(mktemp -d /tmp/varnok-cups.XXXXXX)
    local dir=$VARNOK_CUPS_DIR
    VARNOK_CUPS_PDF_INSTANCE=$(basename "$dir")
    mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state/certs" "$dir/log" "$dir/pdf"
    # cupsd runs its filters as lp: the folders must be reachable by it.
    chmod 755 "$dir" "$dir/etc" "$dir/cache" "$dir/state" "$dir/log"
    chmod 1777 "$dir/pdf" "$dir/spool/tmp"
    chown root:lp "$dir/spool" && chmod 710 "$dir/spool"
    mkdir -p /etc/cups
    _varnok_cups_write_config "$dir"

    "$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
        >"$dir/log/cupsd.out" 2>&1 &
    VARNOK_CUPS_PID=$!
    export CUPS_SERVER="$dir/cups.sock"

    local ready=""
    for _ in $(seq 100); do
        if ! kill -0 "$VARNOK_CUPS_PID" 2>/dev/null; then
            break
        fi
        if [ -S "$dir/cups.sock" ] && lpstat -r >/dev/null 2>&1; then
            ready=yes
            break
        fi
        sleep 0.1
    done
    if [ -z "$ready" ]; then
        cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tail -20 >&2
        _varnok_cups_fail "the private cupsd did not start"
        return 0
    fi

    local ppd
    ppd=$(lpinfo -m 2>/dev/null | awk 'tolower($0) ~ /cups-pdf/ { print $1; exit }' || true)
    if [ -z "$ppd" ]; then
        _varnok_cups_fail "no cups-pdf driver among the server's models"
        return 0
    fi
    # lpadmin warns that printer drivers are deprecated; only its failure matters.
    local queue
    for queue in "$VARNOK_CUPS_QUEUE" "$VARNOK_CUPS_SECOND_QUEUE"; do
        # pdftocairo keeps the fonts' text in the PostScript that cups-pdf turns
        # back into PDF, so the tests can read the printed words.
        if ! "$lpadmin" -p "$queue" -E -v "cups-pdf:/$VARNOK_CUPS_PDF_INSTANCE" -m "$ppd" \
            -o pdftops-renderer-default=pdftocairo 2>>"$dir/log/lpadmin.out"; then
            _varnok_cups_fail "the PDF queue $queue could not be created"
            return 0
        fi
    done
    if ! "$lpadmin" -d "$VARNOK_CUPS_QUEUE"; then
        _varnok_cups_fail "the PDF queue could not be created"
        return 0
    fi
    export VARNOK_TEST_PDF_DIR="$dir/pdf"
    export VARNOK_TEST_SECOND_QUEUE="$VARNOK_CUPS_SECOND_QUEUE"
    _varnok_cups_driver_queues "$lpadmin"
    echo "cups-test-server: queue $VARNOK_CUPS_QUEUE on $CUPS_SERVER writes to $VARNOK_TEST_PDF_DIR"
}

# Queues made from real drivers; a driver the server lacks leaves its queue out,
# and the tests that need it say they are skipped.
_varnok_cups_driver_queues() {
    local lpadmin=$1 dir=$VARNOK_CUPS_DIR models ps hp
    models=$(lpinfo -m 2>/dev/null || true)
    ps=$(awk '/openprinting-ppds:.*hp_officejet_9100/ { print $1; exit }' <<<"$models")
    hp=$(awk '/hpcups\.drv\/hp-laserjet_4250/ { print $1; exit }' <<<"$models")
    if [ -n "$ps" ]; then
        if "$lpadmin" -p VarnokPS -E -v "cups-pdf:/$VARNOK_CUPS_PDF_INSTANCE" -m "$ps" \
            -o printer-error-policy=abort-job 2>>"$dir/log/lpadmin.out"; then
            export VARNOK_TEST_PS_QUEUE=VarnokPS
        fi
        if "$lpadmin" -p VarnokPaused -E -v "cups-pdf:/$VARNOK_CUPS_PDF_INSTANCE" -m "$ps" \
            2>>"$dir/log/lpadmin.out" && cupsdisable VarnokPaused; then
            export VARNOK_TEST_PAUSED_QUEUE=VarnokPaused
        fi
    fi
    if [ -n "$hp" ]; then
        if "$lpadmin" -p VarnokRejecting -E -v "cups-pdf:/$VARNOK_CUPS_PDF_INSTANCE" -m "$hp" \
            2>>"$dir/log/lpadmin.out" && cupsreject VarnokRejecting; then
            export VARNOK_TEST_REJECTING_QUEUE=VarnokRejecting
        fi
    fi
}

stop_cups_test_server() {
    _varnok_cups_cleanup
}
