"""Calls every flat function of _PluginInterfaces with hostile arguments in
random order for a fixed seed, and between calls makes the pool's object
graph hostile too (chained pointer objects, a `this` kept after its proxy
went, a reset host, debug/ignore mode). Every failure must be a Python
exception: a crash ends the process. Prints one line of counts.

    python fuzz.py [--seed N] [--calls N] [--host] [--log]
"""

import argparse
import collections
import ctypes
import os
import random
import sys

HOSTILE_INTS = [0, 1, 2, 3, -1, -2, 7, 255, 2**31 - 1, -2**31, -2**31 - 1, 2**32, 2**40, 2**63 - 1, 2**63,
                -2**63, -2**63 - 1, 2**64 - 1, 2**64, -2**64, 10**30, True, False]
HOSTILE_OTHERS = [None, 0.0, -0.5, 1e39, -1e39, float('nan'), float('inf'), float('-inf'), '', 'a', 'x' * 1000,
                  '\ud800', 'a\0b', '\U0001f30d', b'bytes', bytearray(b'x'), [], [1, 2], ['a', 'b'], [[['a']]],
                  ('a', 1), {'a': 1}, {1, 2}, object(), type, int, range(3), iter([1, 2]), lambda: None,
                  slice(None), slice(1, 2), slice(None, None, -1), slice(0, 10**20, 3), slice(None, None, 0),
                  slice('a', 'b'), slice(1.5, None), slice(-10**30, 10**30, -7)]


class SwigPyObject:
    """An impostor under the pointer object type's name."""


class Pool:
    """The argument values, refreshed as calls create and free objects."""

    def __init__(self, module, proxies, rng):
        self.m, self.P, self.rng = module, proxies, rng
        self.values = HOSTILE_INTS + HOSTILE_OTHERS + [SwigPyObject()]
        self.objects = []
        self.refresh()

    def refresh(self):
        """New instances of every class, and iterators of every kind."""
        P = self.P
        made = [P.StringVector(['a', 'b', 'c']), P.UniqueIDVector([1, 2, 2**64 - 1])] + [make() for make in (
            P.StringVector, P.UniqueIDVector, P.PITerrainRasterNodeRequest, P.PITerrainRasterSetParseToken,
            P.PITerrainRasterSetRequestInfo, P.PIFunctionParams_t, P.PIClientFuncAndData_t, P.SignalData,
            P.SignalClient, P.EntityGuiClient, P.FileLocatorClient, P.FileWriterClient, P.SnapShotClient,
            P.FileLocatorService)]
        vector = made[0]
        made += [vector.iterator(), vector.begin(), vector.end(), vector.rbegin(), vector.rend(),
                 made[1].begin(), made[1].rbegin(), made[6].wExtents, made[7].strMap, made[7].ptrMap,
                 vector.get_allocator(), vector.this, made[10].this]
        made.append(type('Callback', (P.SignalCallback,), {'callback': lambda self, name, data: None})())
        for client in made[10:15]:
            for name in (P.cvar.SIGNAL_SERVICE_NAME, P.cvar.FILE_WRITER_SERVICE_NAME,
                         P.cvar.FILE_LOCATOR_SERVICE_NAME, P.cvar.SNAPSHOT_SERVICE, P.cvar.DATABROWSER_SERVICE_NAME):
                if client.bind(name) == 0:
                    interface = client.getInterface()
                    if interface is not None:
                        made.append(interface)
                    break
        self.objects = (self.objects + made)[-200:]

    def value(self):
        source = self.objects if self.objects and self.rng.random() < 0.5 else self.values
        return self.rng.choice(source)

    def arguments(self, function_name):
        """Mostly an object of the function's own class first (so that calls
        get past the first conversion), then anything."""
        count = self.rng.choice([0, 1, 1, 2, 2, 2, 3, 3, 4])
        arguments = [self.value() for _ in range(count)]
        owner = function_name.split('_', 1)[1] if function_name.startswith(('new_', 'delete_')) else function_name
        candidates = [o for o in self.objects if owner.startswith(type(o).__name__ + '_') or owner == type(o).__name__]
        if arguments and candidates and self.rng.random() < 0.85:
            arguments[0] = self.rng.choice(candidates)
        return arguments


def rearrange(pool, rng, host):
    """One hostile change to the object graph; refusals are expected."""
    pointers = [o.this if hasattr(o, 'this') else o for o in pool.objects
                if type(getattr(o, 'this', o)).__name__ == 'SwigPyObject']
    action = rng.randrange(6)
    try:
        if action == 0 and len(pointers) > 1:
            rng.choice(pointers).append(rng.choice(pointers))  # a chain, perhaps a loop
        elif action == 1 and pointers:
            pointer = rng.choice(pointers)
            pointer.append(pointer)
        elif action == 2:
            made = pool.objects.pop(rng.randrange(len(pool.objects))) if pool.objects else None
            if hasattr(made, 'this'):
                pool.objects.append(made.this)  # the proxy goes, its pointer object stays
        elif action == 3 and host is not None and rng.random() < 0.2:
            host.testhost_reset()  # clients, interfaces and callbacks outlive the host's services
            host.testhost_serve()
        elif action == 4 and rng.random() < 0.05:
            pool.m.__setDebugIgnore(True)
        elif action == 5 and pool.objects:
            del pool.objects[:rng.randrange(len(pool.objects) // 4 + 1)]
    except Exception:
        pass


def fuzz(seed, calls, with_host, log=None):
    host = None
    if with_host:
        host = ctypes.CDLL(os.environ['KARVEN_TESTHOST'], mode=ctypes.RTLD_GLOBAL)
        host.testhost_reset()
        host.testhost_serve()
    import _PluginInterfaces as m
    import PluginInterfaces as P
    rng = random.Random(seed)
    pool = Pool(m, P, rng)
    names = sorted(name for name, value in vars(m).items() if type(value).__name__ == 'builtin_function_or_method')
    outcomes = collections.Counter()
    for index in range(calls):
        name = rng.choice(names)
        arguments = pool.arguments(name)
        if log:
            log.write('%d %s(%s)\n' % (index, name, ', '.join(repr(a)[:60] for a in arguments)))
            log.flush()
        try:
            result = getattr(m, name)(*arguments)
            outcomes['returned'] += 1
            if result is not None and rng.random() < 0.3:
                pool.objects.append(result)
        except Exception as error:  # every failure must be an ordinary exception
            outcomes[type(error).__name__] += 1
        if rng.random() < 0.05:
            rearrange(pool, rng, host)
        if index % 500 == 499:
            pool.refresh()
    return len(names), outcomes


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--seed', type=int, default=1)
    parser.add_argument('--calls', type=int, default=20000)
    parser.add_argument('--host', action='store_true', help='load and serve the recording test host first')
    parser.add_argument('--log', action='store_true', help='print each call before making it (to find a crash)')
    options = parser.parse_args()
    function_count, outcomes = fuzz(options.seed, options.calls, options.host, sys.stdout if options.log else None)
    print('fuzzed %d calls over %d functions (seed %d, %s): %s' % (
        options.calls, function_count, options.seed, 'host' if options.host else 'no host',
        ' '.join('%s=%d' % item for item in sorted(outcomes.items()))), flush=True)


if __name__ == '__main__':
    main()
