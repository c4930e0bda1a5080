"""A short fixed-seed fuzzing pass over every flat function, with and without
a host, each in a process of its own: nothing may crash or hang, every
failure is a Python exception. `python fuzz.py --calls N --seed S` runs a
longer pass on demand."""

import os
import subprocess
import sys
import unittest

import support

FUZZ = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'fuzz.py')
CALLS = 3000


class Fuzzing(unittest.TestCase):

    def test_with_and_without_a_host(self):
        for seed, host in ((1, ['--host']), (2, ['--host']), (3, [])):
            with self.subTest(seed=seed):
                if host and not support.TESTHOST_PATH:
                    self.skipTest('KARVEN_TESTHOST is not set')
                result = subprocess.run([sys.executable, FUZZ, '--seed', str(seed), '--calls', str(CALLS)] + host,
                                        capture_output=True, text=True, timeout=600)
                self.assertEqual(result.returncode, 0, result.stderr[-3000:])
                self.assertNotIn('Sanitizer', result.stderr)
                summary = [line for line in result.stdout.splitlines() if line.startswith('fuzzed ')]
                self.assertEqual(len(summary), 1, result.stdout[-2000:])
                self.assertIn('fuzzed %d calls over 325 functions' % CALLS, summary[0])
                # A result with a pending exception, or none without one, becomes a
                # SystemError; the proxies' method calls rely on the functions never doing that.
                self.assertNotIn('SystemError=', summary[0])
                print(summary[0], file=sys.stderr)


if __name__ == '__main__':
    unittest.main()
