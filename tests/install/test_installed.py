"""An installed copy of the library, used as a plug-in author uses it.

The fixture has installed the build into KARVEN_PREFIX. These tests build
the plug-in project in hello_plugin/ against that prefix (with find_package
and with pkg-config alone), run it in the installed karven-sim, and import
the installed Python modules, each in a fresh process that sees nothing of
the build tree.
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

PREFIX = os.environ.get('KARVEN_PREFIX', '')
WORK_DIR = os.environ.get('KARVEN_WORK_DIR', '')
PROJECT = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'hello_plugin')

# Loads the plug-in named on the command line, as the host loads one, and
# reports where the module came from.
RUN_PLUGIN = '''
import ctypes, sys
import PluginInterfaces
print('module', PluginInterfaces.__file__)
plugin = ctypes.CDLL(sys.argv[1])
print('loaded', plugin.hello_plugin_load())
'''


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


class PluginRun(unittest.TestCase):
    """Checks a built plug-in in the installed simulated host, and its own
    C++ test, linked with the installed simulated host."""

    def assert_plugin_test_passes(self, program):
        self.assertRegex(run([program], env=environment()), r'^load 0, run 0, hello from a compiled plug-in in ')

    def assert_runs_in_karven_sim(self, plugin, prefix=PREFIX):
        script = os.path.join(WORK_DIR, 'run_plugin.py')
        with open(script, 'w') as f:
            f.write(RUN_PLUGIN)
        output = run([os.path.join(prefix, 'bin', 'karven-sim'), '--quiet', '--summary', script, plugin],
                     env=environment())
        lines = output.splitlines()
        module = os.path.normpath(lines[0].split(' ', 1)[1])
        self.assertTrue(module.startswith(os.path.join(prefix, 'lib', 'python')), module)
        self.assertEqual(lines[1], 'loaded 0')
        state = json.loads(output.split('karven-sim: final state ', 1)[1])
        application = state['application']
        self.assertEqual(len(application['debugOutput']), 1, application['debugOutput'])
        self.assertRegex(application['debugOutput'][0], r'^hello from a compiled plug-in in \S+')
        self.assertIn('Hello.Wave', json.dumps(application['actions']))


@unittest.skipUnless(PREFIX and WORK_DIR, 'KARVEN_PREFIX and KARVEN_WORK_DIR are not set')
class FindPackage(PluginRun):

    def configure(self, source, build, *options):
        return run(['cmake', '-S', source, '-B', build, '-DCMAKE_PREFIX_PATH=' + PREFIX,
                    '-DCMAKE_CXX_COMPILER=' + os.environ['KARVEN_CXX']] + list(options), env=environment())

    def test_the_plugin_project_builds_with_what_the_imported_target_carries_and_runs(self):
        # A project that asks for C++14 still compiles the plug-in as C++17
        # (no -std flag at all where that is the compiler's default).
        build = os.path.join(fresh_work_dir(), 'build')
        self.configure(PROJECT, build, '-DCMAKE_CXX_STANDARD=14')
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
        self.assert_runs_in_karven_sim(os.path.join(build, 'libhello_plugin.so'))
        self.assert_plugin_test_passes(os.path.join(build, 'hello_plugin_test'))

    def test_a_newer_major_version_is_not_found(self):
        source = os.path.join(fresh_work_dir(), 'wants_2')
        os.makedirs(source)
        with open(os.path.join(source, 'CMakeLists.txt'), 'w') as f:
            f.write('cmake_minimum_required(VERSION 3.25)\nproject(wants_2 LANGUAGES NONE)\n'
                    'find_package(KarvenPluginInterfaces 2 REQUIRED)\n')
        with self.assertRaises(AssertionError) as failed:
            self.configure(source, os.path.join(source, 'build'))
        self.assertIn('version: 1.28', str(failed.exception))


@unittest.skipUnless(PREFIX and WORK_DIR and os.environ.get('KARVEN_PKG_CONFIG'),
                     'KARVEN_PREFIX, KARVEN_WORK_DIR or KARVEN_PKG_CONFIG is not set')
class PkgConfig(PluginRun):

    def pkg_config_environment(self, prefix=PREFIX):
        return environment(PKG_CONFIG_PATH=os.path.join(prefix, 'lib', 'pkgconfig'))

    def test_the_plugin_builds_with_pkg_config_alone_and_runs_from_a_moved_prefix(self):
        # Nothing installed names the prefix it was installed into.
        work = fresh_work_dir()
        moved = os.path.join(work, 'moved')
        shutil.copytree(PREFIX, moved, symlinks=True)
        run(['sh', os.path.join(PROJECT, 'build_with_pkg_config.sh')], cwd=work,
            env=self.pkg_config_environment(moved))
        self.assert_runs_in_karven_sim(os.path.join(work, 'hello_plugin.so'), moved)
        self.assert_plugin_test_passes(os.path.join(work, 'hello_plugin_test'))

    def test_the_installed_headers_compile_together(self):
        # The public headers include only installed headers, each once.
        work = fresh_work_dir()
        include_dir = os.path.join(PREFIX, 'include', 'karven-plugin-interfaces')
        headers = sorted(os.path.relpath(h, include_dir)
                         for h in glob.glob(os.path.join(include_dir, '**', '*.h'), recursive=True))
        self.assertIn('bridge/PIFunctionMap.h', headers)
        self.assertNotIn('bridge/PIRequest.h', headers)
        flags = run(['pkg-config', '--cflags', 'karven-plugin-interfaces'], env=self.pkg_config_environment()).split()
        self.assertIn('-D_GLIBCXX_USE_CXX11_ABI=0', flags)
        source = os.path.join(work, 'all_headers.cpp')
        with open(source, 'w') as f:
            f.writelines('#include "%s"\n' % header for header in headers * 2)
        run(['g++', '-fsyntax-only'] + flags + [source], cwd=work)


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
