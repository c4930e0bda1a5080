#!/usr/bin/env python3
"""Runs the C++ tests of a build under valgrind's memcheck.

Every test that ctest knows and that runs a program of the build (the
GoogleTest cases, one process each, and the example programs) runs under
memcheck with the test's own environment and working directory; the Python
tests are left out. A test fails when memcheck reports an error (invalid
access, use of uninitialised memory, a definite or indirect leak) or when
the program exits with a failure status (ctest's output checks are not
repeated here). Logs go to BUILD/memcheck/, one per test.

    tools/memcheck.py [--build build] [-j 2] [-R regex]
"""

import argparse
import concurrent.futures
import json
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SUPPRESSIONS = os.path.join(ROOT, "tools", "memcheck.supp")
ERROR_EXIT = 99


def list_tests(build):
    listing = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    tests = []
    for test in json.loads(listing)["tests"]:
        command = test.get("command")
        if not command:
            continue
        program = os.path.realpath(command[0])
        # Only the build's own programs: not the interpreters the Python tests run in.
        if not program.startswith(os.path.realpath(build) + os.sep):
            continue
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        tests.append({
            "name": test["name"],
            "command": command,
            "environment": properties.get("ENVIRONMENT", []),
            "directory": properties.get("WORKING_DIRECTORY", build),
        })
    return tests


def run(test, logs):
    log = os.path.join(logs, re.sub(r"[^A-Za-z0-9_.-]", "_", test["name"]) + ".log")
    environment = dict(os.environ)
    for entry in test["environment"]:
        key, _, value = entry.partition("=")
        environment[key] = value
    # Python's own allocator confuses memcheck; the simulated host embeds Python.
    environment["PYTHONMALLOC"] = "malloc"
    command = ["valgrind", "--tool=memcheck", "--error-exitcode=%d" % ERROR_EXIT, "--leak-check=full",
               "--show-leak-kinds=definite,indirect", "--errors-for-leak-kinds=definite,indirect",
               "--suppressions=" + SUPPRESSIONS, "--log-file=" + log] + test["command"]
    result = subprocess.run(command, env=environment, cwd=test["directory"],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    with open(log, encoding="utf-8", errors="replace") as f:
        text = f.read()
    match = re.search(r"ERROR SUMMARY: (\d+) errors", text)
    errors = int(match.group(1)) if match else 0
    return test["name"], result.returncode, errors, log, result.stdout.decode(errors="replace")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("-j", "--jobs", type=int, default=2)
    parser.add_argument("-R", "--regex", default="", help="only tests whose name matches")
    args = parser.parse_args()
    if shutil.which("valgrind") is None:
        sys.exit("valgrind is not installed")

    build = os.path.abspath(args.build)
    tests = [t for t in list_tests(build) if re.search(args.regex, t["name"])]
    programs = sorted({os.path.basename(t["command"][0]) for t in tests})
    logs = os.path.join(build, "memcheck")
    shutil.rmtree(logs, ignore_errors=True)
    os.makedirs(logs)

    start = time.monotonic()
    failed = []
    total_errors = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for name, status, errors, log, output in pool.map(lambda t: run(t, logs), tests):
            total_errors += errors
            if status != 0 or errors:
                failed.append(name)
                reason = "%d memcheck errors" % errors if errors else "test failed (status %d)" % status
                print("FAIL %s: %s, see %s" % (name, reason, log))
                if not errors:
                    print(output[-3000:])
    elapsed = time.monotonic() - start

    print("memcheck: %d tests from %d programs, %d failed, %d errors, %.0f s"
          % (len(tests), len(programs), len(failed), total_errors, elapsed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
