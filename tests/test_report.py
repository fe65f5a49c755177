#!/usr/bin/env python3
"""Reads test reports and sums up a whole test run.

A report is JUnit XML as `ctest --output-junit` writes it, or GoogleTest's own XML: each test
case passed, failed or skipped, with its time and output. `summary` reads the folder that
scripts/test.sh fills and prints one summary: the time of each preset's build and tests, the
checks per label with their time, each failure with its output, the reasons of the skips, and
last `Total: N passed, N failed, N skipped`; it exits non-zero when anything failed.

The folder holds, per step, <step>.xml (the step's report) and <step>.tests.json (`ctest
--show-only=json-v1`, for the labels; without it a step's tests are labelled with its name),
<step>.gtest/ (the reports of GoogleTest executables that CTest ran whole, named after
them), and steps.tsv: one line per phase, "step, phase, seconds, passed|failed, log file".
Usage: test_report.py summary FOLDER | test_report.py cases REPORT
"""

import json
import re
import sys
import xml.etree.ElementTree as ElementTree
from dataclasses import dataclass, field
from pathlib import Path

SHOWN_LINES = 150


@dataclass
class Case:
    name: str
    outcome: str  # passed, failed or skipped
    seconds: float
    output: str
    reason: str = ""
    labels: list = field(default_factory=list)
    step: str = ""


def outcome_of(case):
    """A test that did not run because what it needs failed to set up counts as failed: only a
    test that decided to skip, or was disabled, is skipped."""
    skipped = case.find("skipped")
    if case.find("failure") is not None or case.find("error") is not None:
        return "failed", ""
    if skipped is not None and skipped.get("message") == "Fixture dependency failed":
        return "failed", "what it needs failed to set up"
    if skipped is not None or case.get("status") in ("notrun", "disabled") or \
            case.get("result") == "skipped":
        return "skipped", skipped.get("message", "") if skipped is not None else ""
    return "passed", ""


def read_cases(report):
    """Every test case of a JUnit or GoogleTest XML report."""
    cases = []
    for case in ElementTree.parse(report).iter("testcase"):
        outcome, reason = outcome_of(case)
        texts = [element.text or "" for element in case.iter()
                 if element.tag in ("system-out", "failure", "error")]
        texts += [element.get("message", "") for element in case.iter("failure")]
        name = case.get("name", "")
        if case.get("classname") not in (None, name) and "." not in name:
            name = f"{case.get('classname')}.{name}"
        cases.append(Case(name, outcome, float(case.get("time") or 0),
                          "\n".join(text for text in texts if text.strip()), reason))
    return cases


def test_labels(listing):
    """Test name to labels, from `ctest --show-only=json-v1`."""
    labels = {}
    for test in json.loads(listing.read_text(encoding="utf-8")).get("tests", []):
        for prop in test.get("properties", []):
            if prop["name"] == "LABELS":
                labels[test["name"]] = prop["value"]
    return labels


@dataclass
class Phase:
    step: str
    name: str
    seconds: int
    status: str
    log: Path


def read_phases(folder):
    phases = []
    table = folder / "steps.tsv"
    if table.exists():
        for line in table.read_text(encoding="utf-8").splitlines():
            step, name, seconds, status, log = line.split("\t")
            phases.append(Phase(step, name, int(seconds), status, Path(log)))
    return phases


def read_run(folder):
    cases = []
    for report in sorted(folder.glob("*.xml")):
        step = report.stem
        listing = folder / f"{step}.tests.json"
        labels = test_labels(listing) if listing.exists() else {}
        step_cases = read_cases(report)
        for case in step_cases:
            case.step = step
            case.labels = labels.get(case.name) or [step]
        cases += expanded_by_own_reports(step_cases, folder / f"{step}.gtest")
    return cases


def duration(seconds):
    seconds = round(seconds)
    return f"{seconds // 60} min {seconds % 60:02d} s" if seconds >= 60 else f"{seconds} s"


def tail(text, lines=SHOWN_LINES):
    kept = text.rstrip().splitlines()
    if len(kept) <= lines:
        return "\n".join(kept)
    return f"[{len(kept) - lines} earlier lines left out]\n" + "\n".join(kept[-lines:])


def failed_phase_case(phase):
    """A build that fails is a failed check of its own: no test of it could run."""
    log = phase.log.read_text(encoding="utf-8", errors="replace") if phase.log.exists() else ""
    return Case(f"{phase.step}: {phase.name}", "failed", phase.seconds, tail(log, 40),
                labels=[phase.step], step=phase.step)


def print_summary(cases, phases):
    print("=== Time per preset")
    for step in dict.fromkeys(phase.step for phase in phases):
        parts = [f"{phase.name} {duration(phase.seconds)}" + ("" if phase.status == "passed"
                 else f" ({phase.status})") for phase in phases if phase.step == step]
        print(f"{step:<12} " + ", ".join(parts))
    print("=== Checks per label (time: the sum of the tests' own times)")
    print(f"{'label':<12} {'checks':>6} {'passed':>6} {'failed':>6} {'skipped':>7} {'time':>12}")
    for label in sorted({label for case in cases for label in case.labels}):
        group = [case for case in cases if label in case.labels]
        counts = [sum(case.outcome == outcome for case in group)
                  for outcome in ("passed", "failed", "skipped")]
        print(f"{label:<12} {sum(counts):>6} {counts[0]:>6} {counts[1]:>6} {counts[2]:>7} "
              f"{duration(sum(case.seconds for case in group)):>12}")
    for case in cases:
        if case.outcome == "failed":
            print(f"=== FAILED {case.name} ({case.step}{': ' + case.reason if case.reason else ''})")
            print(tail(case.output) or "(no output)")
    for case in cases:
        if case.outcome == "skipped":
            why = next((line for line in case.output.splitlines() if "SKIP" in line.upper()),
                       case.reason)
            print(f"=== skipped {case.name} ({case.step}): {why}")


def expanded_by_own_reports(cases, reports):
    """A GoogleTest executable run whole under Wine is one CTest test; the report it wrote
    itself (in REPORTS, named after it) gives its cases, which take its place. Its own failure,
    a crash after the report say, stays when no case of it failed."""
    result = []
    for case in cases:
        own = reports / f"{case.name}.xml"
        if not own.exists():
            result.append(case)
            continue
        inner = read_cases(own)
        for inner_case in inner:
            inner_case.step, inner_case.labels = case.step, case.labels
        result += inner
        if case.outcome == "failed" and not any(c.outcome == "failed" for c in inner):
            result.append(case)
    return result


def summary(folder):
    phases = read_phases(folder)
    cases = read_run(folder)
    for phase in phases:
        if phase.status != "passed" and not any(
                case.step == phase.step and case.outcome == "failed" for case in cases):
            cases.append(failed_phase_case(phase))
    print_summary(cases, phases)
    counts = {outcome: sum(case.outcome == outcome for case in cases)
              for outcome in ("passed", "failed", "skipped")}
    print(f"Total: {counts['passed']} passed, {counts['failed']} failed, "
          f"{counts['skipped']} skipped")
    return 1 if counts["failed"] or not cases else 0


def main():
    command, path = sys.argv[1], Path(sys.argv[2])
    if command == "summary":
        return summary(path)
    for case in read_cases(path):
        print(f"{case.outcome:<8} {case.name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
