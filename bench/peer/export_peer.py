#!/usr/bin/python3
"""What `vantorix-lr export --records all` writes, computed and written with pandas, scikit-learn and
matplotlib: the per-tab tables (TSV) and charts (SVG, PNG at 2x), statistics.json and index.html, for one
model of a scored CSV file. The benchmark's peer; not part of the tests."""
import argparse
import json
import os

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
import pandas as pd  # noqa: E402
from sklearn.linear_model import LinearRegression  # noqa: E402
from sklearn.metrics import confusion_matrix, roc_auc_score  # noqa: E402


def save_chart(fig, out, name):
    fig.savefig(os.path.join(out, name + ".svg"))
    fig.savefig(os.path.join(out, name + ".png"), dpi=2 * fig.dpi)
    plt.close(fig)


def weighted_fit(x, y, w):
    model = LinearRegression().fit(x.reshape(-1, 1), y, sample_weight=w)
    return model.coef_[0], model.intercept_, model.score(x.reshape(-1, 1), y, sample_weight=w)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("csv")
    parser.add_argument("--target", default="target")
    parser.add_argument("--id", default="id")
    parser.add_argument("--model", default="model_1")
    parser.add_argument("--buckets", type=int, default=10)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    out, B = args.out, args.buckets

    data = pd.read_csv(args.csv, usecols=[args.id, args.target, args.model])
    data.columns = ["id", "target", "output"]
    errors = data[~np.isfinite(data.output)]
    ranked = data[np.isfinite(data.output)].sort_values("output", ascending=False, kind="stable")
    y = ranked.target.to_numpy().astype(np.int64)
    s = ranked.output.to_numpy()
    n = len(y)
    P = int(y.sum())
    N = n - P

    # Quantiles: equal-count buckets in ranking order.
    bucket = (B * np.arange(n) // n) + 1
    q = ranked.assign(bucket=bucket).groupby("bucket").agg(
        upper=("output", "max"), lower=("output", "min"), positives=("target", "sum"), total=("target", "size"))
    q["negatives"] = q.total - q.positives
    q["rate"] = q.positives / q.total
    q["positive %"] = 100 * q.rate
    q["negative %"] = 100 * q.negatives / q.total
    q["cumulative positives"] = q.positives.cumsum()
    q["cumulative positives %"] = 100 * q["cumulative positives"] / P
    q.to_csv(os.path.join(out, "quantiles.tsv"), sep="\t")
    fig, ax = plt.subplots(figsize=(9.5, 5.5))
    ax.bar(q.index, q["positive %"], color="tab:orange")
    ax.bar(q.index, q["negative %"], bottom=q["positive %"], color="tab:blue")
    save_chart(fig, out, "quantiles")

    # ROC: counts at each record's tie group, in ranking order.
    last_of_group = np.r_[s[1:] != s[:-1], True]
    group_end = np.flip(np.minimum.accumulate(np.flip(np.where(last_of_group, np.arange(n), n))))
    tp = np.cumsum(y)[group_end]
    fp = np.cumsum(1 - y)[group_end]
    tn, fn = N - fp, P - tp
    tpr, fpr = tp / P, fp / N
    j = tpr - fpr
    best = int(np.argmax(j))
    auc = roc_auc_score(y, s)
    predicted = (np.arange(n) <= group_end[best]).astype(int)
    outcome = np.select([(predicted == 1) & (y == 1), (predicted == 0) & (y == 0), predicted == 1],
                        ["True Pos.", "True Neg.", "False Pos."], "False Neg.")
    roc = pd.DataFrame({"Id": ranked.id.to_numpy(), "Target": y, "Model Output": s, "True Positives": tp,
                        "True Negatives": tn, "False Positives": fp, "False Negatives": fn, "Sensitivity": tpr,
                        "1-Specificity": fpr, "SE + SP - 1": j})
    pd.concat([errors.rename(columns={"id": "Id", "target": "Target", "output": "Model Output"}), roc]).to_csv(
        os.path.join(out, "roc.tsv"), sep="\t", index=False)
    fig, ax = plt.subplots(figsize=(9.5, 5.5))
    ax.plot(fpr, tpr)
    ax.plot([0, 1], [0, 1], color="grey")
    save_chart(fig, out, "roc")

    # Cutoff points: ascending order.
    cut = pd.DataFrame({"Id": ranked.id.to_numpy(), "Target": y, "Model Output": s, "TPR (Sens)": tpr,
                        "TNR (Spec)": 1 - fpr, "FPR (1-Spec)": fpr, "FNR": 1 - tpr, "SE + SP - 1": j,
                        "Predicted Class": predicted, "Match": np.where(predicted == y, "OK", "Wrong"),
                        "Type": outcome}).iloc[::-1]
    cut.to_csv(os.path.join(out, "cutoff-points.tsv"), sep="\t", index=False)
    fig, ax = plt.subplots(figsize=(9.5, 5.5))
    for column in ["TPR (Sens)", "TNR (Spec)", "FPR (1-Spec)", "FNR"]:
        ax.plot(cut["Model Output"], cut[column])
    ax.axvline(s[best], color="grey")
    save_chart(fig, out, "cutoff-points")

    # Gains and lift per bucket.
    population = 100 * q.total.cumsum() / n
    gains = pd.DataFrame({"Upper Boundary": q.upper, "Lower Boundary": q.lower, "Positive Cases": q.positives,
                          "Total Cases": q.total, "Positives Rate": q.rate, "Lift": q.rate / (P / n),
                          "Cumulative Positives": q["cumulative positives"],
                          "Cumulative Positives Rate": q["cumulative positives %"],
                          "Cumulative Lift": q["cumulative positives %"] / population})
    gains.to_csv(os.path.join(out, "gains.tsv"), sep="\t")
    gains.to_csv(os.path.join(out, "lift.tsv"), sep="\t")
    fig, ax = plt.subplots(figsize=(9.5, 5.5))
    ax.plot(np.r_[0, population], np.r_[0, q["cumulative positives %"]])
    ax.plot([0, 100], [0, 100], color="grey")
    save_chart(fig, out, "gains")
    fig, ax = plt.subplots(figsize=(9.5, 5.5))
    ax.plot(population, gains["Cumulative Lift"])
    ax.plot(population, gains.Lift)
    save_chart(fig, out, "lift")

    # Log odds per bucket against the bucket's mean output, fitted by weighted least squares.
    mean_output = ranked.assign(bucket=bucket).groupby("bucket").output.mean()
    odds = q.positives / q.negatives.replace(0, np.nan)
    log_odds = np.log(odds)
    usable = np.isfinite(log_odds)
    slope, intercept, r2 = weighted_fit(mean_output[usable].to_numpy(), log_odds[usable].to_numpy(),
                                        q.total[usable].to_numpy())
    pd.DataFrame({"Upper Boundary": q.upper, "Lower Boundary": q.lower, "Positive Cases": q.positives,
                  "Negative Cases": q.negatives, "Total Cases": q.total, "Positive Cases %": q["positive %"],
                  "Negative Cases %": q["negative %"], "Odds Ratio": odds, "Log Odds": log_odds}).to_csv(
        os.path.join(out, "log-odds.tsv"), sep="\t")
    fig, ax = plt.subplots(figsize=(9.5, 5.5))
    ax.scatter(mean_output, log_odds)
    ax.plot(mean_output, slope * mean_output + intercept, color="red")
    save_chart(fig, out, "log-odds")

    # Logistic fit and confusion matrix per record.
    record_log_odds = slope * s + intercept
    p1 = 1 / (1 + np.exp(-record_log_odds))
    likely = (p1 >= 0.5).astype(int)
    match = np.where(likely == y, "OK", "Wrong")
    fit = pd.DataFrame({"Id": ranked.id.to_numpy(), "Target": y, "Model Output": s, "Log Odds": record_log_odds,
                        "Odds Ratio": np.exp(record_log_odds), "Probability[1]": p1, "Probability[0]": 1 - p1,
                        "Most Likely Class": likely, "Match": match}).iloc[::-1]
    fit.to_csv(os.path.join(out, "logistic-fit.tsv"), sep="\t", index=False)
    fig, ax = plt.subplots(figsize=(9.5, 5.5))
    ax.scatter(s, y, s=2)
    ax.plot(fit["Model Output"], fit["Probability[1]"], color="navy")
    save_chart(fig, out, "logistic-fit")

    logistic_type = np.select([(likely == 1) & (y == 1), (likely == 0) & (y == 0), likely == 1],
                              ["True Pos.", "True Neg.", "False Pos."], "False Neg.")
    pd.DataFrame({"Id": ranked.id.to_numpy(), "Target": y, "Model Output": s, "Probability[1]": p1,
                  "Probability[0]": 1 - p1, "Most Likely Class": likely, "Match": match,
                  "Type": logistic_type}).to_csv(os.path.join(out, "confusion-matrix.tsv"), sep="\t", index=False)
    matrix = confusion_matrix(y, likely, labels=[1, 0])
    fig, ax = plt.subplots(figsize=(9.5, 5.5))
    ax.imshow(matrix, cmap="Blues")
    for (row, col), value in np.ndenumerate(matrix):
        ax.text(col, row, str(value), ha="center", va="center")
    save_chart(fig, out, "confusion-matrix")

    statistics = {"records": n, "positives": P, "negatives": N, "calculationErrors": len(errors), "auc": auc,
                  "youden": {"cutoff": float(s[best]), "j": float(j[best]), "tp": int(tp[best]),
                             "fp": int(fp[best]), "tn": int(tn[best]), "fn": int(fn[best])},
                  "quantiles": [{"quantile": int(b), "records": int(r.total), "positives": int(r.positives),
                                 "upper": float(r.upper), "lower": float(r.lower)} for b, r in q.iterrows()]}
    with open(os.path.join(out, "statistics.json"), "w") as file:
        json.dump(statistics, file, indent=2)
    with open(os.path.join(out, "index.html"), "w") as page:
        page.write("<!DOCTYPE html><html><body><h1>Analysis</h1>")
        page.write(f"<p>AUC {auc:.5g}, Youden cutoff {s[best]:.5g}</p>")
        for name in ["quantiles", "roc", "cutoff-points", "gains", "lift", "log-odds", "logistic-fit",
                     "confusion-matrix"]:
            with open(os.path.join(out, name + ".svg")) as svg:
                page.write(f"<h2>{name}</h2>" + svg.read())
            page.write(pd.read_csv(os.path.join(out, name + ".tsv"), sep="\t", nrows=10).to_html())
        page.write("</body></html>")


if __name__ == "__main__":
    main()
