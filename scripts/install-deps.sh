#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need.
# Packages already present are skipped; apt-get update runs only when something is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build clang-format
    qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev qt6-base-dev-tools libgl-dev libvulkan-dev libxkbcommon-dev
    nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core xvfb xauth
    libpqxx-dev postgresql-15
)
if [ "${1:-}" = "--screenshots" ]; then
    packages+=(x11-apps imagemagick chromium poppler-utils)
fi
if [ "${1:-}" = "--bench" ]; then
    # bench/peer: the same export written with pandas, scikit-learn and matplotlib; chromium looks at it.
    packages+=(python3-pandas python3-sklearn python3-matplotlib chromium poppler-utils time)
fi
if [ "${1:-}" = "--bench" ]; then
    # R and pROC check the AUC intervals and paired tests against an independent implementation.
    packages+=(r-base-core r-cran-proc python3)
    # bench/export-scale.sh sums its times with bc.
    packages+=(bc)
fi
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo_cmd apt-get update -qq
$sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
