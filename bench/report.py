#!/usr/bin/env python3
"""Prints the benchmark results as one table, with each measured operation's
throughput or time beside its goal and, for bundle packing, the ratio to
memcpy of the same bytes measured in the same run."""
import json
import sys

GOALS_MBPS = {"BM_Pack": 400.0, "BM_Unpack": 400.0}
GOALS_MS = {"BM_Open/Large": 200.0, "BM_Save/Large": 200.0, "BM_RebuildAndMeasureEveryRun": 200.0,
            "BM_CheckEveryRun": 500.0, "BM_ConnectionSearchLineEnds": 100.0,
            "BM_PanelAutoRow": 50.0, "BM_PanelHitTest": 1.0,
            "BM_GraphLayout": 2.0, "BM_GraphDrawCounting": 8.0, "BM_GraphHitTest": 1.0,
            "BM_MapChecksAndLeverRebuild": 100.0,
            "BM_RunningOrderAndSerialNumbers": 200.0, "BM_DestinationsOfEveryRun": 100.0,
            "BM_WindiaExport": 500.0, "BM_WindiaImport": 1000.0,
            "BM_TimetableTables": 100.0, "BM_TimetableHtmlExport": 1000.0}

rows = []
for path in sys.argv[1:]:
    with open(path) as f:
        data = json.load(f)
    for b in data["benchmarks"]:
        rows.append(b)

memcpy = next((b for b in rows if b["name"] == "BM_Memcpy"), None)
print(f"{'benchmark':<34}{'time':>12}{'MB/s':>10}{'vs memcpy':>11}{'goal':>14}  met")
for b in rows:
    name = b["name"]
    unit = b.get("time_unit", "ns")
    t = b["real_time"]
    ms = t / {"ns": 1e6, "us": 1e3, "ms": 1.0, "s": 1e-3}[unit]
    mbps = b.get("bytes_per_second", 0) / 1e6
    ratio = ""
    if memcpy and mbps and name != "BM_Memcpy":
        ratio = f"{memcpy['bytes_per_second'] / b['bytes_per_second']:.1f}x"
    goal, met = "", ""
    if name in GOALS_MBPS:
        goal = f">= {GOALS_MBPS[name]:.0f} MB/s"
        met = "yes" if mbps >= GOALS_MBPS[name] else "NO"
    elif name in GOALS_MS:
        goal = f"< {GOALS_MS[name]:.0f} ms"
        met = "yes" if ms < GOALS_MS[name] else "NO"
    mb = f"{mbps:.0f}" if mbps else ""
    print(f"{name:<34}{ms:>10.2f}ms{mb:>10}{ratio:>11}{goal:>14}  {met}")
    if "bundle_MB" in b:
        print(f"{'  bundle text':<34}{b['bundle_MB']:>10.1f}MB")
    if "peak_x_bundle" in b:
        x = b["peak_x_bundle"]
        # The goal holds for the generated set; the stress set is shown beside it.
        goal, met = ("", "") if "Stress" in name else ("< 5x bundle", "yes" if x < 5 else "NO")
        print(f"{'  peak memory':<34}{b['peak_MB']:>10.0f}MB{'':>10}{x:>10.1f}x{goal:>14}  {met}")
