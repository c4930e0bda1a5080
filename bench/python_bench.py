#!/usr/bin/env python3
"""What Python code pays for the module, next to the least the same work
costs, measured side by side in one run of the interpreter that runs this
script:

  2. calls: PIRGB and SignalClient_isValid against hand-written extension
     functions doing the same work (_handmade), and the proxy method
     client.isValid() against the flat call;
  3. containers: building, iterating, slicing and indexing a StringVector
     and a UniqueIDVector against a list of bytes and an array('Q') making
     the same conversions;
  4. signals: fireCallbacks into a SignalCallback subclass through the
     simulated host, against calling its callback method directly;
  5. import: `python -c "import PluginInterfaces"` against `python -c "pass"`.

Every pair is timed in alternation, many times; the fastest repetition of
each side counts. Only the ratios matter (the absolute times depend on the
machine and on what else runs).

  python3.8 bench/python_bench.py [--build build] [--quick]
  python3.8 bench/python_bench.py --instructions fire|direct CALLS

--quick runs every case once on small inputs (a check that the benchmark
works, not a measurement). --instructions runs one side of the signal case
untimed, to be counted by callgrind (docs/performance.md).
"""

import argparse
import os
import subprocess
import sys
import timeit

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VERSION = 'py%d%d' % sys.version_info[:2]


def setup_paths(build):
    build = os.path.abspath(build)
    module_dir = os.path.join(build, 'python', VERSION)
    sys.path[:0] = [module_dir, os.path.join(build, 'bench', VERSION), os.path.join(ROOT, 'hostsim', 'python')]
    os.environ.setdefault('KARVEN_SIM_LIBRARY', os.path.join(build, 'hostsim', 'sim', 'libkarven_sim.so'))
    return module_dir


def fastest_pair(first, second, namespace, number, repeats):
    """Seconds per call of each statement: the fastest of `repeats`
    alternating timings of `number` calls."""
    timers = [timeit.Timer(first, globals=namespace), timeit.Timer(second, globals=namespace)]
    best = [float('inf'), float('inf')]
    for repeat in range(repeats):
        order = (0, 1) if repeat % 2 == 0 else (1, 0)
        for side in order:
            best[side] = min(best[side], timers[side].timeit(number) / number)
    return best


class Report:
    def __init__(self):
        self.rows = []

    def add(self, item, case, measured, floor, target):
        self.rows.append((item, case, measured, floor, target))
        ratio = measured / floor
        verdict = 'ok' if ratio <= target else 'over'
        print('%-11s %-44s %11.1f %11.1f %7.2fx  (target %.2fx, %s)' % (
            item, case, measured * 1e9, floor * 1e9, ratio, target, verdict), flush=True)


def bench_calls(report, P, handmade, quick):
    import _PluginInterfaces as flat
    client = P.SignalClient()
    handmade.expect(client)
    namespace = {'PIRGB': flat.PIRGB, 'rgb': handmade.rgb, 'SignalClient_isValid': flat.SignalClient_isValid,
                 'isValid': handmade.isValid, 'client': client}
    if P.PIRGB(1, 2, 3) != handmade.rgb(1, 2, 3) or client.isValid() != handmade.isValid(client):
        raise SystemExit('the hand-written functions do not answer as the module does')
    number, repeats = (100, 1) if quick else (200000, 25)
    cases = [
        ('PIRGB(1, 2, 3) / hand-written', 'PIRGB(1, 2, 3)', 'rgb(1, 2, 3)', 1.3),
        ('SignalClient_isValid(c) / hand-written', 'SignalClient_isValid(client)', 'isValid(client)', 1.3),
        ('client.isValid() / SignalClient_isValid(c)', 'client.isValid()', 'SignalClient_isValid(client)', 1.2),
    ]
    for case, measured, floor, target in cases:
        report.add('call', case, *fastest_pair(measured, floor, namespace, number, repeats), target)


def bench_containers(report, P, quick):
    from array import array
    size = 1000 if quick else 100000
    repeats = 1 if quick else 15
    strings = ['entity-%06d' % i for i in range(size)]
    ids = [2**63 + i * 7919 for i in range(size)]
    namespace = {
        'P': P, 'array': array, 'strings': strings, 'ids': ids, 'indices': range(size),
        'sv': P.StringVector(strings), 'bl': [s.encode() for s in strings],
        'uv': P.UniqueIDVector(ids), 'ar': array('Q', ids),
    }
    if list(namespace['sv']) != strings or list(namespace['uv']) != list(namespace['ar']):
        raise SystemExit('the vectors do not hold what they were built from')
    cases = [
        ('StringVector(list of str) / str.encode each', 'P.StringVector(strings)', 'list(map(str.encode, strings))'),
        ('iterate StringVector / bytes.decode each', 'for x in sv: pass', 'for x in map(bytes.decode, bl): pass'),
        ('slice StringVector / list of bytes', 'sv[1:-1]', 'bl[1:-1]'),
        ('index StringVector / list[i].decode()', 'for i in indices: sv[i]', 'for i in indices: bl[i].decode()'),
        ('UniqueIDVector(list of int) / array(Q)', 'P.UniqueIDVector(ids)', "array('Q', ids)"),
        ('iterate UniqueIDVector / array(Q)', 'for x in uv: pass', 'for x in ar: pass'),
        ('slice UniqueIDVector / array(Q)', 'uv[1:-1]', 'ar[1:-1]'),
        ('index UniqueIDVector / array(Q)', 'for i in indices: uv[i]', 'for i in indices: ar[i]'),
    ]
    for case, measured, floor in cases:
        times = fastest_pair(measured, floor, namespace, 1, repeats)
        report.add('container', case, times[0], times[1], 2.0)


SIGNAL_STATEMENTS = {'fire': 'fire(name, data)', 'direct': 'receiver.callback(name, data)'}


def signal_setup(P):
    """The signal case: a SignalCallback subclass registered through the
    simulated host, and the namespace of both statements. Returns the
    namespace and a function that unregisters and tells how often the
    callback ran."""
    client = P.SignalClient()
    if client.bind(P.cvar.SIGNAL_SERVICE_NAME) != 0 or not client.isValid():
        raise SystemExit('the simulated host did not connect the signal client')
    signals = client.getInterface()

    class Receiver(P.SignalCallback):
        calls = 0

        def callback(self, name, data):
            Receiver.calls += 1

    receiver = Receiver()
    name = 'bench.signal'
    signals.addCallback(name, receiver)

    def finish():
        signals.removeCallback(name, receiver)
        client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        return Receiver.calls

    return {'fire': signals.fireCallbacks, 'receiver': receiver, 'name': name, 'data': P.SignalData()}, finish


def bench_signals(report, P, quick):
    namespace, finish = signal_setup(P)
    number, repeats = (100, 1) if quick else (50000, 15)
    times = fastest_pair(SIGNAL_STATEMENTS['fire'], SIGNAL_STATEMENTS['direct'], namespace, number, repeats)
    expected = 2 * number * repeats
    calls = finish()
    if calls != expected:
        raise SystemExit('the callback ran %d times, not %d' % (calls, expected))
    report.add('signal', 'fireCallbacks / receiver.callback()', times[0], times[1], 2.0)


def run_signal_statement(P, side, calls):
    """Runs one side of the signal case `calls` times, untimed, for an
    instruction count: the difference between two counts (callgrind) over
    the difference of their calls is the cost of one statement."""
    namespace, finish = signal_setup(P)
    timeit.Timer(SIGNAL_STATEMENTS[side], globals=namespace).timeit(calls)
    finish()


def bench_import(report, module_dir, quick):
    environment = dict(os.environ, PYTHONPATH=module_dir)
    environment.pop('PYTHONDONTWRITEBYTECODE', None)
    commands = [[sys.executable, '-c', 'import PluginInterfaces'], [sys.executable, '-c', 'pass']]
    # The first import compiles the proxy module; a deployed module has its
    # cached byte code.
    subprocess.run(commands[0], env=environment, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    repeats = 1 if quick else 40
    best = [float('inf'), float('inf')]
    for repeat in range(repeats):
        for side in ((0, 1) if repeat % 2 == 0 else (1, 0)):
            start = timeit.default_timer()
            subprocess.run(commands[side], env=environment, check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            best[side] = min(best[side], timeit.default_timer() - start)
    report.add('import', 'import PluginInterfaces / pass', best[0], best[1], 1.3)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--build', default=os.path.join(ROOT, 'build'), help='the build directory')
    parser.add_argument('--quick', action='store_true', help='run every case once on small inputs')
    parser.add_argument('--only', choices=['call', 'container', 'signal', 'import'], action='append',
                        help='run only these items (may be repeated)')
    parser.add_argument('--instructions', nargs=2, metavar=('SIDE', 'CALLS'),
                        help='run one side of the signal case (fire or direct) CALLS times, for callgrind')
    args = parser.parse_args()
    module_dir = setup_paths(args.build)
    only = set(args.only or ['call', 'container', 'signal', 'import'])

    import karven_sim
    karven_sim.start()
    import PluginInterfaces as P
    if args.instructions:
        side, calls = args.instructions
        if side not in SIGNAL_STATEMENTS:
            parser.error('SIDE is fire or direct')
        run_signal_statement(P, side, int(calls))
        return
    import _handmade

    print('Python %s, %s; times in ns per call (per run for containers and import)' % (
        sys.version.split()[0], VERSION))
    print('%-11s %-44s %11s %11s %8s' % ('item', 'case (measured / floor)', 'measured', 'floor', 'ratio'))
    report = Report()
    if 'call' in only:
        bench_calls(report, P, _handmade, args.quick)
    if 'container' in only:
        bench_containers(report, P, args.quick)
    if 'signal' in only:
        bench_signals(report, P, args.quick)
    if 'import' in only:
        bench_import(report, module_dir, args.quick)


if __name__ == '__main__':
    main()
