"""Memory and reference counts stay flat over repeated calls of every wrapper
family, on the success and the error paths; objects freed or dropped while
something still refers to them are refused or kept safe.

Each case of CASES is called many times after a warm-up, and three things
must not grow: the memory Python allocates (tracemalloc), the native heap in
use (the allocator's own count), and the reference counts of the arguments.
A longer loop checks the resident size. Run directly for the figures:

    PYTHONPATH=build/python/py311 KARVEN_TESTHOST=build/libkarven_testhost.so \\
        python3 tests/python/test_leaks.py --long
"""

import ctypes
import gc
import os
import sys
import tracemalloc
import unittest

import support


# ------------------------------------------------------------------ measuring

class _MallInfo2(ctypes.Structure):
    _fields_ = [(name, ctypes.c_size_t) for name in (
        'arena', 'ordblks', 'smblks', 'hblks', 'hblkhd', 'usmblks', 'fsmblks', 'uordblks', 'fordblks', 'keepcost')]


def _native_heap_counter():
    """Bytes of native heap in use: AddressSanitizer's count when its runtime
    is in the process (its quarantine keeps freed memory resident), glibc's
    otherwise."""
    process = ctypes.CDLL(None)
    try:
        asan = process.__sanitizer_get_current_allocated_bytes
    except AttributeError:
        mallinfo2 = process.mallinfo2
        mallinfo2.restype = _MallInfo2

        def in_use():
            info = mallinfo2()
            return info.uordblks + info.hblkhd
        return in_use, False
    asan.restype = ctypes.c_size_t
    return asan, True


native_heap, UNDER_SANITIZER = _native_heap_counter()

if UNDER_SANITIZER:
    _sanitizer_heap_size = ctypes.CDLL(None).__sanitizer_get_heap_size
    _sanitizer_heap_size.restype = ctypes.c_size_t


def resident_kb():
    """The resident size; under AddressSanitizer less the memory its
    allocator has mapped and the shadow of it (an eighth more), which grow
    with its quarantine of freed blocks (the native heap in use is checked
    by its own count)."""
    with open('/proc/self/statm') as statm:
        resident = int(statm.read().split()[1]) * os.sysconf('SC_PAGESIZE') // 1024
    return resident - _sanitizer_heap_size() * 9 // 8 // 1024 if UNDER_SANITIZER else resident


# Loop counts; the sanitized interpreter is several times slower.
SCALE = float(os.environ.get('PI_LEAK_SCALE', '0.25' if UNDER_SANITIZER else '1'))
WARMUP = max(20, int(100 * SCALE))
LOOPS = max(100, int(300 * SCALE))
RSS_LOOPS = max(400, int(2000 * SCALE))

# Growth allowed over a loop: below one lost object per few iterations.
TRACED_BOUND = 4096
NATIVE_BOUND = 8192
RSS_BOUND_KB = 1024


def run(call, args, error, count):
    forget_history = host.lib.testhost_forget_history
    for _ in range(count):
        if error is None:
            call(*args)
        else:
            try:
                call(*args)
            except error:
                pass
            else:
                raise AssertionError('%r did not raise %s' % (call, error.__name__))
        forget_history()


def shared(value):
    """Objects every part of the interpreter refers to: their counts move
    with anything, and no wrapper could free them."""
    return value is None or value is True or value is False or (type(value) is int and -5 <= value <= 256)


def measure(call, args, error, loops=None, rss_loops=None):
    """Returns (tracemalloc bytes, native heap bytes, RSS kB, refcount deltas),
    the growth over the second of two equal loops: what the first one leaves
    behind once (caches, free lists, buffers grown to their working size) is
    not a leak, what each call leaves behind is."""
    loops = loops or LOOPS
    rss_loops = rss_loops or RSS_LOOPS
    run(call, args, error, WARMUP)
    tracemalloc.start()
    run(call, args, error, loops)
    gc.collect()
    traced = tracemalloc.get_traced_memory()[0]
    heap = native_heap()
    counted = [a for a in args if not shared(a)]
    counts = [sys.getrefcount(a) for a in counted]
    run(call, args, error, loops)
    gc.collect()
    traced = tracemalloc.get_traced_memory()[0] - traced
    heap = native_heap() - heap
    refs = [sys.getrefcount(a) for a in counted]
    refs = [after - before for after, before in zip(refs, counts)]
    tracemalloc.stop()
    rss = resident_kb()
    run(call, args, error, rss_loops)
    gc.collect()
    rss = resident_kb() - rss
    return traced, heap, rss, refs


# ---------------------------------------------------------------- the cases

def text(value):
    """A str object of its own (not an interned constant)."""
    return ''.join([value[:1], value[1:]])


def number(value):
    """An int object of its own (not a cached small int)."""
    return int(str(value))


class Receiver:
    """Made a SignalCallback subclass once the module is loaded."""


def setUpModule():
    global P, m, host, fixtures
    host = support.host()
    host.lib.testhost_forget_history.restype = None
    import _PluginInterfaces as m
    import PluginInterfaces as P
    host.reset()
    fixtures = Fixtures()


def tearDownModule():
    fixtures.close()


class Fixtures:
    """Bound clients and their interfaces, kept for the whole module."""

    def __init__(self):
        self.clients = []
        self.signals = self.bind(P.SignalClient, P.cvar.SIGNAL_SERVICE_NAME)
        self.writer = self.bind(P.FileWriterClient, P.cvar.FILE_WRITER_SERVICE_NAME)
        self.locator = self.bind(P.FileLocatorClient, P.cvar.FILE_LOCATOR_SERVICE_NAME)
        self.entities = self.bind(P.EntityGuiClient, P.cvar.DATABROWSER_SERVICE_NAME)
        self.snapshot = self.bind(P.SnapShotClient, P.cvar.SNAPSHOT_SERVICE)
        host.add_file(P.FileLocatorInterface.MODEL, 'tank.ive', '/models/tank.ive')
        host.add_model_texture('tank.ive', 'camo.png')

        class Counting(P.SignalCallback):
            calls = 0

            def callback(self, name, data):
                Counting.calls += 1

        class Failing(P.SignalCallback):
            def callback(self, name, data):
                raise ValueError(name)

        class NoOverride(P.SignalCallback):
            pass

        global Receiver
        Receiver = Counting
        self.failing = Failing()
        self.no_override = NoOverride()
        self.signals.addCallback('leaks.failing', self.failing)

    def bind(self, client_class, name):
        client = client_class()
        assert client.bind(name) == 0, name
        self.clients.append((client, name))
        return client.getInterface()

    def close(self):
        self.signals.removeCallback('leaks.failing', self.failing)
        for client, name in self.clients:
            client.unbind(name)


# Clients, callbacks, vectors and records made and dropped within each call.

def client_lifecycle(name):
    client = P.SignalClient()
    client.bind(name)
    client.isValid()
    client.getInterface()
    client.unbind(name)


def client_dropped_while_bound(name):
    client = P.FileWriterClient()
    client.bind(name)


def callback_round_trip(name, data):
    signals = fixtures.signals
    receiver = Receiver()
    signals.addCallback(name, receiver)
    signals.addGlobalCallback(receiver)
    signals.hasCallbacks(name)
    signals.fireCallbacks(name, data)
    signals.removeGlobalCallback(receiver)
    signals.removeCallback(name, receiver)


def callback_freed_while_registered(name):
    receiver = Receiver()
    fixtures.signals.addCallback(name, receiver)
    fixtures.signals.addGlobalCallback(receiver)
    m.delete_SignalCallback(receiver)


def vector_reads(vector_class, items):
    v = vector_class(items)
    v[1:3]
    v[::-2]
    v[-1]
    list(v)
    tuple(reversed(v))
    len(v)
    v.front(), v.back(), v.size(), v.capacity(), v.get_allocator()


def vector_edits(vector_class, items):
    v = vector_class(items)
    v.append(items[0])
    v.insert(v.begin() + 1, items[1])
    v.insert(v.end(), 2, items[2])
    v.erase(v.begin())
    v.erase(v.begin(), v.begin() + 2)
    v[0] = items[1]
    v.pop()
    v.push_back(items[0])
    v.pop_back()
    v.resize(10, items[0])
    v.assign(3, items[1])
    v.swap(vector_class(items))
    v.clear()


def vector_slices(vector_class, items):
    v = vector_class(items)
    v[1:2] = items
    v[::2] = items[:len(v[::2])]
    del v[::3]
    del v[0]
    v[1:1] = vector_class(items)
    v.__setslice__(0, 1, items)
    v.__delslice__(0, 2)
    v.__getslice__(0, 2)


def iterator_moves(vector_class, items):
    v = vector_class(items)
    it = v.begin()
    it.next()
    it.value()
    it.incr()
    it.decr()
    (it + 1).distance(it)
    it.copy() == it
    it += 1
    it -= 1
    v.end() - v.begin()
    for _ in v.rbegin():
        pass
    for _ in v.iterator():
        pass


def iterator_past_end(vector_class, items):
    it = vector_class(items).end()
    it.value()


def iterator_of_freed_vector(vector_class, items):
    v = vector_class(items)
    it = v.begin()
    m_delete = getattr(m, 'delete_' + vector_class.__name__)
    m_delete(v)
    next(it)


def erase_with_foreign_iterator(vector_class, items):
    vector_class(items).erase(vector_class(items).begin())


def request_info_fields(name):
    info = P.PITerrainRasterSetRequestInfo()
    info.rasterSetName = name
    info.source
    info.activeRequestLimit = 5
    info.noDataValue = 1.5
    info.timeSpecified = True
    info.eExtents
    info.wExtents = info.eExtents


def function_params(name):
    params = P.PIFunctionParams_t()
    other = P.PIFunctionParams_t()
    params.strMap = other.strMap
    params.intMap = other.intMap
    params.dblMap = other.dblMap
    params.ptrMap = other.ptrMap
    params.size()
    params.clear()
    P.PIClientFuncAndData_t(None, None).funcPointer
    token = P.PITerrainRasterSetParseToken()
    token.tokenName = name
    token.tokenName
    request = P.PITerrainRasterNodeRequest()
    request.threadIndex = -32768
    request.buffer


def extents_of_dropped_record(target):
    target.wExtents = P.PITerrainRasterSetRequestInfo().sExtents


def extents_of_freed_record(target):
    info = P.PITerrainRasterSetRequestInfo()
    extents = info.sExtents
    m.delete_PITerrainRasterSetRequestInfo(info)
    target.wExtents = extents


def freed_object(make, method):
    def call():
        thing = make()
        getattr(m, 'delete_' + type(thing).__name__)(thing)
        getattr(thing, method)()
    return call


def cases():
    """(family, case, error class or None, callable, arguments)."""
    f = fixtures
    ids = [number(2**40 + i) for i in range(4)]
    names = [text('alpha'), text('beta'), text('gamma'), text('delta')]
    info = P.PITerrainRasterSetRequestInfo()
    data = P.SignalData()
    table = [
        ('flat', 'colours pack', None, m.PIRGBA, (number(300), number(2**20), number(-700), number(4000))),
        ('flat', 'colours unpack', None, m.PIBLUEVAL, (number(0x01020304),)),
        ('flat', 'wrong type', TypeError, m.PIRGB, (number(300), text('xx'), number(400))),
        ('flat', 'out of range', OverflowError, m.PIREDVAL, (number(-2**40),)),
        ('flat', 'argument count', TypeError, m.PIRGBA, (number(300),) * 5),
        ('flat', 'debug switch, wrong type', TypeError, m.__setDebugIgnore, (text('no'),)),

        ('services', 'client bind, unbind', None, client_lifecycle, (P.cvar.SIGNAL_SERVICE_NAME,)),
        ('services', 'client dropped while bound', None, client_dropped_while_bound,
         (P.cvar.FILE_WRITER_SERVICE_NAME,)),
        ('services', 'file locator service', None, lambda: P.FileLocatorService().getInterface(), ()),
        ('services', 'writer string field', None,
         lambda s: (f.writer.setFileName(s), f.writer.fileName()), (text('scenario.asi'),)),
        ('services', 'writer owned time format', None, lambda: f.writer.setTimeFormat(f.writer.timeFormat()), ()),
        ('services', 'writer write', None, f.writer.write, (P.FileWriterInterface.ZIP,)),
        ('services', 'locate', None, f.locator.locate, (P.FileLocatorInterface.MODEL, text('tank.ive'))),
        ('services', 'texture tuple', None, f.locator.getModelTextures, (text('tank.ive'),)),
        ('services', 'ids from a list', None, f.entities.selectIds, (ids,)),
        ('services', 'ids from a vector', None, f.entities.showGuiAndSelect, (P.UniqueIDVector(ids),)),
        ('services', 'snapshot', None, f.snapshot.setPlotTabActive, (text('plot'), True)),
        ('services', 'dynamic cast', None, P.SignalInterface.dynamic_cast, (f.signals,)),
        ('services', 'wrong string type', TypeError, f.writer.setFileName, (number(12345),)),
        ('services', 'wrong item type', TypeError, f.entities.selectIds, ([text('id'), ids[0]],)),
        ('services', 'negative id', TypeError, f.entities.selectIds, ([number(-5000)],)),
        ('services', 'None as the object', TypeError, m.FileWriterInterface_fileName, (None,)),
        ('services', 'freed client', TypeError, freed_object(P.SignalClient, 'isValid'), ()),

        ('signals', 'register, fire, remove', None, callback_round_trip, (text('leaks.x'), data)),
        ('signals', 'fire with no payload', None, f.signals.fireCallbacks, (text('leaks.none'), None)),
        ('signals', 'callback raises', ValueError, f.signals.fireCallbacks, (text('leaks.failing'), data)),
        ('signals', 'base method', RuntimeError, m.SignalCallback_callback, (f.no_override, text('zz'), data)),
        ('signals', 'wrong callback type', TypeError, f.signals.addCallback, (text('leaks.x'), text('cb'))),
        ('signals', 'abstract base', RuntimeError, P.SignalCallback, ()),
        ('signals', 'freed while registered', None, callback_freed_while_registered, (text('leaks.y'),)),
    ]
    for vector_class, items in ((P.StringVector, names), (P.UniqueIDVector, ids)):
        family = 'sequences ' + vector_class.__name__
        wrong = [number(7000)] if vector_class is P.StringVector else [text('seven')]
        table += [
            (family, 'construct, read, slice', None, vector_reads, (vector_class, items)),
            (family, 'edit through iterators', None, vector_edits, (vector_class, items)),
            (family, 'slice assignment and deletion', None, vector_slices, (vector_class, items)),
            (family, 'iterator moves', None, iterator_moves, (vector_class, items)),
            (family, 'index out of range', IndexError, lambda v: v[100], (vector_class(items),)),
            (family, 'zero step', ValueError, lambda v: v[::0], (vector_class(items),)),
            (family, 'extended slice size', ValueError, lambda v, i: v.__setitem__(slice(None, None, 2), i),
             (vector_class(items), items)),
            (family, 'wrong item type', TypeError, lambda v, i: v.append(i[0]), (vector_class(items), wrong)),
            (family, 'wrong items', TypeError, vector_class, (wrong,)),
            (family, 'pop from empty', IndexError, lambda v: v.pop(), (vector_class(),)),
            (family, 'iterator past the end', StopIteration, iterator_past_end, (vector_class, items)),
            (family, 'iterator of a freed vector', StopIteration, iterator_of_freed_vector, (vector_class, items)),
            (family, 'foreign iterator', TypeError, erase_with_foreign_iterator, (vector_class, items)),
            (family, 'freed vector', TypeError, freed_object(lambda: vector_class(items), 'size'), ()),
        ]
    table += [
        ('records', 'request info fields', None, request_info_fields, (text('set'),)),
        ('records', 'maps, tokens, requests', None, function_params, (text('token'),)),
        ('records', 'extents of a dropped record', None, extents_of_dropped_record, (info,)),
        ('records', 'int16 out of range', OverflowError, setattr,
         (P.PITerrainRasterNodeRequest(), text('threadIndex'), number(40000))),
        ('records', 'float out of range', OverflowError, setattr, (info, text('noDataValue'), 1e39)),
        ('records', 'string field, wrong type', TypeError, setattr, (info, text('source'), number(5000))),
        ('records', 'extents from None', ValueError, setattr, (info, text('wExtents'), None)),
        ('records', 'map from None', ValueError, m.PIFunctionParams_t_strMap_set, (P.PIFunctionParams_t(), None)),
        ('records', 'getter of None', TypeError, m.PITerrainRasterSetRequestInfo_wExtents_get, (None,)),
        ('records', 'extents of a freed record', ValueError, extents_of_freed_record, (info,)),
        ('records', 'freed record', TypeError, freed_object(P.PIFunctionParams_t, 'size'), ()),
        ('records', 'client function, wrong data', TypeError, P.PIClientFuncAndData_t, (None, number(3000))),
    ]
    return table


class Leaks(unittest.TestCase):

    def test_every_family_keeps_memory_and_reference_counts_flat(self):
        for family, case, error, call, args in cases():
            with self.subTest(family=family, case=case):
                traced, heap, rss, refs = measure(call, args, error)
                if traced >= TRACED_BOUND or heap >= NATIVE_BOUND or rss >= RSS_BOUND_KB:
                    # A one-off (a dict resized, an arena mapped) falls in one
                    # pass only; a leak grows again in the next.
                    traced, heap, rss, refs = measure(call, args, error)
                self.assertLess(traced, TRACED_BOUND, 'Python memory grew by %d bytes' % traced)
                self.assertLess(heap, NATIVE_BOUND, 'native heap grew by %d bytes' % heap)
                self.assertLess(rss, RSS_BOUND_KB, 'resident size grew by %d kB' % rss)
                self.assertEqual(refs, [0] * len(refs), 'reference counts of the arguments changed')

    def test_the_measurement_sees_a_leak(self):
        kept = []
        traced, heap, _, refs = measure(lambda item: kept.append([item]), (text('kept'),), None)
        self.assertGreater(traced, TRACED_BOUND)
        self.assertEqual(refs, [LOOPS])
        native = []
        traced, heap, _, _ = measure(lambda: native.append(P.StringVector(50, 'x' * 40)), (), None)
        self.assertGreater(heap, NATIVE_BOUND)


# ------------------------------------------------- use after free, dangling

def extents_values(pointer):
    return list((ctypes.c_uint64 * 4).from_address(int(pointer)))


class RecordPointers(unittest.TestCase):

    def test_a_pointer_into_a_dropped_record_keeps_the_record_alive(self):
        source = P.PITerrainRasterSetRequestInfo()
        extents = source.sExtents
        (ctypes.c_uint64 * 4).from_address(int(extents))[:] = [1, 2, 3, 4]
        params = P.PIFunctionParams_t()
        string_map = params.strMap
        del source, params
        gc.collect()
        copy = P.PITerrainRasterSetRequestInfo()
        copy.eeExtents = extents
        self.assertEqual(extents_values(copy.eeExtents), [1, 2, 3, 4])
        self.assertEqual(extents_values(copy.wExtents), [0, 2**32, 0, 2**32])
        P.PIFunctionParams_t().strMap = string_map
        self.assertEqual(type(extents).__name__, 'SwigPyObject')
        self.assertFalse(extents.own())

    def test_a_pointer_into_a_freed_record_reads_as_null(self):
        info = P.PITerrainRasterSetRequestInfo()
        params = P.PIFunctionParams_t()
        extents, int_map = info.wwExtents, params.intMap
        m.delete_PITerrainRasterSetRequestInfo(info)
        m.delete_PIFunctionParams_t(params)
        support.assert_each_raises(self, [
            (lambda: setattr(P.PITerrainRasterSetRequestInfo(), 'wwExtents', extents), ValueError,
             "invalid null reference in variable 'wwExtents' of type 'uint64_t [4]'"),
            (lambda: setattr(P.PIFunctionParams_t(), 'intMap', int_map), ValueError,
             "invalid null reference in method 'PIFunctionParams_t_intMap_set', argument 2 of type "
             "'PIFunctionParamsIntMap_t *'"),
        ])


class DanglingRegistrations(unittest.TestCase):

    def setUp(self):
        self.received = []
        received = self.received

        class Recorder(P.SignalCallback):
            def callback(self, name, data):
                received.append(name)
        self.Recorder = Recorder

    def test_a_registration_takes_no_reference(self):
        signals = fixtures.signals
        recorder = self.Recorder()
        before = sys.getrefcount(recorder)
        self.assertEqual(signals.addCallback('dangling.a', recorder), 0)
        self.assertEqual(signals.addGlobalCallback(recorder), 0)
        self.assertEqual(signals.addCallback('dangling.a', recorder), 1, 'refused')
        self.assertEqual(sys.getrefcount(recorder), before)
        self.assertEqual(signals.removeCallback('dangling.a', recorder), 0)
        self.assertEqual(signals.removeCallback('dangling.a', recorder), 1)
        self.assertEqual(signals.removeGlobalCallback(recorder), 0)
        self.assertEqual(sys.getrefcount(recorder), before)

    def test_a_callback_dropped_while_registered_is_removed_before_it_is_freed(self):
        signals = fixtures.signals
        signals.addCallback('dangling.b', self.Recorder())
        signals.addGlobalCallback(self.Recorder())
        gc.collect()
        self.assertFalse(signals.hasCallbacks('dangling.b'))
        self.assertEqual(signals.fireCallbacks('dangling.b', P.SignalData()), 0)
        self.assertEqual(signals.fireCallbacks('dangling.b', None), 0)
        self.assertEqual(self.received, [])

    def test_a_callback_freed_while_registered_is_removed_first(self):
        signals = fixtures.signals
        recorder = self.Recorder()
        signals.addCallback('dangling.c', recorder)
        signals.addGlobalCallback(recorder)
        before = sys.getrefcount(recorder)
        m.delete_SignalCallback(recorder)
        self.assertEqual(sys.getrefcount(recorder), before)
        self.assertFalse(signals.hasCallbacks('dangling.c'))
        self.assertEqual(signals.fireCallbacks('dangling.c', None), 0)
        self.assertEqual(self.received, [])
        with self.assertRaisesRegex(TypeError, "argument 3 of type 'PluginClient::Interfaces::SignalCallback \\*'"):
            signals.removeCallback('dangling.c', recorder)  # a freed callback is no callback

    def test_a_client_dropped_while_bound_is_unbound_before_the_host_could_use_it(self):
        name = 'leaks.locator'
        host.publish_as(P.cvar.FILE_LOCATOR_SERVICE_NAME, name)
        client = P.FileLocatorClient()
        client.bind(name)
        address = int(client.this)
        self.assertTrue(client.isValid())
        del client
        gc.collect()
        unbind = host.requests(322)[-1]['block']
        self.assertEqual((unbind['ints'][0], unbind['strs'], unbind['ptrs']), (1, [name], [address]))
        host.withdraw(name)  # disconnects every client still bound: none is freed

    def test_an_iterator_keeps_its_vector_and_refuses_a_freed_one(self):
        it = P.StringVector(['a', 'b']).begin()
        gc.collect()
        self.assertEqual(list(it), ['a', 'b'])
        vector = P.UniqueIDVector([5, 6])
        forward, backward = vector.begin(), vector.rbegin()
        m.delete_UniqueIDVector(vector)
        for iterator in (forward, backward):
            with self.assertRaises(StopIteration):
                iterator.value()
            with self.assertRaises(StopIteration):
                next(iterator)


class SimulatedHost(unittest.TestCase):

    def test_dropped_and_freed_callbacks_when_the_host_fires(self):
        finished = support.run_without_host('''
            import gc, karven_sim
            host = karven_sim.start()
            import _PluginInterfaces as m
            import PluginInterfaces as P
            received = []
            class Recorder(P.SignalCallback):
                def callback(self, name, data):
                    received.append(name)
            client = P.SignalClient()
            client.bind(P.cvar.SIGNAL_SERVICE_NAME)
            signals = client.getInterface()
            signals.addCallback('dropped', Recorder())
            freed = Recorder()
            signals.addGlobalCallback(freed)
            m.delete_SignalCallback(freed)
            del freed
            gc.collect()
            print(host.fire_signal('dropped'), host.fire_signal('other'), received)
            client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        ''')
        self.assertEqual(finished.returncode, 0, finished.stderr)
        self.assertEqual(finished.stdout.splitlines()[-1], "0 0 []")


# ------------------------------------------------------------ the figures

def report(scale):
    global LOOPS, RSS_LOOPS
    LOOPS, RSS_LOOPS = int(LOOPS * scale), int(RSS_LOOPS * scale)
    setUpModule()
    print('Python %s, %s, warm-up %d, loops %d (RSS %d)' % (
        sys.version.split()[0], 'sanitized' if UNDER_SANITIZER else 'plain', WARMUP, LOOPS, RSS_LOOPS))
    print('%-22s %-34s %10s %10s %8s %s' % ('family', 'case', 'traced B', 'native B', 'RSS kB', 'refs'))
    worst = {}
    for family, case, error, call, args in cases():
        traced, heap, rss, refs = measure(call, args, error)
        print('%-22s %-34s %10d %10d %8d %s' % (family, case, traced, heap, rss, refs))
        w = worst.setdefault(family, [0, 0, 0, 0])
        w[0], w[1], w[2] = max(w[0], traced), max(w[1], heap), max(w[2], rss)
        w[3] = max(w[3], max([abs(r) for r in refs] or [0]))
    print('\nworst per family (traced B, native B, RSS kB, |refcount delta|)')
    for family, w in worst.items():
        print('%-22s %s' % (family, w))
    tearDownModule()


if __name__ == '__main__':
    if '--long' in sys.argv:
        sys.argv.remove('--long')
        report(10)
    else:
        unittest.main()
