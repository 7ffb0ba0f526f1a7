"""The web version as the web's own audit sees it: Lighthouse (the version
lighthouse/package-lock.json pins, installed with npm ci into
build/bench-lighthouse) driving Debian's Chromium, on phones (its default:
a slow 4G network and a 4x slower processor, simulated) and on desktops,
against the least page with the same controls, both served on 127.0.0.1 as
a good host serves them, alternating; medians of each category's score and
of the first and largest contentful paints, and what the last run found
wanting where a category falls short.
Usage: lighthouse.py SITE [RUNS]   (5 unless told)
"""
import json
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(ROOT / "tests" / "support"))
from local_site import serve  # noqa: E402

CATEGORIES = ("performance", "accessibility", "best-practices", "seo")
PAINTS = ("first-contentful-paint", "largest-contentful-paint")
CHROMIUM_FLAGS = ("--headless=new --no-sandbox --disable-gpu --no-first-run --disable-background-networking"
                  " --disable-component-update --disable-sync")


def installed_lighthouse():
    """The pinned Lighthouse, installed afresh where the lock file changed."""
    tools = ROOT / "build" / "bench-lighthouse"
    lock = HERE / "lighthouse" / "package-lock.json"
    if not (tools / "package-lock.json").exists() or (tools / "package-lock.json").read_bytes() != lock.read_bytes():
        tools.mkdir(parents=True, exist_ok=True)
        for name in ("package.json", "package-lock.json"):
            shutil.copy(HERE / "lighthouse" / name, tools / name)
        subprocess.run(["npm", "ci", "--no-audit", "--no-fund", "--loglevel=error"], cwd=tools, check=True)
    return tools / "node_modules" / ".bin" / "lighthouse"


def audit(lighthouse, address, preset):
    """Scores (0 to 100) by category, paints in ms, and the audits that fell short."""
    with tempfile.TemporaryDirectory() as folder:
        report = pathlib.Path(folder) / "report.json"
        options = ["--preset=desktop"] if preset == "desktop" else []
        subprocess.run([str(lighthouse), address, "--quiet", "--output=json", f"--output-path={report}",
                        f"--only-categories={','.join(CATEGORIES)}", f"--chrome-flags={CHROMIUM_FLAGS}", *options],
                       env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"), check=True)
        found = json.loads(report.read_text())
    scores = {name: round(found["categories"][name]["score"] * 100) for name in CATEGORIES}
    paints = {name: found["audits"][name]["numericValue"] for name in PAINTS}
    short = sorted({reference["id"] for name in CATEGORIES[1:] for reference in found["categories"][name]["auditRefs"]
                    if reference["weight"] and (found["audits"][reference["id"]]["score"] or 0) < 1})
    return scores, paints, short


def main(site, runs=5):
    lighthouse = installed_lighthouse()
    servers = {"least page": serve(HERE / "least"), "velmora": serve(site)}
    for preset in ("mobile", "desktop"):
        results = {name: [] for name in servers}
        for _ in range(int(runs)):
            for name, server in servers.items():
                address = f"http://127.0.0.1:{server.server_address[1]}/"
                results[name].append(audit(lighthouse, address, preset))
        medians = {}
        for name, found in results.items():
            scores = {category: statistics.median(run[0][category] for run in found) for category in CATEGORIES}
            paints = {paint: statistics.median(run[1][paint] for run in found) for paint in PAINTS}
            medians[name] = paints
            print(f"{preset:7} {name:10}: " + ", ".join(f"{category} {scores[category]:.0f}" for category in CATEGORIES)
                  + f" ({'/'.join(str(run[0]['performance']) for run in found)}); FCP {paints[PAINTS[0]]:.0f} ms,"
                  f" LCP {paints[PAINTS[1]]:.0f} ms; median of {len(found)}"
                  + (f"; short in the last run: {', '.join(found[-1][2])}" if found[-1][2] else ""))
        print(f"{preset:7} ratios: FCP {medians['velmora'][PAINTS[0]] / medians['least page'][PAINTS[0]]:.2f},"
              f" LCP {medians['velmora'][PAINTS[1]] / medians['least page'][PAINTS[1]]:.2f} (targets 1.1 or less)")


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    main(*sys.argv[1:])
