#!/usr/bin/env bash
# Mutation run: puts each mutant of mutants.txt into a private copy of the tree, builds the test executables
# that should catch it, runs them and restores the file. Slow (one incremental build per mutant), so it is
# not part of ./test.sh. The last line reads "mutants: K killed of M".
#   tests/mutation/run.sh                 every mutant
#   tests/mutation/run.sh NAME...         only the named mutants
# Environment: MUTATION_DIR (default build-mutation/) holds the copy and its build; MUTATION_TIMEOUT (seconds
# per test executable, default 300): a test that hangs on a mutant counts as catching it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${MUTATION_DIR:-$root/build-mutation}
tree=$work/tree

# The copy keeps the tree's depth (tree/src next to tree/build) so ccache shares objects with build/.
python3 "$root/tests/mutation/mutate.py" --sync "$root" "$tree"
cmake -S "$tree" -B "$tree/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLRV_BUILD_BENCH=OFF >/dev/null
exec python3 "$root/tests/mutation/mutate.py" "$tree" "$root/tests/mutation/mutants.txt" "$@"
