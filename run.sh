#!/usr/bin/env bash
# Installs what is missing, builds (Release), then exports the bundled sample run into out/sample/.
#   ./run.sh          export, and print where out/sample/index.html is
#   ./run.sh show     open the analysis window on the sample run (needs a display)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build

program=build/workbench/app/vantorix-lr
sample=samples/pima/pima.run
if [ ! -x "$program" ]; then
    echo "built the library; the program vantorix-lr is not built yet."
    echo "when it is, this script runs: $program export $sample --out out/sample"
    exit 0
fi
if [ "${1:-}" = "show" ]; then
    exec "$program" show "$sample"
fi
"$program" export "$sample" --out out/sample
echo "open $(pwd)/out/sample/index.html"
