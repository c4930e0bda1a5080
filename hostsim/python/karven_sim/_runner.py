"""What karven-sim runs in its embedded interpreter: the test runner of
`karven-sim test`, the time limit of --timeout and the report of a run that
was stopped. Not meant for scripts."""

import fnmatch
import importlib.util
import os
import signal
import sys
import traceback
import types
import unittest
from typing import Any, Dict, List, Optional, Sequence

import karven_sim

# Exit statuses of karven-sim beside the script's own.
NO_TESTS = 5

# What is running, for the report of a stopped run: a test's id, or the
# test module being imported.
_running = ''


class TimedOut(KeyboardInterrupt):
    """Raised where the script is when karven-sim's --timeout runs out. A
    KeyboardInterrupt, so that neither `except Exception` nor unittest
    keeps it from ending the run."""


def limit(seconds: float) -> None:
    """Raises TimedOut in the main thread once `seconds` have passed, and
    again every second after that."""
    def expired(signum: int, frame: Optional[types.FrameType]) -> None:
        raise TimedOut()
    signal.signal(signal.SIGALRM, expired)
    signal.setitimer(signal.ITIMER_REAL, seconds, 1.0)


def unlimit() -> None:
    signal.setitimer(signal.ITIMER_REAL, 0)
    signal.signal(signal.SIGALRM, signal.SIG_DFL)


def _ours(filename: str) -> bool:
    """Frames of the machinery around the script: runpy, importlib,
    unittest and this runner."""
    machinery = [os.path.dirname(unittest.__file__) + os.sep, __file__]
    return filename.startswith('<frozen') or filename.startswith(tuple(machinery)) or \
        os.path.basename(filename) == 'runpy.py'


def stop_report(error: BaseException, script: Optional[str], seconds: float) -> str:
    """karven-sim's report of a run that its time-out or SIGINT stopped:
    what was running and where, then the Python stack, innermost last."""
    frames = [frame for frame in traceback.extract_tb(error.__traceback__) if not _ours(frame.filename)]
    what = script or _running or 'the test run'
    how = 'timed out after %g s' % seconds if isinstance(error, TimedOut) else 'was interrupted'
    where = ', at %s, line %d' % (frames[-1].filename, frames[-1].lineno) if frames else ''
    lines = ['karven-sim: %s %s%s\n' % (what, how, where)]
    if frames:
        lines += ['Traceback (most recent call last):\n'] + traceback.format_list(frames)
    return ''.join(lines)


class _Result(unittest.TextTestResult):
    """unittest's report, and the outcome of each test: failed when it or
    any of its subtests failed or raised, else skipped or passed."""

    def __init__(self, *args: Any, **kwargs: Any) -> None:
        super().__init__(*args, **kwargs)
        self.outcomes: Dict[str, str] = {}

    def _outcome(self, test: unittest.TestCase, outcome: str) -> None:
        self.outcomes[test.id()] = outcome

    def startTest(self, test: unittest.TestCase) -> None:
        global _running
        _running = test.id()
        super().startTest(test)

    def addSuccess(self, test: unittest.TestCase) -> None:
        super().addSuccess(test)
        self._outcome(test, 'passed')

    def addExpectedFailure(self, test: unittest.TestCase, err: Any) -> None:
        super().addExpectedFailure(test, err)
        self._outcome(test, 'passed')

    def addSkip(self, test: unittest.TestCase, reason: str) -> None:
        super().addSkip(test, reason)
        self._outcome(test, 'skipped')

    def addFailure(self, test: unittest.TestCase, err: Any) -> None:
        super().addFailure(test, err)
        self._outcome(test, 'failed')

    def addError(self, test: unittest.TestCase, err: Any) -> None:
        super().addError(test, err)
        self._outcome(test, 'failed')

    def addUnexpectedSuccess(self, test: unittest.TestCase) -> None:
        super().addUnexpectedSuccess(test)
        self._outcome(test, 'failed')

    def addSubTest(self, test: unittest.TestCase, subtest: unittest.TestCase, err: Any) -> None:
        super().addSubTest(test, subtest, err)
        if err is not None:
            self._outcome(test, 'failed')

    def closing_line(self) -> str:
        counts = {outcome: list(self.outcomes.values()).count(outcome) for outcome in ('passed', 'failed', 'skipped')}
        line = '%(passed)d passed, %(failed)d failed' % counts
        return line + (', %(skipped)d skipped' % counts if counts['skipped'] else '')


class _ImportFailure(unittest.TestCase):
    """A test module that could not be imported, reported as a failing test
    (or a skipped one, for a module that raised SkipTest)."""

    def __init__(self, path: str, error: BaseException) -> None:
        super().__init__('runTest')
        self.path = path
        self.error = error

    def id(self) -> str:
        return self.path

    def __str__(self) -> str:
        return 'import %s' % self.path

    def runTest(self) -> None:
        raise self.error


def discover(paths: Sequence[str]) -> List[str]:
    """The test_*.py files: those named, and those under the folders named
    (hidden folders and __pycache__ left out), in order of their paths."""
    found = []
    for path in paths:
        if os.path.isdir(path):
            for folder, folders, names in os.walk(path):
                folders[:] = sorted(name for name in folders if not name.startswith(('.', '__')))
                found += [os.path.join(folder, name) for name in sorted(names) if fnmatch.fnmatch(name, 'test_*.py')]
        elif os.path.isfile(path):
            found.append(path)
        else:
            raise FileNotFoundError(path)
    return found


def _load(path: str) -> unittest.TestSuite:
    """Imports a test module under its file name, with its folder first on
    sys.path, and gives its tests."""
    global _running
    _running = path
    name = os.path.splitext(os.path.basename(path))[0]
    folder = os.path.dirname(os.path.abspath(path))
    if folder not in sys.path:
        sys.path.insert(0, folder)
    sys.modules.pop(name, None)
    try:
        found = importlib.util.spec_from_file_location(name, path)
        assert found is not None and found.loader is not None
        module = importlib.util.module_from_spec(found)
        sys.modules[name] = module
        found.loader.exec_module(module)
    except KeyboardInterrupt:
        raise
    except BaseException as error:
        return unittest.TestSuite([_ImportFailure(path, error)])
    return unittest.defaultTestLoader.loadTestsFromModule(module)


def run_tests(paths: Sequence[str], verbosity: int = 1) -> int:
    """Runs the tests of every test module under `paths` (default: the
    current folder) in this process, the host restarted before each module.
    Prints unittest's report and the closing line on standard error and
    returns karven-sim's exit status: 0 when every test passed, 1 when one
    failed, 2 for a path that does not exist, NO_TESTS when there was none."""
    try:
        files = discover(paths or ['.'])
    except FileNotFoundError as missing:
        print("karven-sim: cannot open '%s': No such file or directory" % missing, file=sys.stderr)
        return 2
    if not files:
        print('karven-sim: no test_*.py under %s' % ', '.join(paths or ['.']), file=sys.stderr)
        return NO_TESTS
    host = karven_sim.start()
    runner = unittest.TextTestRunner(verbosity=verbosity, resultclass=_Result)
    results: List[_Result] = []

    def run_modules(result: _Result) -> None:
        results.append(result)
        for path in files:
            host.restart()
            suite = _load(path)
            # Each module is a run of its own, so that unittest tears down
            # its fixtures at its end, and once.
            result._previousTestClass = None  # type: ignore[attr-defined]
            suite.run(result)

    try:
        runner.run(run_modules)  # type: ignore[arg-type]
    except KeyboardInterrupt:
        # Stopped: what failed so far, then karven-sim's report.
        results[0].printErrors()
        print(results[0].closing_line(), file=sys.stderr)
        raise
    print(results[0].closing_line(), file=sys.stderr)
    return 0 if 'failed' not in results[0].outcomes.values() else 1
