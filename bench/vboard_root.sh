# Sourced by the virtual-board benches, with ROOT_NAME set: a temporary board root in $root,
# removed at the end together with the virtual board whose process id the bench puts in $board.
root=$(mktemp -d "${TMPDIR:-/tmp}/$ROOT_NAME-XXXXXX")
board=0
cleanup() {
    if [ "$board" -gt 0 ] && kill -0 "$board" 2>/dev/null; then
        kill -INT "$board"
        wait "$board" || true
    fi
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
