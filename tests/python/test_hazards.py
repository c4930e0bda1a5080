"""What a script can build or do in the wrong order: object graphs, stale
pointers, host teardown, unload. Each case ends in a Python exception or a
defined result; the sanitizer run sees any freed memory that is touched."""

import ctypes
import gc
import unittest

import support
from support import argument_error as arg


host = support.host()
import _PluginInterfaces as m  # noqa: E402
import PluginInterfaces as P  # noqa: E402

def churn():
    """Reuses freed memory, so that a read of it gives garbage."""
    junk = [bytearray(64) for _ in range(20000)]
    del junk
    gc.collect()


SIGNALS = P.SignalClient, P.cvar.SIGNAL_SERVICE_NAME


def recorder_class(received):
    return lambda: support.callback(lambda name, data: received.append(name))


class ObjectGraphs(unittest.TestCase):
    def test_a_chain_is_read_through_the_member_of_the_right_type(self):
        ids = P.UniqueIDVector([0x4141414141414141] * 8)
        ids.this.append(P.StringVector(['a']).this)
        self.assertEqual([next(m.StringVector_iterator(ids)), m.StringVector_begin(ids).value(),
                          m.StringVector___getitem__(ids, 0), m.UniqueIDVector_size(ids)], ['a', 'a', 'a', 8])

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
        v, other, with_chain = P.StringVector(['a']), P.StringVector(['b']), P.StringVector(['c'])
        with_chain.this.append(P.StringVector().this)
        support.assert_each_raises(self, [
            (lambda: v.this.append(v.this), ValueError, "Attempt to append a 'this' object that is in the chain already"),
            (lambda: v.this.append(with_chain.this), ValueError,
             "Attempt to append a 'this' object that has a chain of its own"),
            (lambda: v.this.append(1), TypeError, 'Attempt to append a non SwigPyObject'),
        ])
        v.this.append(other.this)
        self.assertRaises(ValueError, v.this.append, other.this)
        self.assertEqual((m.StringVector_size(v), list(v)), (1, ['a']))

    def test_impostors_are_refused(self):
        # an impostor as an argument: test_services' pointer lookup
        impostors = (type('StringVector', (), {'__swig_destroy__': m.delete_UniqueIDVector}),
                     type('StringVector', (), {}))
        for call in [lambda: P.StringVector().this.append(type('SwigPyObject', (), {})())] + [
                (lambda klass=klass: m.StringVector_swigregister(klass))
                for klass in impostors + (type('Other', (P.StringVector,), {}),)]:
            with self.subTest(call=call):
                self.assertRaises(TypeError, call)
        self.assertIs(type(P.StringVector(['x'])[0:1]), P.StringVector, 'still made by the real class')


class StalePointers(unittest.TestCase):
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

    def test_a_director_lives_exactly_as_long_as_its_python_object(self):
        received = []
        Recorder = recorder_class(received)
        client, signals = support.bind(*SIGNALS)
        kept, disowned = Recorder(), Recorder()
        pointer = kept.this
        m.SignalCallback_callback(pointer, 'alive', None)
        disowned.__disown__()
        m.SignalCallback_callback(disowned.this, 'disowned', None)
        del kept, disowned
        churn()
        callback_type = 'PluginClient::Interfaces::SignalCallback *'
        support.assert_each_raises(self, [
            (lambda: m.SignalCallback_callback(pointer, 'gone', None), TypeError,
             arg('SignalCallback_callback', 1, callback_type)),
            (lambda: signals.addCallback('x', pointer), TypeError, arg('SignalInterface_addCallback', 3, callback_type)),
            (lambda: m.new_SignalCallback(3), TypeError, "cannot create weak reference to 'int' object"),
        ])  # the last cannot be watched: refused, not kept dangling
        self.assertEqual(received, ['alive', 'disowned'])
        # Registered, then its Python object goes: the host loses it first.
        signals.addCallback('x', Recorder())
        churn()
        self.assertEqual((signals.hasCallbacks('x'), signals.fireCallbacks('x', None), received[2:]), (False, 0, []))
        client.unbind(P.cvar.SIGNAL_SERVICE_NAME)

    def test_objects_of_an_iterator_freed_explicitly_are_refused(self):
        v = P.UniqueIDVector([1, 2, 3])
        it = v.rbegin()
        alias, before = it.incr(), it
        it += 1
        m.delete_SwigPyIterator(it)
        churn()
        disowned = v.begin()
        disowned.thisown = False  # its iterator has no owner left: it is never used again
        for call in (alias.value, before.value, lambda: next(before), lambda: v.begin().distance(alias),
                     lambda: v.erase(before), disowned.value):
            with self.subTest(call=call):
                self.assertRaises(TypeError, call)


class HostTeardown(unittest.TestCase):
    """The host ends connections or frees its services while the script holds
    objects it made through them."""

    def setUp(self):
        host.reset()
        self.received = []
        self.Recorder = recorder_class(self.received)

    def test_borrowed_interfaces_are_refused_and_callbacks_outlive_them_once_the_connection_ended(self):
        for end in ('unbind', 'host disconnects', 'host resets', 'client deleted'):
            with self.subTest(end=end):
                client, signals = support.bind(*SIGNALS)
                writer, files = support.bind(P.FileWriterClient, P.cvar.FILE_WRITER_SERVICE_NAME)
                self.assertIsNone(P.SignalInterface.dynamic_cast(files))
                self.assertEqual(int(P.SignalInterface.dynamic_cast(signals).this), int(signals.this))
                named, everything = self.Recorder(), self.Recorder()
                signals.addCallback('x', named)
                signals.addGlobalCallback(everything)
                if end == 'unbind':
                    client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
                    writer.unbind(P.cvar.FILE_WRITER_SERVICE_NAME)
                elif end == 'host disconnects':
                    host.disconnect(client)
                    host.disconnect(writer)
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
                host.reset()  # the host frees its services
                churn()
                del named, everything
                churn()
                self.assertEqual(self.received, [])

    def test_ending_the_last_connection_removes_what_was_registered_through_it(self):
        first, signals = support.bind(*SIGNALS)
        second, same = support.bind(*SIGNALS)
        self.assertEqual(int(signals.this), int(same.this))
        callback = self.Recorder()
        signals.addCallback('x', callback)
        first.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        self.assertEqual(same.fireCallbacks('x', None), 1, 'still held by the second client')
        second.unbind(P.cvar.SIGNAL_SERVICE_NAME)
        third, again = support.bind(*SIGNALS)
        self.assertEqual((again.hasCallbacks('x'), again.fireCallbacks('x', None)), (False, 0))
        self.assertEqual(self.received, ['x'])
        third.unbind(P.cvar.SIGNAL_SERVICE_NAME)

class Unload(unittest.TestCase):
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
