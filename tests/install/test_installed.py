"""The copy installed into KARVEN_PREFIX, used as a plug-in author uses it,
in a folder of its own with nothing of the build tree in sight."""

import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'docs'))
from test_doc_examples import blocks  # noqa: E402

PREFIX = os.environ.get('KARVEN_PREFIX', '')
PKG_CONFIG = os.environ.get('KARVEN_PKG_CONFIG', '')
PROJECT = os.path.join(HERE, '..', '..', 'examples', 'hello_plugin')
TWO_PLUGINS = os.path.join(HERE, 'two_plugins')
LIBRARY = os.path.join(PREFIX, 'lib', 'libPluginInterfacesClient.a')
GUIDE_PREFIX = '/opt/karven-pi'  # where the guide's commands find the library


def run(command, **kwargs):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, universal_newlines=True,
                            **kwargs)
    if result.returncode != 0:
        raise AssertionError('%s failed (%d):\n%s' % (' '.join(command), result.returncode, result.stdout))
    return result.stdout


def environment(**extra):
    """A plug-in author's shell: nothing of the build."""
    return dict({k: v for k, v in os.environ.items() if not k.startswith(('KARVEN_', 'PYTHON'))}, **extra)


def strong_symbols(command):  # defined code or data, not weak
    return {fields[2] for fields in (line.split() for line in run(command).splitlines())
            if len(fields) == 3 and fields[1] in 'TDBR'}


@unittest.skipUnless(PREFIX, 'KARVEN_PREFIX is not set')
class Installed(unittest.TestCase):

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix='karven_installed_')
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)

    def assert_plugin_works(self, plugin, test_program):
        # The plug-in exports none of the library's symbols; its test passes.
        library = strong_symbols(['nm', '--defined-only', LIBRARY])
        self.assertIn('g_This', library)
        self.assertEqual(sorted(strong_symbols(['nm', '-D', '--defined-only', plugin]) & library), [], plugin)
        if test_program:
            self.assertRegex(run([test_program], env=environment()), r'^Hello.Wave: hello from \S+\nload 0, run 0\n$')

    def cmake(self, source, build, *options, target=None):
        run(['cmake', '-S', source, '-B', build, '-DCMAKE_PREFIX_PATH=' + PREFIX,
             '-DCMAKE_CXX_COMPILER=' + os.environ['KARVEN_CXX']] + list(options), env=environment())
        if target:
            run(['cmake', '--build', build, '--target', target], env=environment())

    def pkg_config(self, *arguments):
        return run(['pkg-config'] + list(arguments),
                   env=environment(PKG_CONFIG_PATH=os.path.join(PREFIX, 'lib', 'pkgconfig'))).split()


class FindPackage(Installed):

    def test_the_imported_target_carries_the_flags_the_host_needs(self):
        build = os.path.join(self.work, 'build')
        self.cmake(PROJECT, build, '-DCMAKE_CXX_STANDARD=14')
        with open(os.path.join(build, 'CMakeFiles', 'hello_plugin.dir', 'flags.make')) as f:
            flags = f.read()
        # C++17 at least; the string ABI's define and the include folder: the guide's build needs them.
        self.assertNotRegex(flags, r'-std=(gnu|c)\+\+1[14]')
        with open(os.path.join(build, 'CMakeFiles', 'hello_plugin.dir', 'link.txt')) as f:
            self.assertRegex(f.read(), re.escape(LIBRARY) + r'.* -ldl\b')

    def test_a_newer_major_version_is_not_found(self):
        with open(os.path.join(self.work, 'CMakeLists.txt'), 'w') as f:
            f.write('cmake_minimum_required(VERSION 3.25)\nproject(wants_2 LANGUAGES NONE)\n'
                    'find_package(KarvenPluginInterfaces 2 REQUIRED)\n')
        with self.assertRaisesRegex(AssertionError, 'version: 1.28'):
            self.cmake(self.work, os.path.join(self.work, 'build'))


@unittest.skipUnless(PKG_CONFIG, 'KARVEN_PKG_CONFIG is not set')
class PkgConfig(Installed):

    def test_the_installed_headers_compile_together_and_each_refuses_the_other_string_abi(self):
        include_dir = os.path.join(PREFIX, 'include', 'karven-plugin-interfaces')
        headers = sorted(os.path.relpath(h, include_dir)
                         for h in glob.glob(os.path.join(include_dir, '**', '*.h'), recursive=True))
        self.assertIn('bridge/PIFunctionMap.h', headers)
        self.assertNotIn('bridge/PIRequest.h', headers)
        flags = self.pkg_config('--cflags', 'karven-plugin-interfaces')
        self.assertIn('-D_GLIBCXX_USE_CXX11_ABI=0', flags)
        source = ''.join('#include "%s"\n' % header for header in headers * 2)
        run(['g++', '-fsyntax-only', '-x', 'c++', '-'] + flags, input=source, cwd=self.work)
        other_abi = [flag for flag in flags if not flag.startswith('-D_GLIBCXX_USE_CXX11_ABI')]
        for header in headers:
            with self.subTest(header):
                result = subprocess.run(['g++', '-E', '-o', os.devnull, '-D_GLIBCXX_USE_CXX11_ABI=1'] + other_abi
                                        + ['-x', 'c++', '-'], input='#include "%s"\n' % header, capture_output=True,
                                        text=True)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn('#error "KARVEN plug-ins are compiled with -D_GLIBCXX_USE_CXX11_ABI=0', result.stderr)

    def test_two_plugins_in_one_host_each_have_their_own_context_and_collector(self):
        # One built with find_package, one with pkg-config, both loaded
        # RTLD_GLOBAL: the host reports a context of its own for each while
        # it loads them (and none when the actions run).
        build = os.path.join(self.work, 'build')
        self.cmake(TWO_PLUGINS, build, target='probe')
        plugins = [os.path.join(build, 'libprobe.so'), os.path.join(self.work, 'probe.so')]
        run([os.environ['KARVEN_CXX'], '-shared', '-fPIC', '-o', plugins[1], os.path.join(TWO_PLUGINS, 'probe.cpp')]
            + self.pkg_config('--cflags', '--libs', 'karven-plugin-interfaces'))
        trace = os.path.join(self.work, 'trace.json')
        output = run([os.path.join(PREFIX, 'bin', 'karven-sim'), '--quiet', '--summary', '--trace-json', trace,
                      '--load', plugins[0] + ':probe_a', '--load', plugins[1] + ':probe_b',
                      '--run-action', 'Probe.A', '--run-action', 'Probe.B'], env=environment(), cwd=self.work)
        contexts = [int(c, 16) for c in re.findall(r'^karven-sim: loading .* \(context (0x[0-9a-f]+)\)$', output,
                                                    re.MULTILINE)]
        self.assertEqual(len(set(contexts)), 2, output)
        with open(trace) as f:
            entries = [json.loads(line) for line in f][1:]  # after the header line
        self.assertEqual([e['request']['context'] for e in entries if e.get('name') == 'PI_SERVERFUNC_DEBUG_PRINT'],
                         contexts)
        printed = json.loads(output.split('karven-sim: final state ', 1)[1])['application']['debugOutput']
        collectors = [re.fullmatch(r'Probe\.([AB]): collector (0x[0-9a-f]+) with (\d+)', p).groups() for p in printed]
        self.assertEqual([(name, count) for name, _, count in collectors], [('A', '1'), ('B', '1')])
        self.assertNotEqual(collectors[0][1], collectors[1][1])
        for plugin in plugins:  # which catches one of the two builds sharing
            self.assert_plugin_works(plugin, None)


@unittest.skipUnless(PKG_CONFIG, 'KARVEN_PKG_CONFIG is not set')
class Guide(Installed):

    def test_every_command_of_the_guide_runs_and_prints_what_it_says(self):
        # Each ```sh block runs, with the guide's prefix replaced by a moved
        # copy of the installed one, in a folder holding hello_plugin/; a
        # ```text block after it is what it prints (addresses written 0x…).
        moved = os.path.join(self.work, 'moved-prefix')  # nothing installed names its prefix
        shutil.copytree(PREFIX, moved, symlinks=True)
        shutil.copytree(PROJECT, os.path.join(self.work, 'hello_plugin'))
        with open(os.path.join(HERE, '..', '..', 'docs', 'compiled-plugins.md')) as f:
            found = blocks('docs/compiled-plugins.md', f.read())
        commands = [(block, found[i + 1] if i + 1 < len(found) and found[i + 1].language == 'text' else None)
                    for i, block in enumerate(found) if block.language == 'sh']
        self.assertGreaterEqual(len(commands), 3)
        for block, printed in commands:
            with self.subTest(block=block.where()):
                output = run(['sh', '-e', '-c', block.text.replace(GUIDE_PREFIX, moved)], cwd=self.work,
                             env=environment(CXX=os.environ['KARVEN_CXX']))
                if printed is not None:
                    self.assertEqual(re.sub(r'0x[0-9a-f]+', '0x…', output), printed.text)
        self.assert_plugin_works(os.path.join(self.work, 'build', 'libhello_plugin.so'),
                                 os.path.join(self.work, 'build', 'hello_plugin_test'))
        # The plug-in the guide built with pkg-config, under its test linked the same way.
        test = os.path.join(PROJECT, 'hello_plugin_test.cpp')
        run([os.environ['KARVEN_CXX'], '-o', 'pkg_config_test', test, '-L.', '-l:hello_plugin.so',
             '-Wl,-rpath,$ORIGIN'] + self.pkg_config('--cflags', '--libs', 'karven-sim'), cwd=self.work)
        self.assert_plugin_works(os.path.join(self.work, 'hello_plugin.so'),
                                 os.path.join(self.work, 'pkg_config_test'))


@unittest.skipUnless(os.environ.get('KARVEN_PYTHONS'), 'KARVEN_PYTHONS is not set')
class Python(Installed):

    def pythons(self):
        for python in os.environ['KARVEN_PYTHONS'].split(':'):
            version = run([python, '-c', 'import sys; print("%d.%d" % sys.version_info[:2])']).strip()
            yield python, version, os.path.join(PREFIX, 'lib', 'python' + version, 'site-packages')

    def test_every_interpreter_imports_its_installed_modules_and_binds(self):
        script = ('import os, karven_sim\nhost = karven_sim.start()\nimport PluginInterfaces as P, _PluginInterfaces\n'
                  'for module in (P, _PluginInterfaces, karven_sim):\n    print(os.path.dirname(module.__file__))\n'
                  'client = P.SignalClient()\nprint(client.bind(P.cvar.SIGNAL_SERVICE_NAME), client.isValid())\n'
                  'client.unbind(P.cvar.SIGNAL_SERVICE_NAME)\n')
        for python, version, site in self.pythons():
            with self.subTest(python):
                env = environment(PYTHONPATH=site, PYTHONDONTWRITEBYTECODE='1')
                if os.environ.get('KARVEN_PRELOAD'):
                    env['LD_PRELOAD'] = os.environ['KARVEN_PRELOAD']
                output = run([python, '-c', script], env=env, cwd=PREFIX)
                self.assertEqual(output.splitlines(), [site, site, os.path.join(site, 'karven_sim'), '0 True'])

    @unittest.skipUnless(shutil.which('mypy'), 'mypy is not installed')
    def test_a_type_checker_in_a_virtual_environment_finds_the_stubs(self):
        # Through a .pth file; mypy refuses the lines 7 to 9 and nothing else.
        with open(os.path.join(self.work, 'typed.py'), 'w') as f:
            f.write(textwrap.dedent('''
                import PluginInterfaces as P
                import _PluginInterfaces
                import karven_sim
                host: karven_sim.SimulatedHost = karven_sim.start()
                status: int = P.SignalClient().bind(P.cvar.SIGNAL_SERVICE_NAME)
                P.PIRGB(1, 2)
                _PluginInterfaces.ServiceClient_bind(P.SignalClient(), 3)
                host.fire_signal(3)
            '''))
        for python, version, site in self.pythons():
            with self.subTest(python):
                venv = os.path.join(self.work, 'venv' + version)
                run([python, '-m', 'venv', '--without-pip', venv])
                with open(os.path.join(venv, 'lib', 'python' + version, 'site-packages', 'karven.pth'), 'w') as f:
                    f.write(site + '\n')
                result = subprocess.run(['mypy', '--python-executable', os.path.join(venv, 'bin', 'python'),
                                         '--cache-dir', os.devnull, '--no-error-summary', 'typed.py'],
                                        stdout=subprocess.PIPE, universal_newlines=True, cwd=self.work,
                                        env=environment())
                self.assertEqual(re.findall(r'^typed\.py:(\d+): error: .*\[([a-z-]+)\]$', result.stdout, re.M),
                                 [('7', 'call-arg'), ('8', 'arg-type'), ('9', 'arg-type')], result.stdout)

    def test_the_installed_karven_sim_runs_a_plugins_tests(self):
        with open(os.path.join(self.work, 'test_installed_plugin.py'), 'w') as f:
            f.write('import unittest\nimport karven_sim\nhost = karven_sim.start()\nimport PluginInterfaces as P\n\n'
                    'class Installed(unittest.TestCase):\n    def test_binds(self):\n'
                    '        self.assertEqual(P.SignalClient().bind(P.cvar.SIGNAL_SERVICE_NAME), 0)\n')
        output = run([os.path.join(PREFIX, 'bin', 'karven-sim'), 'test'], cwd=self.work, env=environment())
        self.assertTrue(output.endswith('\n1 passed, 0 failed\n'), output)


if __name__ == '__main__':
    unittest.main()
