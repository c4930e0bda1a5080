#!/usr/bin/env python3
"""Measures what the test suite catches: applies each fault of a list kept in
tools/mutations.txt to the source, rebuilds the default build incrementally,
runs ctest, and reports the fault as killed (some test failed) or survived
(every test passed), then restores the source. At the end: the kill rate.

    tools/mutate.py [--build build] [-j N] [--only ID[,ID...]] [--list] [--matrix]

A fault whose text is not found exactly once, or whose build fails, is
reported as such and left out of the rate. The source is restored after
every fault, also when the run is interrupted; the build is brought back to
the unchanged source at the end. This is a tool for people changing the
library, not part of CI: a full run rebuilds once per fault.

With --matrix every test runs for every fault (no stop at the first
failure), and the end lists which tests killed each fault, the faults that
a single test kills, and the tests that kill none: the places to look when
the suite is to shrink without losing what it catches. A Python test is
listed as its methods ("py311.test_module:Constants.test_x").

The list: one block per fault, separated by blank lines:

    [id] what the fault does
    file: path/from/the/root
    - the text as it stands (one line, matched exactly once)
    + the text it becomes (one or more lines)
"""

import argparse
import os
import re
import subprocess
import sys
import time

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
LIST = os.path.join(ROOT, 'tools', 'mutations.txt')


class Fault:
    def __init__(self, ident, description, path, old, new):
        self.ident, self.description, self.path, self.old, self.new = ident, description, path, old, new


def parse(text):
    faults = []
    for block in text.strip().split('\n\n'):
        lines = [line for line in block.splitlines() if not line.startswith('#')]
        if not lines:
            continue
        if len(lines) < 4 or not lines[0].startswith('[') or not lines[1].startswith('file: ') or \
                not lines[2].startswith('- ') or not all(line.startswith('+ ') for line in lines[3:]):
            raise ValueError('a fault is [id] text, file:, one - line and + lines:\n' + block)
        ident, _, description = lines[0][1:].partition('] ')
        new = '\n'.join(line[2:] for line in lines[3:])
        faults.append(Fault(ident, description, lines[1][6:], lines[2][2:], new))
    idents = [fault.ident for fault in faults]
    duplicates = sorted({ident for ident in idents if idents.count(ident) > 1})
    if duplicates:
        raise ValueError('faults named twice: ' + ', '.join(duplicates))
    return faults


def run(command, log):
    with open(log, 'a') as out:
        return subprocess.run(command, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT).returncode


def build(args, log):
    return run(['cmake', '--build', args.build, '-j', str(args.jobs)], log) == 0


def tests_pass(args, log):
    stop = [] if args.matrix else ['--stop-on-failure']
    failed = os.path.join(ROOT, args.build, 'Testing', 'Temporary', 'LastTestsFailed.log')
    if os.path.exists(failed):
        os.remove(failed)
    return run(['ctest', '--test-dir', args.build, '-j', str(args.jobs), '--timeout', str(args.timeout)] + stop,
               log) == 0


# In the output ctest keeps: where a test starts, and in a Python test's
# verbose output a test method that ran (either form of the interpreters)
# and one that failed or raised.
TEST_START = re.compile(r'^\d+/\d+ Test: (\S+)$', re.M)
METHOD_RAN = re.compile(r'^(test\w*) \((\w+)\.(\w+)(?:\.\1)?\) \.\.\. ', re.M)
METHOD_FAILED = re.compile(r'^(?:FAIL|ERROR): (test\w*) \((\w+)\.(\w+)(?:\.\1)?\)', re.M)


def test_outputs(args):
    """ctest test name -> its output in the last run."""
    path = os.path.join(ROOT, args.build, 'Testing', 'Temporary', 'LastTest.log')
    if not os.path.exists(path):
        return {}
    with open(path, errors='replace') as f:
        text = f.read()
    starts = list(TEST_START.finditer(text))
    return {m.group(1): text[m.end():starts[i + 1].start() if i + 1 < len(starts) else len(text)]
            for i, m in enumerate(starts)}


def methods(name, output, pattern):
    """A Python test's methods as "name:Class.method"."""
    return sorted({'%s:%s.%s' % (name, m.group(3), m.group(1)) for m in pattern.finditer(output)})


def failed_tests(args):
    """The tests the last ctest run failed, from the list ctest keeps; a
    Python test as the methods that failed, when its output names them."""
    path = os.path.join(ROOT, args.build, 'Testing', 'Temporary', 'LastTestsFailed.log')
    if not os.path.exists(path):
        return []
    with open(path) as f:
        names = sorted(line.strip().partition(':')[2] for line in f if line.strip())
    outputs = test_outputs(args)
    return [found for name in names for found in (methods(name, outputs.get(name, ''), METHOD_FAILED) or [name])]


def all_tests(args):
    """Every test of the last run, Python tests as their methods (read before
    `ctest -N`, which replaces the output ctest keeps)."""
    outputs = test_outputs(args)
    listed = subprocess.run(['ctest', '--test-dir', args.build, '-N'], cwd=ROOT, capture_output=True, text=True)
    names = [line.split(': ', 1)[1].strip() for line in listed.stdout.splitlines()
             if line.strip().startswith('Test') and ': ' in line]
    return [found for name in names for found in (methods(name, outputs.get(name, ''), METHOD_RAN) or [name])]


def print_matrix(killers, tests):
    print('\nwhich tests killed each fault:')
    for ident, names in killers.items():
        print('  %-30s %s' % (ident, ' '.join(names) or '(none)'))
    print('faults killed by a single test:')
    for ident, names in killers.items():
        if len(names) == 1:
            print('  %-30s %s' % (ident, names[0]))
    killing = {name for names in killers.values() for name in names}
    print('tests that kill no fault:')
    for name in tests:
        if name not in killing:
            print('  ' + name)


def try_fault(fault, args, log):
    """One of: killed, survived, not found, no build."""
    path = os.path.join(ROOT, fault.path)
    with open(path) as f:
        original = f.read()
    if original.count(fault.old) != 1:
        return 'not found'
    try:
        with open(path, 'w') as f:
            f.write(original.replace(fault.old, fault.new))
        if not build(args, log):
            return 'no build'
        return 'survived' if tests_pass(args, log) else 'killed'
    finally:
        with open(path, 'w') as f:
            f.write(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--build', default='build')
    parser.add_argument('-j', '--jobs', type=int, default=os.cpu_count() or 2)
    parser.add_argument('--only', help='comma-separated fault ids')
    parser.add_argument('--list', action='store_true', help='list the faults and check they apply')
    parser.add_argument('--timeout', type=int, default=300, help='seconds per test')
    parser.add_argument('--matrix', action='store_true', help='run every test for every fault and list the killers')
    parser.add_argument('--log', default=os.path.join('build', 'mutate.log'))
    args = parser.parse_args()
    with open(LIST) as f:
        faults = parse(f.read())
    if args.only:
        wanted = set(args.only.split(','))
        faults = [fault for fault in faults if fault.ident in wanted]
    if args.list:
        for fault in faults:
            with open(os.path.join(ROOT, fault.path)) as f:
                found = f.read().count(fault.old)
            print('%-28s %-40s %s' % (fault.ident, fault.path, 'ok' if found == 1 else 'found %d times' % found))
        return 0
    log = os.path.join(ROOT, args.log)
    open(log, 'w').close()
    if not build(args, log) or not tests_pass(args, log):
        print('the unchanged source must build and pass its tests first (see %s)' % args.log)
        return 1
    tests = all_tests(args)  # from the run of the unchanged source
    outcomes, killers = {}, {}
    try:
        for fault in faults:
            started = time.time()
            with open(log, 'a') as out:
                out.write('\n==== %s\n' % fault.ident)
            outcomes[fault.ident] = try_fault(fault, args, log)
            if args.matrix and outcomes[fault.ident] in ('killed', 'survived'):
                killers[fault.ident] = failed_tests(args)
            print('%-10s %-28s %s (%.0f s)' % (outcomes[fault.ident], fault.ident, fault.description,
                                             time.time() - started))
            sys.stdout.flush()
    finally:
        build(args, log)
    counted = [outcome for outcome in outcomes.values() if outcome in ('killed', 'survived')]
    killed = counted.count('killed')
    print('killed %d of %d faults (%.0f %%); %d not found, %d did not build' % (
        killed, len(counted), 100.0 * killed / len(counted) if counted else 0.0,
        list(outcomes.values()).count('not found'), list(outcomes.values()).count('no build')))
    if args.matrix:
        print_matrix(killers, tests)
    return 0


if __name__ == '__main__':
    sys.exit(main())
