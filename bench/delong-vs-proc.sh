#!/usr/bin/env bash
# Usage: bench/delong-vs-proc.sh [RUN]
# Checks `vantorix-lr compare` against R's pROC, an independent implementation: for both datasets of the run
# (default the bundled sample), every model's AUC and DeLong interval (ci.auc, method "delong") and every pair's
# paired DeLong test (roc.test, method "delong", paired) on the records where every model has an output.
# Prints both side by side; the last line is the largest difference (absolute, relative for p-values, which can be
# tiny), and the script fails above 1e-9.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUN=$(realpath "${1:-$ROOT/samples/pima/pima.run}")
"$ROOT/scripts/install-deps.sh" --bench
if [ ! -f "$ROOT/build/build.ninja" ]; then
    cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
ninja -C "$ROOT/build" -j2 vantorix-lr >/dev/null
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cat > "$WORK/proc.R" <<'RSCRIPT'
suppressMessages(library(pROC))
args <- commandArgs(trailingOnly = TRUE)
data <- read.csv(args[1], check.names = FALSE)
columns <- strsplit(args[5], ",")[[1]]
direction <- if (args[4] == "true") ">" else "<"
outputs <- as.data.frame(lapply(data[columns], function(x) suppressWarnings(as.numeric(x))), check.names = FALSE)
keep <- Reduce(`&`, lapply(outputs, is.finite))
response <- ifelse(data[[args[2]]][keep] == as.numeric(args[3]), 1, 0)
curves <- lapply(columns, function(column)
    roc(response, outputs[[column]][keep], levels = c(0, 1), direction = direction, quiet = TRUE))
for (i in seq_along(columns)) {
    ci <- ci.auc(curves[[i]], method = "delong")
    cat(sprintf("model\t%d\t%.17g\t%.17g\t%.17g\n", i, ci[2], ci[1], ci[3]))
}
for (i in seq_along(columns)) for (j in seq_along(columns)) if (i < j) {
    test <- roc.test(curves[[i]], curves[[j]], method = "delong", paired = TRUE)
    cat(sprintf("pair\t%d\t%d\t%.17g\t%.17g\t%.17g\t%.17g\n", i, j, test$estimate[1] - test$estimate[2],
        test$conf.int[1], test$conf.int[2], test$p.value))
}
RSCRIPT

python3 - "$RUN" "$WORK" "$ROOT/build/workbench/app/vantorix-lr" <<'PYTHON'
import json, os, subprocess, sys

run_path, work, program = sys.argv[1], sys.argv[2], sys.argv[3]
run = json.load(open(run_path))
columns = [m["output"] for m in run["models"]]
worst = 0.0

def row(label, ours, theirs, p_last=False):
    global worst
    differences = [abs(a - b) for a, b in zip(ours, theirs)]
    if p_last:
        differences[-1] /= max(abs(theirs[-1]), 1e-300)
    worst = max([worst] + differences)
    print(f"{label:28s} " + "  ".join(f"{a:.12g}/{b:.12g}" for a, b in zip(ours, theirs)))

for dataset in ("training", "validation"):
    if not run.get(dataset):
        continue
    subprocess.run([program, "compare", run_path, "--dataset", dataset, "--out", os.path.join(work, dataset)],
                   check=True, capture_output=True)
    encoding = run.get("classEncoding", {}).get(dataset, {"max": 1, "invert": False})
    csv = os.path.join(os.path.dirname(run_path), run[dataset])
    lines = subprocess.run(["Rscript", os.path.join(work, "proc.R"), csv, run["targetColumn"], str(encoding["max"]),
                            "true" if encoding.get("invert") else "false", ",".join(columns)],
                           check=True, capture_output=True, text=True).stdout.splitlines()
    ours = json.load(open(os.path.join(work, dataset, "compare.json")))
    ids = [m["id"] for m in run["models"]]
    models = {m["id"]: m for m in ours["models"]}
    pairs = {(p["a"], p["b"]): p for p in ours["pairs"]}
    print(f"{dataset} dataset, {ours['compared']} records: ours/pROC")
    for line in lines:
        cells = line.split("\t")
        if cells[0] == "model":
            m = models[ids[int(cells[1]) - 1]]
            row(f"  {m['name']} AUC, CI", [m["auc"]] + m["aucCi95"], [float(c) for c in cells[2:5]])
        else:
            a, b = ids[int(cells[1]) - 1], ids[int(cells[2]) - 1]
            p = pairs[(a, b)]
            row(f"  {a}-{b} diff, CI, p", [p["difference"]] + p["ci95"] + [p["p"]], [float(c) for c in cells[3:7]], p_last=True)
print(f"largest |difference| from pROC: {worst:.3g}")
sys.exit(0 if worst <= 1e-9 else 1)
PYTHON
