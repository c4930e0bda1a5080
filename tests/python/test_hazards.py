"""What a script can build or do in the wrong order, grouped by kind of
hazard: object graphs, stale pointers, host teardown, unload. Each case must
end in a clear Python exception or a defined result, never in a crash; the
sanitizer run of the suite sees any freed memory that is touched."""

import ctypes
import gc
import unittest

import support
from support import argument_error as arg


def setUpModule():
    global P, m, host
    host = support.host()
    import _PluginInterfaces as m
    import PluginInterfaces as P


def churn():
    """Reuses freed memory, so that a read of it gives garbage."""
    junk = [bytearray(64) for _ in range(20000)]
    del junk
    gc.collect()


def recorder_class(received):
    class Recorder(P.SignalCallback):
        def callback(self, name, data):
            received.append(name)
    return Recorder


class ObjectGraphs(unittest.TestCase):
    """Pointer objects chained behind one another, cycles, impostors."""

    def test_a_chain_is_read_through_the_member_of_the_right_type(self):
        ids = P.UniqueIDVector([0x4141414141414141] * 8)
        ids.this.append(P.StringVector(['a']).this)
        for read in (lambda: next(m.StringVector_iterator(ids)), lambda: m.StringVector_begin(ids).value(),
                     lambda: m.StringVector___getitem__(ids, 0), lambda: list(m.StringVector_iterator(ids))[0]):
            with self.subTest(read=read):
                self.assertEqual(read(), 'a')
        self.assertEqual(m.UniqueIDVector_size(ids), 8)

    def test_a_pointer_into_a_freed_record_taken_through_a_chain_is_refused(self):
        info = P.PITerrainRasterSetRequestInfo()
        info.this.append(P.PIFunctionParams_t().this)
        params = P.PIFunctionParams_t()
        record = P.PITerrainRasterSetRequestInfo()
        record.this.append(params.this)
        extents, string_map = m.PITerrainRasterSetRequestInfo_wExtents_get(record), params.strMap
        m.delete_PITerrainRasterSetRequestInfo(record)
        m.delete_PIFunctionParams_t(params)
        churn()
        with self.assertRaisesRegex(ValueError, "invalid null reference in variable 'eExtents'"):
            info.eExtents = extents
        with self.assertRaisesRegex(ValueError, 'invalid null reference'):
            P.PIFunctionParams_t().strMap = string_map

    def test_chains_cannot_loop_or_merge(self):
        v = P.StringVector(['a'])
        other = P.StringVector(['b'])
        with_chain = P.StringVector(['c'])
        with_chain.this.append(P.StringVector().this)
        cases = [
            (lambda: v.this.append(v.this), ValueError, "Attempt to append a 'this' object that is in the chain already"),
            (lambda: v.this.append(with_chain.this), ValueError,
             "Attempt to append a 'this' object that has a chain of its own"),
            (lambda: v.this.append(1), TypeError, 'Attempt to append a non SwigPyObject'),
        ]
        support.assert_each_raises(self, cases)
        v.this.append(other.this)
        with self.assertRaises(ValueError):
            v.this.append(other.this)
        self.assertEqual((m.StringVector_size(v), list(v)), (1, ['a']))

    def test_impostors_are_refused(self):
        class SwigPyObject:
            pass

        impostor = SwigPyObject()
        holder = type('Holder', (), {})()
        holder.this = impostor
        for call in (lambda: m.StringVector_size(impostor), lambda: m.StringVector_size(holder),
                     lambda: m.SignalClient_isValid(impostor), lambda: P.StringVector().this.append(impostor)):
            with self.subTest(call=call):
                self.assertRaises(TypeError, call)

        class StringVector:
            __swig_destroy__ = m.delete_UniqueIDVector

        for klass in (StringVector, type('StringVector', (), {}), type('Other', (P.StringVector,), {})):
            with self.subTest(klass=klass):
                with self.assertRaises(TypeError):
                    m.StringVector_swigregister(klass)
        self.assertIs(type(P.StringVector(['x'])[0:1]), P.StringVector, 'still made by the real class')


class StalePointers(unittest.TestCase):
    """Objects and pointer objects kept after what they refer to went."""

    def test_a_pointer_into_a_dropped_record_keeps_the_record_alive(self):
        source, params = P.PITerrainRasterSetRequestInfo(), P.PIFunctionParams_t()
        extents, string_map = source.sExtents, params.strMap
        (ctypes.c_uint64 * 4).from_address(int(extents))[:] = [1, 2, 3, 4]
        del source, params
        churn()
        copy = P.PITerrainRasterSetRequestInfo()
        copy.eeExtents = extents
        self.assertEqual(list((ctypes.c_uint64 * 4).from_address(int(copy.eeExtents))), [1, 2, 3, 4])
        P.PIFunctionParams_t().strMap = string_map
        self.assertEqual((type(extents).__name__, extents.own()), ('SwigPyObject', False))

    def test_a_callback_pointer_kept_after_its_python_object_is_refused(self):
        received = []
        Recorder = recorder_class(received)
        client = P.SignalClient()
        client.bind(P.cvar.SIGNAL_SERVICE_NAME)
        signals = client.getInterface()
        kept = Recorder().this
        churn()
        callback_type = 'PluginClient::Interfaces::SignalCallback *'
        support.assert_each_raises(self, [
            (lambda: m.SignalCallback_callback(kept, 'x', None), TypeError, arg('SignalCallback_callback', 1,
                                                                                callback_type)),
            (lambda: signals.addCallback('x', kept), TypeError, arg('SignalInterface_addCallback', 3, callback_type)),
        ])
        # Registered, then its Python object goes: the host loses it first.
        signals.addCallback('x', Recorder())
        churn()
        self.assertEqual((signals.hasCallbacks('x'), signals.fireCallbacks('x', None), received), (False, 0, []))
        client.unbind(P.cvar.SIGNAL_SERVICE_NAME)

    def test_a_director_lives_exactly_as_long_as_its_python_object(self):
        received = []
        Recorder = recorder_class(received)
        kept = Recorder()
        pointer = kept.this
        m.SignalCallback_callback(pointer, 'alive', None)
        disowned = Recorder()
        disowned.__disown__()
        m.SignalCallback_callback(disowned.this, 'disowned', None)
        del kept, disowned
        churn()
        with self.assertRaises(TypeError):
            m.SignalCallback_callback(pointer, 'gone', None)
        self.assertEqual(received, ['alive', 'disowned'])
        with self.assertRaises(TypeError):
            m.new_SignalCallback(3)  # cannot be watched: refused, not kept dangling

    def test_objects_of_an_iterator_freed_explicitly_are_refused(self):
        v = P.UniqueIDVector([1, 2, 3])
        it = v.rbegin()
        alias, before = it.incr(), it
        it += 1
        m.delete_SwigPyIterator(it)
        churn()
        for call in (alias.value, before.value, lambda: next(before), lambda: v.begin().distance(alias),
                     lambda: v.erase(before)):
            with self.subTest(call=call):
                self.assertRaises(TypeError, call)
        disowned = v.begin()
        disowned.thisown = False  # its iterator has no owner left: it is never used again
        self.assertRaises(TypeError, disowned.value)


class HostTeardown(unittest.TestCase):
    """A host that ends connections or frees its services while the script
    still holds objects it made through them."""

    def setUp(self):
        host.reset()
        self.received = []
        self.Recorder = recorder_class(self.received)

    def connected(self):
        client = P.SignalClient()
        self.assertEqual(client.bind(P.cvar.SIGNAL_SERVICE_NAME), 0)
        return client, client.getInterface()

    def test_a_callback_outlives_the_interface_it_was_registered_with(self):
        for end in ('unbind', 'host disconnects', 'client deleted'):
            with self.subTest(end=end):
                client, signals = self.connected()
                named, everything = self.Recorder(), self.Recorder()
                signals.addCallback('x', named)
                signals.addGlobalCallback(everything)
                if end == 'unbind':
                    client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
                elif end == 'host disconnects':
                    host.disconnect(client)
                else:
                    del client
                    gc.collect()
                host.reset()  # the host frees its services
                churn()
                del named, everything
                churn()
                self.assertEqual(self.received, [])

    def test_ending_the_last_connection_removes_what_was_registered_through_it(self):
        first, signals = self.connected()
        second, same = self.connected()
        self.assertEqual(int(signals.this), int(same.this))
        callback = self.Recorder()
        signals.addCallback('x', callback)
        first.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        self.assertEqual(same.fireCallbacks('x', None), 1, 'still held by the second client')
        second.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        third, again = self.connected()
        self.assertEqual((again.hasCallbacks('x'), again.fireCallbacks('x', None)), (False, 0))
        self.assertEqual(self.received, ['x'])
        third.unbind(P.cvar.SIGNAL_SERVICE_NAME)

    def test_a_borrowed_interface_is_refused_once_its_connection_ended(self):
        for end in ('unbind', 'host resets', 'client deleted'):
            with self.subTest(end=end):
                client, signals = self.connected()
                writer = P.FileWriterClient()
                writer.bind(P.cvar.FILE_WRITER_SERVICE_NAME)
                files = writer.getInterface()
                self.assertIsNone(P.SignalInterface.dynamic_cast(files))
                self.assertEqual(int(P.SignalInterface.dynamic_cast(signals).this), int(signals.this))
                if end == 'unbind':
                    client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
                    writer.unbind(P.cvar.FILE_WRITER_SERVICE_NAME)
                elif end == 'host resets':
                    host.reset()
                else:
                    del client, writer
                    gc.collect()
                churn()
                for call in (lambda: signals.fireCallbacks('x', None), lambda: files.fileName(),
                             lambda: P.SignalInterface.dynamic_cast(signals),
                             lambda: P.SignalClient().onServiceConnected(files)):
                    with self.subTest(call=call):
                        self.assertRaises(TypeError, call)
                host.reset()


class Unload(unittest.TestCase):
    """The simulated host fires at callbacks that went; the interpreter exits
    while the script still holds everything."""

    def test_the_simulated_host_fires_at_dropped_and_freed_callbacks(self):
        finished = support.run('''
            import gc
            import _PluginInterfaces as m, PluginInterfaces as P
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
        ''', 'sim')
        self.assertEqual((finished.returncode, finished.stdout.splitlines()[-1:]), (0, ['0 0 []']), finished.stderr)

    def test_exit_with_bound_clients_and_registered_callbacks(self):
        done = support.run('''
            import PluginInterfaces as P
            class Recorder(P.SignalCallback):
                def callback(self, name, data):
                    pass
            client = P.SignalClient()
            client.bind(P.cvar.SIGNAL_SERVICE_NAME)
            signals = client.getInterface()
            callbacks = [Recorder() for _ in range(3)]
            for callback in callbacks:
                signals.addCallback('x', callback)
            kept = Recorder().this
            it = P.StringVector(['a']).begin()
            it += 1
            print('exiting')
        ''', 'test')
        self.assertEqual((done.returncode, done.stdout, done.stderr), (0, 'exiting\n', ''))


if __name__ == '__main__':
    unittest.main()
