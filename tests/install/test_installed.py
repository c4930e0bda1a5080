"""An installed copy of the library, used as a plug-in author uses it.

The fixture has installed the build into KARVEN_PREFIX. These tests build
plug-ins against that prefix (with find_package and with pkg-config alone),
run every command of the compiled-plug-in guide, load two plug-ins into one
installed karven-sim, and import the installed Python modules, each in a
fresh process that sees nothing of the build tree.
"""

import glob
import json
import os
import re
import shutil
import subprocess
import sys
import textwrap
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'docs'))
from test_doc_examples import blocks  # noqa: E402

PREFIX = os.environ.get('KARVEN_PREFIX', '')
WORK_DIR = os.environ.get('KARVEN_WORK_DIR', '')
PROJECT = os.path.join(HERE, 'hello_plugin')
TWO_PLUGINS = os.path.join(HERE, 'two_plugins')
GUIDE = os.path.join(HERE, '..', '..', 'docs', 'compiled-plugins.md')
GUIDE_PREFIX = '/opt/karven-pi'  # where the guide's commands find the library


def run(command, **kwargs):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, universal_newlines=True,
                            **kwargs)
    if result.returncode != 0:
        raise AssertionError('%s failed (%d):\n%s' % (' '.join(command), result.returncode, result.stdout))
    return result.stdout


def fresh_work_dir():
    shutil.rmtree(WORK_DIR, ignore_errors=True)
    os.makedirs(WORK_DIR)
    return WORK_DIR


def environment(**extra):
    """The environment of a plug-in author's shell: nothing of the build."""
    env = {k: v for k, v in os.environ.items() if not k.startswith(('KARVEN_', 'PYTHON'))}
    env.update(extra)
    return env


def strong_symbols(command):
    """The names an nm command lists as defined code or data (not weak)."""
    return {fields[2] for fields in (line.split() for line in run(command).splitlines())
            if len(fields) == 3 and fields[1] in 'TDBR'}


class Plugins(unittest.TestCase):

    def assert_plugin_test_passes(self, program):
        """The plug-in's own C++ test, linked with the installed simulated host."""
        self.assertRegex(run([program], env=environment()), r'^Hello.Wave: hello from \S+\nload 0, run 0\n$')

    def assert_keeps_the_library_private(self, plugin):
        """None of the client library's own symbols is in the plug-in's
        dynamic symbol table."""
        library = strong_symbols(['nm', '--defined-only', os.path.join(PREFIX, 'lib', 'libPluginInterfacesClient.a')])
        self.assertIn('g_This', library)
        exported = strong_symbols(['nm', '-D', '--defined-only', plugin])
        self.assertEqual(sorted(exported & library), [], plugin)

    def build_with_cmake(self, source, build, *options):
        return run(['cmake', '-S', source, '-B', build, '-DCMAKE_PREFIX_PATH=' + PREFIX,
                    '-DCMAKE_CXX_COMPILER=' + os.environ['KARVEN_CXX']] + list(options), env=environment())


@unittest.skipUnless(PREFIX and WORK_DIR, 'KARVEN_PREFIX and KARVEN_WORK_DIR are not set')
class FindPackage(Plugins):

    def test_the_plugin_project_builds_with_what_the_imported_target_carries(self):
        # A project that asks for C++14 still compiles the plug-in as C++17
        # (no -std flag at all where that is the compiler's default).
        build = os.path.join(fresh_work_dir(), 'build')
        self.build_with_cmake(PROJECT, build, '-DCMAKE_CXX_STANDARD=14')
        target_dir = os.path.join(build, 'CMakeFiles', 'hello_plugin.dir')
        with open(os.path.join(target_dir, 'flags.make')) as f:
            flags = f.read()
        self.assertIn('-D_GLIBCXX_USE_CXX11_ABI=0', flags)
        self.assertNotRegex(flags, r'-std=(gnu|c)\+\+1[14]')
        self.assertIn(os.path.join(PREFIX, 'include', 'karven-plugin-interfaces'), flags)
        with open(os.path.join(target_dir, 'link.txt')) as f:
            link = f.read()
        self.assertIn(os.path.join(PREFIX, 'lib', 'libPluginInterfacesClient.a'), link)
        self.assertIn('-ldl', link)
        run(['cmake', '--build', build], env=environment())
        self.assert_keeps_the_library_private(os.path.join(build, 'libhello_plugin.so'))
        self.assert_plugin_test_passes(os.path.join(build, 'hello_plugin_test'))

    def test_a_newer_major_version_is_not_found(self):
        source = os.path.join(fresh_work_dir(), 'wants_2')
        os.makedirs(source)
        with open(os.path.join(source, 'CMakeLists.txt'), 'w') as f:
            f.write('cmake_minimum_required(VERSION 3.25)\nproject(wants_2 LANGUAGES NONE)\n'
                    'find_package(KarvenPluginInterfaces 2 REQUIRED)\n')
        with self.assertRaises(AssertionError) as failed:
            self.build_with_cmake(source, os.path.join(source, 'build'))
        self.assertIn('version: 1.28', str(failed.exception))


@unittest.skipUnless(PREFIX and WORK_DIR and os.environ.get('KARVEN_PKG_CONFIG'),
                     'KARVEN_PREFIX, KARVEN_WORK_DIR or KARVEN_PKG_CONFIG is not set')
class PkgConfig(Plugins):

    def pkg_config(self, *arguments):
        return run(['pkg-config'] + list(arguments) + ['karven-plugin-interfaces'],
                   env=environment(PKG_CONFIG_PATH=os.path.join(PREFIX, 'lib', 'pkgconfig'))).split()

    def test_the_plugins_own_test_links_the_installed_simulated_host(self):
        work = fresh_work_dir()
        env = environment(PKG_CONFIG_PATH=os.path.join(PREFIX, 'lib', 'pkgconfig'))
        flags = run(['pkg-config', '--cflags', '--libs', 'karven-plugin-interfaces'], env=env).split()
        sim = run(['pkg-config', '--cflags', '--libs', 'karven-sim'], env=env).split()
        compiler = os.environ['KARVEN_CXX']
        run([compiler, '-shared', '-fPIC', '-o', 'hello_plugin.so', os.path.join(PROJECT, 'hello_plugin.cpp')] + flags,
            cwd=work, env=env)
        run([compiler, '-o', 'hello_plugin_test', os.path.join(PROJECT, 'hello_plugin_test.cpp'), '-L.',
             '-l:hello_plugin.so', '-Wl,-rpath,$ORIGIN'] + sim, cwd=work, env=env)
        self.assert_keeps_the_library_private(os.path.join(work, 'hello_plugin.so'))
        self.assert_plugin_test_passes(os.path.join(work, 'hello_plugin_test'))

    def test_the_installed_headers_compile_together_and_each_refuses_the_other_string_abi(self):
        # The public headers include only installed headers, each once; each
        # stops a build without -D_GLIBCXX_USE_CXX11_ABI=0 and names the flag.
        work = fresh_work_dir()
        include_dir = os.path.join(PREFIX, 'include', 'karven-plugin-interfaces')
        headers = sorted(os.path.relpath(h, include_dir)
                         for h in glob.glob(os.path.join(include_dir, '**', '*.h'), recursive=True))
        self.assertIn('bridge/PIFunctionMap.h', headers)
        self.assertNotIn('bridge/PIRequest.h', headers)
        flags = self.pkg_config('--cflags')
        self.assertIn('-D_GLIBCXX_USE_CXX11_ABI=0', flags)
        source = os.path.join(work, 'all_headers.cpp')
        with open(source, 'w') as f:
            f.writelines('#include "%s"\n' % header for header in headers * 2)
        run(['g++', '-fsyntax-only'] + flags + [source], cwd=work)
        other_abi = [flag for flag in flags if not flag.startswith('-D_GLIBCXX_USE_CXX11_ABI')]
        other_abi.append('-D_GLIBCXX_USE_CXX11_ABI=1')
        for header in headers:
            with self.subTest(header):
                result = subprocess.run(['g++', '-E', '-o', os.devnull] + other_abi + ['-x', 'c++', '-'],
                                        input='#include "%s"\n' % header, capture_output=True, text=True)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn('#error "KARVEN plug-ins are compiled with -D_GLIBCXX_USE_CXX11_ABI=0', result.stderr)

    def test_two_plugins_in_one_host_each_have_their_own_context_and_collector(self):
        # One built with find_package, one with pkg-config, both loaded
        # RTLD_GLOBAL; the host reports a context of its own for each while
        # it loads them, and none afterwards, when the actions run.
        work = fresh_work_dir()
        self.build_with_cmake(TWO_PLUGINS, os.path.join(work, 'build'))
        run(['cmake', '--build', os.path.join(work, 'build')], env=environment())
        plugins = [os.path.join(work, 'build', 'libprobe.so'), os.path.join(work, 'probe.so')]
        run([os.environ['KARVEN_CXX'], '-shared', '-fPIC', '-o', plugins[1], os.path.join(TWO_PLUGINS, 'probe.cpp')]
            + self.pkg_config('--cflags', '--libs'), cwd=work)
        trace = os.path.join(work, 'trace.json')
        output = run([os.path.join(PREFIX, 'bin', 'karven-sim'), '--quiet', '--summary', '--trace-json', trace,
                      '--load', plugins[0] + ':probe_a', '--load', plugins[1] + ':probe_b',
                      '--run-action', 'Probe.A', '--run-action', 'Probe.B'], env=environment(), cwd=work)
        contexts = [int(c, 16) for c in re.findall(r'^karven-sim: loading .* \(context (0x[0-9a-f]+)\)$', output,
                                                    re.MULTILINE)]
        self.assertEqual(len(set(contexts)), 2, output)
        with open(trace) as f:
            entries = [json.loads(line) for line in f][1:]  # after the header line
        reports = [e['request']['context'] for e in entries if e.get('name') == 'PI_SERVERFUNC_DEBUG_PRINT']
        self.assertEqual(reports, contexts)
        printed = json.loads(output.split('karven-sim: final state ', 1)[1])['application']['debugOutput']
        collectors = [re.fullmatch(r'Probe\.([AB]): collector (0x[0-9a-f]+) with (\d+)', p).groups() for p in printed]
        self.assertEqual([(name, count) for name, _, count in collectors], [('A', '1'), ('B', '1')])
        self.assertNotEqual(collectors[0][1], collectors[1][1])
        for plugin in plugins:  # which catches one of the two builds sharing
            self.assert_keeps_the_library_private(plugin)


@unittest.skipUnless(PREFIX and WORK_DIR and os.environ.get('KARVEN_PKG_CONFIG'),
                     'KARVEN_PREFIX, KARVEN_WORK_DIR or KARVEN_PKG_CONFIG is not set')
class Guide(unittest.TestCase):
    """docs/compiled-plugins.md, command by command: each ```sh block runs
    (with the guide's prefix replaced by a moved copy of the installed one,
    in a folder holding hello_plugin/), and where a ```text block follows
    it, that is what it prints (addresses written 0x…)."""

    def test_every_command_of_the_guide_runs_and_prints_what_it_says(self):
        work = fresh_work_dir()
        moved = os.path.join(work, 'moved-prefix')  # nothing installed names its prefix
        shutil.copytree(PREFIX, moved, symlinks=True)
        shutil.copytree(PROJECT, os.path.join(work, 'hello_plugin'))
        with open(GUIDE) as f:
            found = blocks('docs/compiled-plugins.md', f.read())
        commands = [(block, found[i + 1] if i + 1 < len(found) and found[i + 1].language == 'text' else None)
                    for i, block in enumerate(found) if block.language == 'sh']
        self.assertGreaterEqual(len(commands), 3)
        for block, printed in commands:
            with self.subTest(block=block.where()):
                output = run(['sh', '-e', '-c', block.text.replace(GUIDE_PREFIX, moved)], cwd=work,
                             env=environment(CXX=os.environ['KARVEN_CXX']))
                if printed is not None:
                    self.assertEqual(re.sub(r'0x[0-9a-f]+', '0x…', output), printed.text)


@unittest.skipUnless(PREFIX and os.environ.get('KARVEN_PYTHONS'), 'KARVEN_PREFIX or KARVEN_PYTHONS is not set')
class Python(unittest.TestCase):

    # The host started from the installed helper, which finds the installed
    # libkarven_sim.so by itself; a client bound through it is connected.
    SCRIPT = textwrap.dedent('''
        import os, sys
        import karven_sim
        host = karven_sim.start()
        import PluginInterfaces as P, _PluginInterfaces
        for module in (P, _PluginInterfaces, karven_sim):
            print(os.path.dirname(module.__file__))
        client = P.SignalClient()
        print(client.bind(P.cvar.SIGNAL_SERVICE_NAME), client.isValid())
        client.unbind(P.cvar.SIGNAL_SERVICE_NAME)
    ''')

    # A script as a type checker sees it through the installed stubs: the
    # lines marked are refused, nothing else.
    TYPED = textwrap.dedent('''
        import PluginInterfaces as P
        import _PluginInterfaces
        import karven_sim
        host: karven_sim.SimulatedHost = karven_sim.start()
        status: int = P.SignalClient().bind(P.cvar.SIGNAL_SERVICE_NAME)
        P.PIRGB(1, 2)
        _PluginInterfaces.ServiceClient_bind(P.SignalClient(), 3)
        host.fire_signal(3)
    ''')

    def pythons(self):
        pythons = os.environ['KARVEN_PYTHONS'].split(':')
        self.assertTrue(pythons)
        for python in pythons:
            version = run([python, '-c', 'import sys; print("%d.%d" % sys.version_info[:2])']).strip()
            yield python, version, os.path.join(PREFIX, 'lib', 'python' + version, 'site-packages')

    def test_every_interpreter_imports_its_installed_module(self):
        for python, version, site in self.pythons():
            with self.subTest(python):
                env = environment(PYTHONPATH=site, PYTHONDONTWRITEBYTECODE='1')
                if os.environ.get('KARVEN_PRELOAD'):
                    env['LD_PRELOAD'] = os.environ['KARVEN_PRELOAD']
                output = run([python, '-c', self.SCRIPT], env=env, cwd=PREFIX)
                self.assertEqual(output.splitlines(), [site, site, os.path.join(site, 'karven_sim'), '0 True'])

    @unittest.skipUnless(shutil.which('mypy'), 'mypy is not installed')
    def test_a_type_checker_in_a_virtual_environment_finds_the_stubs(self):
        # The prefix's site-packages seen from a virtual environment (a .pth
        # file), and mypy asked about that environment's interpreter alone.
        work = fresh_work_dir()
        script = os.path.join(work, 'typed.py')
        with open(script, 'w') as f:
            f.write(self.TYPED)
        for python, version, site in self.pythons():
            with self.subTest(python):
                venv = os.path.join(work, 'venv' + version)
                run([python, '-m', 'venv', '--without-pip', venv])
                with open(os.path.join(venv, 'lib', 'python' + version, 'site-packages', 'karven.pth'), 'w') as f:
                    f.write(site + '\n')
                result = subprocess.run(['mypy', '--python-executable', os.path.join(venv, 'bin', 'python'),
                                         '--cache-dir', os.devnull, '--no-error-summary', 'typed.py'],
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, universal_newlines=True,
                                        cwd=work, env=environment())
                self.assertEqual(re.findall(r'^typed\.py:(\d+): error: .*\[([a-z-]+)\]$', result.stdout, re.M),
                                 [('7', 'call-arg'), ('8', 'arg-type'), ('9', 'arg-type')], result.stdout)

    def test_the_installed_karven_sim_runs_a_plugins_tests(self):
        work = fresh_work_dir()
        with open(os.path.join(work, 'test_installed_plugin.py'), 'w') as f:
            f.write(textwrap.dedent('''
                import unittest
                import karven_sim
                host = karven_sim.start()
                import PluginInterfaces as P

                class Installed(unittest.TestCase):
                    def test_binds(self):
                        self.assertEqual(P.SignalClient().bind(P.cvar.SIGNAL_SERVICE_NAME), 0)
            '''))
        output = run([os.path.join(PREFIX, 'bin', 'karven-sim'), 'test'], cwd=work, env=environment())
        self.assertTrue(output.endswith('\n1 passed, 0 failed\n'), output)


if __name__ == '__main__':
    unittest.main()
